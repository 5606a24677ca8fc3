#include "shell/adult_an.h"

#include "storage/records/analysis_loader.h"
#include "storage/text/messages.h"

namespace acv {

CAdultAn::CAdultAn(Prompts& prompts, const QString& fileName, QWidget* parent)
    : SelectionDialog(prompts, fileName, true, tr("&Analyse"), parent) {
  setObjectName(QStringLiteral("CAdultAn"));
  setWindowTitle(tr("Select ACV Response for Analysis"));
}

FileStatus CAdultAn::readIndex(const std::string& fullName, RecordIndex* index) {
  return BuildRecordIndex(fullName, true, index);
}

void CAdultAn::acceptSelection() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty()) {
    showMessage(Message(MessageId::kNoSelection));
    return;
  }
  if (rows.size() > 2) {
    showMessage(Message(MessageId::kTooManySelections));
    return;
  }
  const IndexEntry* self = nullptr;
  const IndexEntry* observer = nullptr;
  for (const int row : rows) {
    const IndexEntry& entry = matches()[static_cast<std::size_t>(row)];
    if (ReportOfType(entry.reportType) == Report::kObserver) {
      if (observer != nullptr) {
        showMessage(Message(MessageId::kTwoObserver));
        return;
      }
      observer = &entry;
    } else {
      if (self != nullptr) {
        showMessage(Message(MessageId::kTwoSelf));
        return;
      }
      self = &entry;
    }
  }
  if (!confirmCriteriaUnchanged()) {
    return;
  }
  Analysis chosen;
  const bool read =
      (self == nullptr ||
       LoadSelfReport(chosen, fullFileName(), self->fileIndex) == FileStatus::kOk) &&
      (observer == nullptr ||
       LoadObserverReport(chosen, fullFileName(), observer->fileIndex) == FileStatus::kOk);
  if (!read) {
    showMessage(Message(MessageId::kReadError));
    return;
  }
  analysis_ = chosen;
  chosenIndexes_ = {self != nullptr ? self->fileIndex : -1,
                    observer != nullptr ? observer->fileIndex : -1};
  accept();
}

}  // namespace acv
