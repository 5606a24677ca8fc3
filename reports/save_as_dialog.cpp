#include "reports/save_as_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/rtf_report.h"
#include "storage/text/messages.h"
#include "ui/dialog_parts.h"
#include "ui/file_name_box.h"
#include "ui/key_rules.h"
#include "ui/prompts.h"
#include "ui/screen_fit.h"
#include "ui/text.h"
#include "ui/wait_cursor.h"

namespace acv {
namespace {

constexpr FileKind kRtfFileKind{kRtfSuffix, "Rich Text Format Files (*.rtf)",
                                MessageId::kBrowseNotRtf};

}  // namespace

CAnalysis_Save_As::CAnalysis_Save_As(Prompts& prompts, const Analysis& analysis,
                                     const QString& name, QWidget* parent)
    : QDialog(parent), prompts_(prompts), analysis_(analysis) {
  InstallKeyRules();
  FitOnShow(*this);
  setWindowTitle(tr("Analysis - Save As"));
  file_ = new FileNameBox(prompts, kRtfFileKind, FileNameBox::Browse::kSave, tr("Save As"), this);
  file_->setObjectName(QStringLiteral("rtfFile"));
  file_->box()->setAlignment(Qt::AlignRight);
  file_->setText(name);
  privacy_ = new QCheckBox(tr("I &accept responsibility for data privacy of the .rtf file"), this);
  privacy_->setObjectName(QStringLiteral("privacy"));

  auto* nameRow = new QHBoxLayout;
  auto* label = new QLabel(tr("&Save As:"));
  label->setBuddy(file_->box());
  nameRow->addWidget(label);
  nameRow->addWidget(file_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(nameRow);
  layout->addWidget(
      NoteLabel(tr("A 'Rich Text Format' (.rtf) file will allow you to view the "
                   "analysis in many applications including Microsoft Word.")));
  layout->addWidget(NoteLabel(
      tr("Note:  An Adult Corvantis File (*.cvr) maintains data privacy of the details of "
         "clients by encrypting the data in a way that can only be read by the ACV "
         "application.  However, once you save to a file (*.rtf) that file can be read by "
         "other applications.")));
  layout->addWidget(privacy_);
  ok_ = AddAcceptCancel(this, layout);
  setMinimumWidth(620);

  file_->setFocus();
}

void CAnalysis_Save_As::refuse(const UserMessage& message) {
  prompts_.show(this, message);
  file_->setFocus();
}

void CAnalysis_Save_As::accept() {
  if (!privacy_->isChecked()) {
    prompts_.show(this, Message(MessageId::kRtfPrivacy));
    privacy_->setFocus();
    return;
  }
  const QString name = file_->text();
  if (name.isEmpty()) {
    refuse(Message(MessageId::kRtfNoName));
    return;
  }
  if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')) ||
      name.endsWith(QLatin1Char(':'))) {
    refuse(Message(MessageId::kRtfBadName));
    return;
  }
  WaitCursor wait;
  const RtfSaveOutcome outcome = SaveRtfReport(
      analysis_, file_->fileSystemName(), [&] { return ConfirmReplace(prompts_, this, wait); });
  wait.end();
  switch (outcome.result) {
    case RtfSaveResult::kDeclined:
      file_->setFocus();
      return;
    case RtfSaveResult::kOpenError:
    case RtfSaveResult::kWriteError: {
      refuse(RtfFailureMessage(outcome, fromQt(name)));
      return;
    }
    case RtfSaveResult::kSaved:
      break;
  }
  prompts_.show(this, Message(MessageId::kRtfSaved), {name});
  savedName_ = name;
  QDialog::accept();
}

}  // namespace acv
