#include "shell/export_password_dialog.h"

#include <sodium.h>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/csv/export_passwords.h"
#include "storage/text/messages.h"
#include "ui/dialog_parts.h"
#include "ui/key_rules.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

CAdultExportPassword::CAdultExportPassword(Prompts& prompts, const ExportPasswords& passwords,
                                           QWidget* parent)
    : QDialog(parent), prompts_(prompts), passwords_(passwords) {
  InstallKeyRules();
  setWindowTitle(tr("Export Questionnaire File - Password"));
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setAccessibleName(tr("Password"));
  auto* prompt = new QLabel(tr("&Please enter your password."), this);
  prompt->setBuddy(password_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(password_);
  ok_ = AddAcceptCancel(this, layout);
  setMinimumWidth(360);
  password_->setFocus();
}

void CAdultExportPassword::accept() {
  // The box's own text goes first, so the copy taken here is the only one left to wipe.
  QString typed = password_->text();
  password_->setText(QString());
  QByteArray bytes = typed.toUtf8();
  sodium_memzero(typed.data(), static_cast<std::size_t>(typed.size()) * sizeof(QChar));
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const bool right = passwords_.Accepts(std::string_view(bytes.constData(), bytes.size()));
  QGuiApplication::restoreOverrideCursor();
  sodium_memzero(bytes.data(), static_cast<std::size_t>(bytes.size()));
  if (right) {
    QDialog::accept();
    return;
  }
  prompts_.show(this, Message(MessageId::kWrongPassword));
  password_->setFocus();
}

}  // namespace acv
