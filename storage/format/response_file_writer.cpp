#include "storage/format/response_file_writer.h"

#include <algorithm>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/whole_file_writer.h"

namespace acv {

// Appends write a vector of records as one run of bytes.
static_assert(sizeof(StoredRecord) == kRecordSize);

FileStatus ResponseFileWriter::WriteHeader(const CommitMark& mark) {
  if (stamp_.empty()) {
    stamp_ = CurrentStamp();
  }
  HeaderStamps& header = layout_.header;
  if (layout_.headerless || layout_.storedRecords == 0) {
    header.created = stamp_;  // stamped with the first record
  }
  header.modified = stamp_;
  header.version = std::string(kVersionText);
  const std::array<std::uint8_t, kFileHeaderSize> bytes =
      EncodeHeader(header.created, header.modified, mark);
  const FileStatus written = WriteAllAt(file_.fd(), bytes.data(), bytes.size(), 0);
  if (written == FileStatus::kOk) {
    layout_.headerBytes = bytes;
    layout_.headerless = false;
    layout_.marked = true;
    file_.setLength(std::max(file_.length(), static_cast<long long>(kFileHeaderSize)));
  }
  return written;
}

FileStatus ResponseFileWriter::FinishRewrite() {
  StoredRecord waiting{};
  std::size_t got = 0;
  FileStatus status =
      ReadAllAt(file_.fd(), waiting.data(), kRecordSize, RecordOffset(layout_.storedRecords), &got);
  if (status == FileStatus::kOk && got != kRecordSize) {
    status = FileStatus::kShortRead;
  }
  if (status == FileStatus::kOk) {
    status = WriteAllAt(file_.fd(), waiting.data(), kRecordSize, RecordOffset(layout_.pending));
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(file_.fd());
  }
  // The waiting copy, now after the committed records, is this write's own to cut.
  if (status == FileStatus::kOk) {
    status = WriteHeader({layout_.count, -1, 1});
  }
  if (status == FileStatus::kOk) {
    layout_.pending = -1;
    layout_.appending = 1;
  }
  return status;
}

FileStatus ResponseFileWriter::Open(const std::string& name, LockedFile::Access access) {
  FileStatus status = file_.Open(name, access);
  if (status == FileStatus::kOk) {
    status = CheckHeader(file_.fd(), file_.length(), &layout_, [this](const Damage& damage) {
      addedBeyondMark_ = addedBeyondMark_ || damage.reason == DamageReason::kBeyondCommitMark;
    });
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  if (layout_.storedRecords > kMaxRecords) {
    return FileStatus::kFull;  // records beyond the limit are never cut off nor hidden
  }
  if (addedBeyondMark_) {
    return FileStatus::kRecordsBeyondMark;  // whole records another program added: never cut
  }
  if (layout_.missing > 0) {
    return FileStatus::kRecordsMissing;  // a new mark would hide the records lost
  }
  if (layout_.pending >= 0) {
    status = FinishRewrite();
  }
  // What lies beyond the committed records was left by a write that never completed, or is a
  // torn last record: cut off, so that new records land right after the committed ones.
  if (status == FileStatus::kOk && file_.length() > layout_.CommittedEnd()) {
    status = TruncateTo(file_.fd(), layout_.CommittedEnd());
    if (status == FileStatus::kOk) {
      file_.setLength(layout_.CommittedEnd());
    }
  }
  return status;
}

FileStatus ResponseFileWriter::WriteAfterEnd(const void* data, std::size_t size,
                                             const CommitMark& mark, WriteJournal* journal) {
  const long long end = layout_.CommittedEnd();
  const std::array<std::uint8_t, kFileHeaderSize> oldHeader = layout_.headerBytes;
  const bool oldMarked = layout_.marked;
  // The mark first says what is about to be written after the committed records, so that a
  // later writer knows those records, whole or torn, for this write's and may cut them.
  std::array<std::uint8_t, kFileHeaderSize> notice = layout_.headerBytes;
  EncodeCommitMark({static_cast<int>(layout_.storedRecords), layout_.pending,
                    static_cast<int>(size / kRecordSize)},
                   notice.data());
  const int fd = file_.fd();
  FileStatus status = WriteAllAt(fd, notice.data(), notice.size(), 0);
  if (status == FileStatus::kOk) {
    status = WriteAllAt(fd, data, size, end);
  }
  if (status == FileStatus::kOk) {
    status = journal != nullptr ? journal->MakeLasting(fd) : SyncFile(fd);
  }
  if (status == FileStatus::kOk) {
    status = WriteHeader(mark);
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(fd);
  }
  if (status == FileStatus::kOk) {
    layout_.storedRecords = mark.count;
    layout_.count = mark.count;
    layout_.pending = mark.pending;
    file_.setLength(std::max(file_.length(), end + static_cast<long long>(size)));
    return status;
  }
  // Not committed: the bytes written after the end are cut off again, and the header is put back
  // as it was.
  if (TruncateTo(fd, end) == FileStatus::kOk &&
      WriteAllAt(fd, oldHeader.data(), oldHeader.size(), 0) == FileStatus::kOk) {
    static_cast<void>(SyncFile(fd));
  }
  layout_.headerBytes = oldHeader;
  layout_.marked = oldMarked;
  return status;
}

FileStatus ResponseFileWriter::Journal(WriteJournal* journal, int first,
                                       const std::vector<StoredRecord>& records) {
  if (journal == nullptr) {
    return FileStatus::kOk;
  }
  const auto read = [this](int at, StoredRecord* bytes) {
    std::size_t got = 0;
    const FileStatus status =
        ReadAllAt(file_.fd(), bytes->data(), kRecordSize, RecordOffset(at), &got);
    return status == FileStatus::kOk && got != kRecordSize ? FileStatus::kShortRead : status;
  };
  return journal->Record({layout_.count, first, records, read});
}

FileStatus ResponseFileWriter::WriteRecord(const std::string& name, const StoredRecord& bytes,
                                           int* index, int at, WriteJournal* journal) {
  *index = -1;
  const FileStatus status = at < 0 ? AppendRecords(name, {bytes}, index, journal)
                                   : Rewrite(name, at, nullptr, bytes, journal);
  if (at >= 0 && status == FileStatus::kOk) {
    *index = at;
  }
  return status;
}

FileStatus ResponseFileWriter::ReplaceRecord(const std::string& name, int at,
                                             const StoredRecord& expected,
                                             const StoredRecord& bytes, WriteJournal* journal) {
  return Rewrite(name, at, &expected, bytes, journal);
}

FileStatus ResponseFileWriter::Rewrite(const std::string& name, int at,
                                       const StoredRecord* expected, const StoredRecord& bytes,
                                       WriteJournal* journal) {
  ResponseFileWriter writer;
  // A rewrite never makes a file: a missing one is not found.
  FileStatus status = writer.Open(name, LockedFile::Access::kReadWrite);
  if (status != FileStatus::kOk) {
    return status;
  }
  const FileLayout& layout = writer.layout_;
  const int fd = writer.file_.fd();
  if (at < 0 || at >= layout.count) {
    return FileStatus::kIndexBeyondEnd;  // a rewrite never leaves a hole in the file
  }
  if (expected != nullptr) {
    StoredRecord current{};
    std::size_t got = 0;
    status = ReadAllAt(fd, current.data(), kRecordSize, RecordOffset(at), &got);
    if (status != FileStatus::kOk || got != kRecordSize) {
      return status != FileStatus::kOk ? status : FileStatus::kShortRead;
    }
    if (current != *expected) {
      return FileStatus::kRecordChanged;
    }
  }
  // The journal first, then the new bytes wait after the records; once the mark says so, the
  // rewrite has happened.
  status = writer.Journal(journal, at, {bytes});
  if (status != FileStatus::kOk) {
    return status;
  }
  status = writer.WriteAfterEnd(bytes.data(), kRecordSize, {layout.count, at}, journal);
  if (journal != nullptr) {
    status == FileStatus::kOk ? journal->Committed() : journal->Withdraw();
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  // Copying into place may fail now without loss: readers take the waiting copy, and the next
  // write finishes the copy. Once the waiting copy is cut off, the mark no longer claims its slot.
  if (writer.FinishRewrite() == FileStatus::kOk &&
      TruncateTo(fd, layout.CommittedEnd()) == FileStatus::kOk &&
      writer.WriteHeader({layout.count, -1}) == FileStatus::kOk) {
    static_cast<void>(SyncFile(fd));
  }
  return FileStatus::kOk;
}

FileStatus ResponseFileWriter::AppendRecords(const std::string& name,
                                             const std::vector<StoredRecord>& records,
                                             int* firstIndex, WriteJournal* journal) {
  *firstIndex = -1;
  ResponseFileWriter writer;
  const FileLayout& layout = writer.layout_;
  FileStatus status = writer.Open(name, LockedFile::Access::kCreate);
  if (status == FileStatus::kOk && layout.storedRecords + static_cast<long long>(records.size()) >
                                       static_cast<long long>(kMaxRecords)) {
    status = FileStatus::kFull;
  }
  if (status == FileStatus::kOk && layout.headerless && !records.empty()) {
    // A new file gets a header that commits no record yet, so that a write cut short leaves a
    // file that takes records again; its name is made lasting with the folder.
    status = writer.WriteHeader({0, -1});
    if (status == FileStatus::kOk) {
      status = SyncFile(writer.file_.fd());
    }
    if (status == FileStatus::kOk) {
      status = SyncFolderOf(name);
    }
  }
  const int before = layout.count;
  if (status == FileStatus::kOk && !records.empty()) {
    status = writer.Journal(journal, before, records);
    if (status == FileStatus::kOk) {
      status = writer.WriteAfterEnd(records.data(), records.size() * kRecordSize,
                                    {before + static_cast<int>(records.size()), -1}, journal);
      if (journal != nullptr) {
        status == FileStatus::kOk ? journal->Committed() : journal->Withdraw();
      }
    }
  }
  if (status != FileStatus::kOk || records.empty()) {
    writer.RemoveIfMadeEmpty(name);  // a first write that failed, or had nothing to write
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  *firstIndex = before;
  return FileStatus::kOk;
}

FileStatus ResponseFileWriter::WriteNewFile(const std::string& name,
                                            const std::vector<StoredRecord>& records,
                                            WriteJournal* journal) {
  if (records.empty() || records.size() > static_cast<std::size_t>(kMaxRecords)) {
    return records.empty() ? FileStatus::kNoMoreRecords : FileStatus::kFull;
  }
  const std::string stamp = CurrentStamp();
  const std::array<std::uint8_t, kFileHeaderSize> header =
      EncodeHeader(stamp, stamp, {static_cast<int>(records.size()), -1});
  std::string bytes(header.begin(), header.end());
  bytes.append(reinterpret_cast<const char*>(records.data()), records.size() * kRecordSize);
  // Unnamed until it is whole: a kill leaves no part of the file under its name.
  // The journal is told before the file gets its name: a new file has no record to read.
  WholeFileWriter file;
  FileStatus status = file.Open(name, false);
  if (status == FileStatus::kOk) {
    status = file.Write(bytes);
  }
  if (status == FileStatus::kOk && journal != nullptr) {
    status = journal->Record(
        {0, 0, records, [](int, StoredRecord*) { return FileStatus::kIndexBeyondEnd; }});
    if (status == FileStatus::kOk) {
      status = journal->MakeLasting(-1);  // before the file has its name
      if (status == FileStatus::kOk) {
        status = file.Commit();
      }
      status == FileStatus::kOk ? journal->Committed() : journal->Withdraw();
    }
    return status;
  }
  return status == FileStatus::kOk ? file.Commit() : status;
}

void ResponseFileWriter::RemoveIfMadeEmpty(const std::string& name) {
  // Another process may have opened the new file, taken the lock first and committed records
  // to it: those stay. Only a file this open made, still locked and empty of records, goes.
  if (layout_.headerless || (layout_.marked && layout_.storedRecords == 0 && layout_.pending < 0)) {
    file_.RemoveIfMadeHere(name);
  }
}

}  // namespace acv
