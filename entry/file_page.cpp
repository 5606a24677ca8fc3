#include "entry/file_page.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/entry_run.h"
#include "entry/replace_check_box.h"
#include "storage/text/messages.h"
#include "storage/text/typed_input.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

QString CvrFileNote() {
  return QCoreApplication::translate(
      "Entry",
      "Note:  Each .cvr file will hold hundreds of ACV records.  It is recommended that you keep "
      "the number of .cvr files to a minimum.\n\nA window will appear informing you when a .cvr "
      "file has reached its capacity and prompt you to create a new file.");
}

FilePage::FilePage(EntryRun& run, Prompts& prompts, const QString& caption,
                   const QStringList& intro, QWidget* parent)
    : EntryPage(caption, parent), run_(run), prompts_(prompts) {
  // Both join the page in the order of the layout, which Tab follows: Replace stands above.
  fileBox_ =
      new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave, tr("ACV data file"));
  replaceBox_ = ReplaceCheckBox::ForEdit(prompts, *fileBox_, run.saver);
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : intro) {
    layout->addWidget(NoteLabel(text));
    layout->addSpacing(8);
  }
  if (replaceBox_ != nullptr) {
    layout->addWidget(replaceBox_);
  }
  layout->addWidget(fileBox_);
  layout->addSpacing(16);
  layout->addWidget(NoteLabel(CvrFileNote()));
  layout->addStretch();
}

void FilePage::activate() {
  fileBox_->setText(run_.fileName);
  if (replaceBox_ != nullptr) {
    replaceBox_->apply();
    replaceBox_->setFocus();  // the page's first control
    return;
  }
  fileBox_->box()->setFocus();
}

bool FilePage::validatePage() {
  keep();
  return checkTypedName();
}

void FilePage::keep() {
  run_.fileName = fileBox_->text();
}

bool FilePage::checkTypedName() {
  std::string fullName;
  const FileNameCheck check = ResolveResponseFileName(fileBox_->fileSystemName(), &fullName);
  if (check == FileNameCheck::kOk) {
    return true;
  }
  const UserMessage refusal = FileNameMessage(check);
  prompts_.message(this, toQt(refusal.caption), toQt(refusal.text), Prompts::Icon::kStop);
  FocusSelected(fileBox_->box());
  return false;
}

}  // namespace acv
