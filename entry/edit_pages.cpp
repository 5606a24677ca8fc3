#include "entry/edit_pages.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "entry/record_edit.h"
#include "entry/replace_check_box.h"
#include "ui/file_name_box.h"

namespace acv {
namespace {

// Puts the replace box just above the page's file name.
void PlaceAboveFileBox(QWidget& page, ReplaceCheckBox* replaceBox, FileNameBox* fileBox) {
  auto* layout = static_cast<QVBoxLayout*>(page.layout());
  layout->insertWidget(layout->indexOf(fileBox), replaceBox);
}

}  // namespace

EditFilePage::EditFilePage(QString& fileName, bool& replace, Prompts& prompts,
                           const QString& caption, const RecordEdit& edit, QWidget* parent)
    : FilePage(fileName, prompts, caption,
               {tr("You are about to edit the responses to the Adult Corvantis questionnaire "
                   "over pages 2 to 24."),
                tr("After you have completed editing the ACV, you will be able to save your "
                   "responses to an encrypted data file."),
                tr("Where would you like to save the encrypted data for this Adult Corvantis?\n"
                   "(If you are a client / patient completing the Adult Corvantis, please click "
                   "'Next >' on the bottom right to save to the default file.)")},
               parent),
      replace_(replace) {
  replaceBox_ = new ReplaceCheckBox(prompts, *fileBox(), edit.fileName);
  PlaceAboveFileBox(*this, replaceBox_, fileBox());
}

void EditFilePage::activate() {
  FilePage::activate();
  if (firstActivation_) {
    firstActivation_ = false;
    replaceBox_->setChecked(true);
  }
  replaceBox_->apply();
}

bool EditFilePage::validatePage() {
  replace_ = replaceBox_->isChecked();
  return FilePage::validatePage();
}

EditSavePage::EditSavePage(ResponseRecord& record, QString& fileName, bool& replace,
                           Prompts& prompts, const QString& caption, const RecordEdit& edit,
                           QWidget* parent)
    : SavePage(record, fileName, prompts, caption, parent),
      replace_(replace),
      prompts_(prompts),
      edit_(edit) {
  replaceBox_ = new ReplaceCheckBox(prompts, *fileBox(), edit.fileName);
  PlaceAboveFileBox(*this, replaceBox_, fileBox());
  connect(replaceBox_, &QCheckBox::toggled, this, [this](bool checked) { replace_ = checked; });
}

void EditSavePage::activate() {
  replaceBox_->setChecked(replace_);
  SavePage::activate();  // the file name text, and the box as the choice says
}

void EditSavePage::setChooseFileMode(bool choose) {
  SavePage::setChooseFileMode(choose);
  // The name is read-only exactly while replacing, in both modes.
  replaceBox_->setVisible(choose);
  replaceBox_->apply();
}

bool EditSavePage::validatePage() {
  return ConfirmSaveEdit(prompts_, this, edit_, record()) && SavePage::validatePage();
}

SaveResult EditSavePage::write(std::string_view typedName) {
  return SaveEdit(edit_, replaceBox_->isChecked(), typedName, record());
}

}  // namespace acv
