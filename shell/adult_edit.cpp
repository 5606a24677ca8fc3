#include "shell/adult_edit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "storage/format/file_status.h"
#include "storage/records/record_store.h"
#include "storage/text/messages.h"

namespace acv {

CAdultEdit::CAdultEdit(Prompts& prompts, const QString& fileName, EditLayout layout,
                       QWidget* parent)
    : SelectionDialog(prompts, fileName, false, tr("&Edit"), parent) {
  setObjectName(QStringLiteral("CAdultEdit"));
  setWindowTitle(tr("Select ACV Response to Edit"));
  auto* group = new QGroupBox(tr("Edit method"), this);
  onScreen_ = new QRadioButton(tr("Complete &on screen"), group);
  onScreen_->setObjectName(QStringLiteral("onScreen"));
  paper_ = new QRadioButton(tr("Enter &responses"), group);
  paper_->setObjectName(QStringLiteral("paper"));
  auto* options = new QHBoxLayout(group);
  options->addWidget(onScreen_);
  options->addWidget(paper_);
  options->addStretch();
  (layout == EditLayout::kPaper ? paper_ : onScreen_)->setChecked(true);
  extraArea()->addWidget(group);
  // The options stand above the dialog's buttons, made before them: Tab meets them first.
  setTabOrder(list(), onScreen_);
  setTabOrder(onScreen_, paper_);
  connect(list(), &QListWidget::itemSelectionChanged, this, &CAdultEdit::followSelectedEntryMethod);
}

EditLayout CAdultEdit::editLayout() const {
  return paper_->isChecked() ? EditLayout::kPaper : EditLayout::kOnScreen;
}

FileStatus CAdultEdit::readIndex(const std::string& fullName, RecordIndex* index) {
  // Editing needs write access; a file that refuses it can still be read and saved elsewhere.
  // Opening for editing never makes a file: a name that is not there is not found.
  readOnly_ = false;
  FileStatus status = BuildRecordIndex(fullName, false, index);
  if (status == FileStatus::kAccessDenied) {
    readOnly_ = true;
    status = BuildRecordIndex(fullName, true, index);
  }
  return status;
}

void CAdultEdit::listLoaded() {
  if (readOnly_) {
    showMessage(Message(MessageId::kReadOnly));
  }
}

void CAdultEdit::followSelectedEntryMethod() {
  const std::vector<int> rows = selectedRows();
  if (rows.size() == 1) {
    const bool fromPaper =
        matches()[static_cast<std::size_t>(rows.front())].entryMethod == kEnteredFromPaper;
    (fromPaper ? paper_ : onScreen_)->setChecked(true);
  }
}

void CAdultEdit::acceptSelection() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty()) {
    showMessage(Message(MessageId::kNoSelection));
    return;
  }
  if (!confirmCriteriaUnchanged()) {
    return;
  }
  const int index = matches()[static_cast<std::size_t>(rows.front())].fileIndex;
  ResponseRecord chosen;
  if (ReadRecord(fullFileName(), index, &chosen) != FileStatus::kOk) {
    showMessage(Message(MessageId::kReadError));
    return;
  }
  record_ = chosen;
  recordIndex_ = index;
  accept();
}

}  // namespace acv
