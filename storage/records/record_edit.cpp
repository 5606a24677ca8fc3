#include "storage/records/record_edit.h"

#include "storage/format/record_image.h"
#include "storage/records/record_store.h"

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

}  // namespace acv
