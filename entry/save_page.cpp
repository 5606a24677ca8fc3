#include "entry/save_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/file_page.h"
#include "entry/pages/page_layout.h"
#include "entry/save_report.h"
#include "ui/dialog_parts.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"
#include "ui/text.h"
#include "ui/wait_cursor.h"

namespace acv {

SavePage::SavePage(ResponseRecord& record, QString& fileName, Prompts& prompts,
                   const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), record_(record), fileName_(fileName), prompts_(prompts) {
  fileBox_ = new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave,
                             tr("ACV data file"), this);
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
  layout->addWidget(fileBox_);
  layout->addSpacing(16);
  layout->addWidget(note_);
  layout->addStretch();
}

void SavePage::activate() {
  fileBox_->setText(fileName_);
  setChooseFileMode(false);
}

void SavePage::setChooseFileMode(bool choose) {
  chooseFileMode_ = choose;
  question_->setVisible(choose);
  finishText_->setVisible(!choose);
  fileBox_->box()->setReadOnly(!choose);
  fileBox_->browseButton()->setVisible(choose);
  note_->setVisible(choose);
  // In normal mode Enter is Finish: the read-only box passes it on to the wizard.
  fileBox_->box()->setFocus();
}

void SavePage::leaveBack() {
  fileName_ = fileBox_->text();
}

SaveResult SavePage::write(std::string_view typedName) {
  return SaveRecord(typedName, record_);
}

bool SavePage::validatePage() {
  fileBox_->box()->setReadOnly(false);
  fileName_ = fileBox_->text();
  SaveResult result;
  {
    WaitCursor wait;
    result = write(fileBox_->fileSystemName());
  }
  if (!ReportSave(prompts_, this, record_, result)) {
    setChooseFileMode(true);
    return false;
  }
  lastSave_ = result;
  // The name is kept without ".cvr", whichever way it was typed.
  fileBox_->setFileSystemName(result.fileName);
  fileName_ = fileBox_->text();
  return true;
}

}  // namespace acv
