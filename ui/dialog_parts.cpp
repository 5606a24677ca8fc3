#include "ui/dialog_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include "storage/text/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"
#include "ui/wait_cursor.h"

namespace acv {

QPushButton* AddAcceptCancel(QDialog* dialog, QBoxLayout* layout, const QString& acceptText) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* accept = acceptText.isEmpty()
                            ? buttons->addButton(QDialogButtonBox::Ok)
                            : buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
  accept->setObjectName(QStringLiteral("ok"));
  accept->setDefault(true);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("cancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return accept;
}

bool ConfirmReplace(Prompts& prompts, QWidget* parent, WaitCursor& wait) {
  wait.end();
  const bool replace = ConfirmReplace(prompts, parent);
  wait.resume();
  return replace;
}

bool ConfirmReplace(Prompts& prompts, QWidget* parent) {
  return prompts.confirm(parent, Message(MessageId::kFileExists), QObject::tr("&Yes"),
                         QObject::tr("&No"), false);
}

QLabel* NoteLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace acv
