#include "entry/save_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/entry_run.h"
#include "entry/file_page.h"
#include "entry/reason_box.h"
#include "entry/replace_check_box.h"
#include "ui/dialog_parts.h"
#include "ui/file_name_box.h"

namespace acv {

SavePage::SavePage(EntryRun& run, Prompts& prompts, const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), run_(run) {
  fileBox_ = new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave,
                             tr("ACV data file"), this);
  replaceBox_ = ReplaceCheckBox::ForEdit(prompts, *fileBox_, run.saver);
  reasonBox_ = ReasonBox::ForEdit(run.saver);
  question_ =
      NoteLabel(tr("Where would you like to save the encrypted data for this Adult Corvantis?"));
  finishText_ =
      NoteLabel(tr("To save the ACV details you have entered please click the "
                   "'Finish' button near the bottom right corner."));
  note_ = NoteLabel(CvrFileNote());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question_);
  layout->addWidget(finishText_);
  layout->addSpacing(8);
  if (replaceBox_ != nullptr) {
    layout->addWidget(replaceBox_);
  }
  layout->addWidget(fileBox_);
  if (reasonBox_ != nullptr) {
    layout->addWidget(reasonBox_);
  }
  layout->addSpacing(16);
  layout->addWidget(note_);
  layout->addStretch();
}

const SaveResult& SavePage::lastSave() const {
  return run_.saver.lastSave();
}

void SavePage::activate() {
  fileBox_->setText(run_.fileName);
  setChooseFileMode(false);
}

void SavePage::setChooseFileMode(bool choose) {
  chooseFileMode_ = choose;
  question_->setVisible(choose);
  finishText_->setVisible(!choose);
  fileBox_->box()->setReadOnly(!choose);
  fileBox_->browseButton()->setVisible(choose);
  note_->setVisible(choose);
  if (replaceBox_ != nullptr) {
    // The name is read-only exactly while replacing, in both modes.
    replaceBox_->setVisible(choose);
    replaceBox_->apply();
  }
  // In normal mode Enter is Finish: the read-only box passes it on to the wizard.
  fileBox_->box()->setFocus();
}

void SavePage::leaveBack() {
  run_.fileName = fileBox_->text();
}

bool SavePage::validatePage() {
  switch (run_.saver.Save(this, *fileBox_, run_.fileName, run_.record)) {
    case RecordSaver::Outcome::kSaved:
      return true;
    case RecordSaver::Outcome::kFailed:
      setChooseFileMode(true);  // another name, or (editing) a new record instead
      return false;
    case RecordSaver::Outcome::kDeclined:
    case RecordSaver::Outcome::kDetailsMissing:
    case RecordSaver::Outcome::kReasonMissing:
      return false;
  }
  return false;
}

}  // namespace acv
