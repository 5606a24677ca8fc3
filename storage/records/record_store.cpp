#include "storage/records/record_store.h"

#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_journal.h"
#include "storage/text/typed_input.h"

namespace acv {

FileStatus ReadRecord(const std::string& fileName, int index, ResponseRecord* record, MetFlags met,
                      StoredRecord* stored) {
  StoredRecord bytes{};
  if (const FileStatus read = ResponseFile::ReadAt(fileName, index, &bytes);
      read != FileStatus::kOk) {
    return read;
  }
  if (const FileStatus loaded = LoadImage(*record, bytes.data()); loaded != FileStatus::kOk) {
    return loaded;
  }
  if (met == MetFlags::kDerive) {
    record->MarkMetItems();
  }
  if (stored != nullptr) {
    *stored = bytes;
  }
  return FileStatus::kOk;
}

std::optional<int> FindSavedSince(const std::string& fileName, const ResponseRecord& record,
                                  std::string_view since) {
  ResponseFile file;
  if (file.OpenForReading(fileName, true) != FileStatus::kOk) {
    return std::nullopt;
  }
  StoredRecord bytes{};
  ResponseRecord read;
  int index = 0;
  for (FileStatus status = file.ReadNext(&bytes, &index); status != FileStatus::kNoMoreRecords;
       status = file.ReadNext(&bytes, &index)) {
    if (status == FileStatus::kOk && LoadImage(read, bytes.data()) == FileStatus::kOk &&
        read.Text(TextField::kSavedStamp) >= since && read.IsSameAs(record)) {
      return index;
    }
  }
  return std::nullopt;
}

SaveResult SaveRecord(std::string_view typedName, ResponseRecord& record, const ChangeNote& note) {
  SaveResult result;
  switch (ResolveResponseFileName(typedName, &result.fileName)) {
    case FileNameCheck::kEmpty:
      result.status = FileStatus::kNoFileName;
      return result;
    case FileNameCheck::kHasExtension:
      result.fileName.clear();
      result.status = FileStatus::kNameHasExtension;
      return result;
    case FileNameCheck::kOk:
      break;
  }
  HistoryJournal journal(result.fileName, note);
  result.status = ResponseFile::WriteRecord(result.fileName, BuildImage(record), &result.index,
                                            kAppend, &journal);
  return result;
}

SaveResult ReplaceRecord(const std::string& fileName, int at, const StoredRecord& original,
                         ResponseRecord& record, const ChangeNote& note) {
  SaveResult result;
  result.fileName = fileName;
  HistoryJournal journal(fileName, note);
  result.status = ResponseFile::ReplaceRecord(fileName, at, original, BuildImage(record), &journal);
  if (result.status == FileStatus::kOk) {
    result.index = at;
  }
  return result;
}

}  // namespace acv
