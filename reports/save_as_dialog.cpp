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
                                "You must enter an RTF filename (*.rtf).  For example:  "
                                "c:/analysis_files/jane_smith.rtf"};

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

void CAnalysis_Save_As::refuse(const QString& caption, const QString& text) {
  prompts_.message(this, caption, text, Prompts::Icon::kStop);
  file_->setFocus();
}

void CAnalysis_Save_As::accept() {
  if (!privacy_->isChecked()) {
    prompts_.message(this, toQt(caption::kDataPrivacy),
                     tr("To proceed with the save, you must check the box indicating\nthat you "
                        "accept responsibility for the privacy of the data."),
                     Prompts::Icon::kStop);
    privacy_->setFocus();
    return;
  }
  const QString name = file_->text();
  if (name.isEmpty()) {
    refuse(tr("File Name Error"),
           tr("You must specify a file name.\n\nYou may like to use the 'Browse ...' button."));
    return;
  }
  if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')) ||
      name.endsWith(QLatin1Char(':'))) {
    refuse(tr("File Name Error"), tr("You must specify a valid file name.\n\nYou may like to "
                                     "use the 'Browse ...' button."));
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
      const UserMessage message = RtfFailureMessage(outcome, fromQt(name));
      refuse(toQt(message.caption), toQt(message.text));
      return;
    }
    case RtfSaveResult::kSaved:
      break;
  }
  prompts_.message(this, tr("Save Successful"),
                   tr("The Rich Text Format file \n\n    %1.rtf\n\nhas been saved").arg(name),
                   Prompts::Icon::kInformation);
  savedName_ = name;
  QDialog::accept();
}

}  // namespace acv
