#include "shell/export_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/csv/csv_export.h"
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

QString NamePart(const QString& path) {
  return toQt(FileNamePart(fromQt(path)));
}

}  // namespace

CAdultExport::CAdultExport(Prompts& prompts, const QString& acvFileName,
                           const QString& exportFileName, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
  InstallKeyRules();
  FitOnShow(*this);
  setWindowTitle(tr("Export Questionnaire File"));
  acvFile_ =
      new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kOpen, tr("ACV File"), this);
  acvFile_->setObjectName(QStringLiteral("acvFile"));
  acvFile_->setText(acvFileName);
  exportFile_ =
      new FileNameBox(prompts, kCsvFileKind, FileNameBox::Browse::kSave, tr("Export File"), this);
  exportFile_->setObjectName(QStringLiteral("exportFile"));
  exportFile_->setText(exportFileName);
  // The two Browse buttons of the dialog take different letters.
  exportFile_->browseButton()->setText(tr("B&rowse ..."));
  privacy_ =
      new QCheckBox(tr("I &accept responsibility for data privacy of the export file."), this);
  privacy_->setObjectName(QStringLiteral("privacy"));
  seenAcvName_ = NamePart(acvFileName);

  auto* files = new QFormLayout;
  auto* acvLabel = new QLabel(tr("AC&V File:"));
  acvLabel->setBuddy(acvFile_->box());
  files->addRow(acvLabel, acvFile_);
  auto* exportLabel = new QLabel(tr("E&xport File:"));
  exportLabel->setBuddy(exportFile_->box());
  files->addRow(exportLabel, exportFile_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addWidget(
      NoteLabel(tr("A 'Comma Separated Variable' (.csv) file will allow you to import into many "
                   "applications including a Microsoft Excel spreadsheet.")));
  layout->addWidget(NoteLabel(
      tr("Note:  An Adult Corvantis file (*.cvr) maintains data privacy of the details of "
         "clients by encrypting the data in a way that can only be read by the ACV "
         "application.  However, once you export to a file (*.csv), that file can be read "
         "as normal text by other applications.")));
  layout->addWidget(privacy_);
  export_ = AddAcceptCancel(this, layout, tr("&Export"));
  setMinimumWidth(560);

  acvFile_->box()->installEventFilter(this);
  acvFile_->setFocus();
}

bool CAdultExport::eventFilter(QObject* watched, QEvent* event) {
  if (watched == acvFile_->box() && event->type() == QEvent::FocusOut) {
    acvNameLeft();
  }
  return QDialog::eventFilter(watched, event);
}

void CAdultExport::acvNameLeft() {
  const QString namePart = NamePart(acvFile_->text());
  if (namePart == seenAcvName_) {
    return;
  }
  seenAcvName_ = namePart;
  exportFile_->setText(
      toQt(DefaultExportName(fromQt(exportFile_->text()), fromQt(acvFile_->text()))));
  prompts_.show(this, Message(MessageId::kExportNameChanged));
  exportFile_->setFocus();
}

void CAdultExport::accept() {
  if (!privacy_->isChecked()) {
    prompts_.show(this, Message(MessageId::kDataPrivacy));
    privacy_->setFocus();
    return;
  }
  const std::string acvShown = fromQt(acvFile_->text());
  const std::string csvShown = fromQt(exportFile_->text());
  WaitCursor wait;
  const ExportOutcome outcome =
      ExportResponseFile(acvFile_->fileSystemName(), exportFile_->fileSystemName(),
                         [&] { return ConfirmReplace(prompts_, this, wait); });
  wait.end();
  const auto show = [this](const UserMessage& message, Prompts::Icon icon) {
    prompts_.message(this, toQt(message.caption), toQt(message.text), icon);
  };
  switch (outcome.result) {
    case ExportResult::kAcvOpenError:
      show(AcvFileOpenMessage(outcome.code, acvShown), Prompts::Icon::kStop);
      acvFile_->setFocus();
      return;
    case ExportResult::kCsvOpenError:
      show(ExportFileOpenMessage(outcome.code, csvShown), Prompts::Icon::kStop);
      exportFile_->setFocus();
      return;
    case ExportResult::kCsvWriteError:
      show(ExportFileWriteMessage(outcome.code, csvShown), Prompts::Icon::kStop);
      exportFile_->setFocus();
      return;
    case ExportResult::kDeclined:
      exportFile_->setFocus();
      return;
    case ExportResult::kDone:
      break;
  }
  const bool whole = outcome.counts.written == outcome.counts.records;
  show(ExportSummaryMessage(acvShown, csvShown, outcome.counts),
       whole ? Prompts::Icon::kInformation : Prompts::Icon::kExclamation);
  if (!outcome.recorded) {
    prompts_.show(this, Message(MessageId::kTakeOutNotNoted, {acvShown + ".cvr"}));
  }
  usedAcvName_ = acvFile_->text();
  usedExportName_ = exportFile_->text();
  exportDone_ = true;
  QDialog::accept();
}

}  // namespace acv
