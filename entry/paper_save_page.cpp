#include "entry/paper_save_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

#include "engine/analysis.h"
#include "entry/record_edit.h"
#include "entry/replace_check_box.h"
#include "entry/save_report.h"
#include "storage/related_reports.h"
#include "ui/dialog_parts.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"
#include "ui/wait_cursor.h"

namespace acv {

PaperSavePage::PaperSavePage(ResponseRecord& record, QString& fileName, Analysis& analysis,
                             Prompts& prompts, const QString& caption, const RecordEdit* edit,
                             QWidget* parent)
    : EntryPage(caption, parent),
      record_(record),
      fileName_(fileName),
      analysis_(analysis),
      prompts_(prompts),
      edit_(edit) {
  fileBox_ = new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave,
                             tr("ACV data file"), this);
  view_ = new QCheckBox(tr("&View the ACV Analysis after Finish"));
  related_ = new QCheckBox(tr("&Also view the most recent related ACVs for the same person"));
  connect(view_, &QCheckBox::toggled, related_, &QWidget::setEnabled);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NoteLabel(tr("Where do you wish to save the Adult Corvantis details?")));
  layout->addWidget(NoteLabel(tr("Note:  Each file will save hundreds of ACV records.")));
  layout->addSpacing(8);
  if (edit_ != nullptr) {
    replace_ = new ReplaceCheckBox(prompts, *fileBox_, edit_->fileName);
    layout->addWidget(replace_);
  }
  layout->addWidget(fileBox_);
  layout->addSpacing(16);
  layout->addWidget(view_);
  auto* indented = new QVBoxLayout;
  indented->setContentsMargins(view_->style()->pixelMetric(QStyle::PM_IndicatorWidth) * 2, 0, 0, 0);
  indented->addWidget(related_);
  layout->addLayout(indented);
  layout->addStretch();
}

PaperSavePage::AnalysisChoice PaperSavePage::analysisChoice() const {
  return {view_->isChecked(), related_->isChecked()};
}

bool PaperSavePage::replacing() const {
  return replace_ != nullptr && replace_->isChecked();
}

void PaperSavePage::activate() {
  if (firstActivation_) {
    firstActivation_ = false;
    fileBox_->setText(fileName_);
    view_->setChecked(initialChoice_.view);
    related_->setChecked(initialChoice_.related);
    related_->setEnabled(initialChoice_.view);
    if (replace_ != nullptr) {
      replace_->setChecked(true);
    }
  }
  if (replace_ != nullptr) {
    replace_->apply();
  }
  fileBox_->box()->setFocus();
}

bool PaperSavePage::validatePage() {
  lastSave_ = SaveResult();
  fileName_ = fileBox_->text();
  if (edit_ != nullptr && !ConfirmSaveEdit(prompts_, this, *edit_, record_)) {
    return false;
  }
  SaveResult result;
  {
    WaitCursor wait;
    result = edit_ != nullptr ? SaveEdit(*edit_, replacing(), fileBox_->fileSystemName(), record_)
                              : SaveRecord(fileBox_->fileSystemName(), record_);
  }
  if (!ReportSave(prompts_, this, record_, result)) {
    return false;
  }
  // The name is kept without ".cvr", whichever way it was typed.
  fileBox_->setFileSystemName(result.fileName);
  fileName_ = fileBox_->text();
  lastSave_ = result;
  if (view_->isChecked()) {
    WaitCursor wait;
    LoadSavedAnalysis(
        analysis_, result.fileName, result.index, record_,
        related_->isChecked() ? RelatedReports::kMostRecent : RelatedReports::kLeaveOut);
  }
  return true;
}

}  // namespace acv
