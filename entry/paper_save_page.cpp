#include "entry/paper_save_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

#include "engine/analysis.h"
#include "entry/entry_run.h"
#include "entry/reason_box.h"
#include "entry/replace_check_box.h"
#include "storage/records/related_reports.h"
#include "storage/text/messages.h"
#include "ui/dialog_parts.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"
#include "ui/wait_cursor.h"

namespace acv {

PaperSavePage::PaperSavePage(EntryRun& run, Analysis& analysis, Prompts& prompts,
                             const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), run_(run), analysis_(analysis), prompts_(prompts) {
  fileBox_ = new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave,
                             tr("ACV data file"), this);
  replaceBox_ = ReplaceCheckBox::ForEdit(prompts, *fileBox_, run.saver);
  reasonBox_ = ReasonBox::ForEdit(run.saver);
  view_ = new QCheckBox(tr("&View the ACV Analysis after Finish"));
  related_ = new QCheckBox(tr("&Also view the most recent related ACVs for the same person"));
  connect(view_, &QCheckBox::toggled, related_, &QWidget::setEnabled);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NoteLabel(tr("Where do you wish to save the Adult Corvantis details?")));
  layout->addWidget(NoteLabel(tr("Note:  Each file will save hundreds of ACV records.")));
  layout->addSpacing(8);
  if (replaceBox_ != nullptr) {
    layout->addWidget(replaceBox_);
  }
  layout->addWidget(fileBox_);
  if (reasonBox_ != nullptr) {
    layout->addWidget(reasonBox_);
  }
  layout->addSpacing(16);
  layout->addWidget(view_);
  auto* indented = new QVBoxLayout;
  indented->setContentsMargins(view_->style()->pixelMetric(QStyle::PM_IndicatorWidth) * 2, 0, 0, 0);
  indented->addWidget(related_);
  layout->addLayout(indented);
  layout->addStretch();
}

void PaperSavePage::setInitialChoice(ViewAfterFinish choice) {
  run_.viewAfterFinish = choice;
}

ViewAfterFinish PaperSavePage::analysisChoice() const {
  return {view_->isChecked(), related_->isChecked()};
}

const SaveResult& PaperSavePage::lastSave() const {
  return run_.saver.lastSave();
}

void PaperSavePage::activate() {
  fileBox_->setText(run_.fileName);
  view_->setChecked(run_.viewAfterFinish.view);
  related_->setChecked(run_.viewAfterFinish.related);
  related_->setEnabled(run_.viewAfterFinish.view);
  if (replaceBox_ != nullptr) {
    replaceBox_->apply();
  }
  fileBox_->box()->setFocus();
}

void PaperSavePage::leaveBack() {
  run_.fileName = fileBox_->text();
  run_.viewAfterFinish = analysisChoice();
}

bool PaperSavePage::validatePage() {
  if (run_.secondTyping.required && !run_.record.GetVerification()) {
    prompts_.show(this, Message(MessageId::kDoubleEntryRequired));
    return false;
  }
  run_.viewAfterFinish = analysisChoice();
  if (run_.saver.Save(this, *fileBox_, run_.fileName, run_.record) !=
      RecordSaver::Outcome::kSaved) {
    return false;
  }
  if (view_->isChecked()) {
    WaitCursor wait;
    const SaveResult& saved = lastSave();
    analysedIndexes_ = LoadSavedAnalysis(
        analysis_, saved.fileName, saved.index, run_.record,
        related_->isChecked() ? RelatedReports::kMostRecent : RelatedReports::kLeaveOut);
  }
  return true;
}

}  // namespace acv
