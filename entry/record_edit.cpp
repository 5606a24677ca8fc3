#include "entry/record_edit.h"

#include "storage/record_image.h"
#include "storage/record_store.h"

namespace acv {

FileStatus RecordEdit::Open(const std::string& fileName, int index, RecordEdit* edit) {
  ResponseRecord read;
  StoredRecord stored{};
  const FileStatus status = ReadRecord(fileName, index, &read, MetFlags::kLeave, &stored);
  if (status == FileStatus::kOk) {
    edit->fileName = fileName;
    edit->index = index;
    edit->original = stored;
    edit->unedited = read;
  }
  return status;
}

FileStatus RecordEdit::Restore(const std::string& fileName, int index, const StoredRecord& original,
                               RecordEdit* edit) {
  ResponseRecord read;
  const FileStatus status = LoadImage(read, original.data());
  if (status == FileStatus::kOk) {
    *edit = RecordEdit{fileName, index, original, read};
  }
  return status;
}

}  // namespace acv
