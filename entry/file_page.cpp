#include "entry/file_page.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "entry/pages/page_layout.h"
#include "storage/messages.h"
#include "storage/record_search.h"
#include "ui/dialog_parts.h"
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

bool CheckTypedFileName(Prompts& prompts, QWidget* parent, const FileNameBox& box) {
  std::string fullName;
  const FileNameCheck check = ResolveResponseFileName(box.fileSystemName(), &fullName);
  if (check == FileNameCheck::kOk) {
    return true;
  }
  prompts.message(
      parent, toQt(caption::kIncorrectFileName),
      toQt(check == FileNameCheck::kEmpty ? text::kNoFileName : text::kFileNameWithExtension),
      Prompts::Icon::kStop);
  box.box()->setFocus();
  return false;
}

FilePage::FilePage(QString& fileName, Prompts& prompts, const QString& caption,
                   const QStringList& intro, QWidget* parent)
    : EntryPage(caption, parent), fileName_(fileName), prompts_(prompts) {
  fileBox_ = new FileNameBox(prompts, kResponseFileKind, FileNameBox::Browse::kSave,
                             tr("ACV data file"), this);
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : intro) {
    layout->addWidget(NoteLabel(text));
    layout->addSpacing(8);
  }
  layout->addWidget(fileBox_);
  layout->addSpacing(16);
  layout->addWidget(NoteLabel(CvrFileNote()));
  layout->addStretch();
}

void FilePage::activate() {
  fileBox_->setText(fileName_);
  fileBox_->box()->setFocus();
}

bool FilePage::validatePage() {
  fileName_ = fileBox_->text();
  return CheckTypedFileName(prompts_, this, *fileBox_);
}

}  // namespace acv
