#include "storage/response_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "storage/csv_file.h"
#include "storage/posix_file.h"
#include "storage/record_image.h"

namespace acv {

std::string_view DamageReasonText(DamageReason reason) {
  switch (reason) {
    case DamageReason::kChecksumMismatch:
      return "checksum mismatch";
    case DamageReason::kUnreadable:
      return "unreadable";
    case DamageReason::kTornRecord:
      return "torn record";
    case DamageReason::kBeyondCommitMark:
      return "beyond commit mark";
    case DamageReason::kBeyondLimit:
      return "beyond 657 records";
  }
  return "unknown";
}

namespace {

// Appends write a vector of records as one run of bytes.
static_assert(sizeof(StoredRecord) == kRecordSize);
// Records are read this many at a time: few calls, and each run still fits the cache while it
// is decoded.
constexpr int kRecordsPerRead = 32;
// Opening a file that a failed first write removed meanwhile is tried again this often.
constexpr int kOpenAttempts = 8;

// The 243 header bytes: version, stamps, blanks, a zero byte, then `mark`.
std::array<std::uint8_t, kFileHeaderSize> EncodeHeader(const std::string& created,
                                                       const std::string& modified,
                                                       const CommitMark& mark) {
  std::array<std::uint8_t, kFileHeaderSize> header{};
  std::memcpy(header.data(), kVersionText.data(), kVersionText.size());
  std::memcpy(header.data() + kCreatedStampOffset, created.data(), kStampSize);
  std::memcpy(header.data() + kModifiedStampOffset, modified.data(), kStampSize);
  std::memset(header.data() + kHeaderBlanksOffset, ' ', kHeaderBlanks);
  EncodeCommitMark(mark, header.data());
  return header;
}

long long RecordOffset(long long index) {
  return static_cast<long long>(kFileHeaderSize) + static_cast<long long>(kRecordSize) * index;
}

}  // namespace

ResponseFile::~ResponseFile() {
  Close();
}

void ResponseFile::Close() {
  if (fd_ >= 0) {
    close(fd_);  // also releases the lock
  }
  fd_ = -1;
  length_ = 0;
  created_ = false;
  headerless_ = false;
  headerBytes_.fill(0);
  header_ = HeaderStamps();
  marked_ = false;
  pending_ = -1;
  appending_ = 0;
  tailDamage_.clear();
  storedRecords_ = 0;
  stamp_.clear();
  count_ = 0;
  nextIndex_ = 0;
  buffer_.clear();
  bufferFirst_ = 0;
  bufferRecords_ = 0;
}

FileStatus ResponseFile::Open(const std::string& name, Access access) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    Close();
    FileStatus status = FileStatus::kOk;
    if (access == Access::kCreate) {
      status = OpenRegularFile(name, O_RDWR | O_CREAT | O_EXCL, 0660, &fd_);
      created_ = status == FileStatus::kOk;
      if (status == FileStatus::kNotFound) {
        return FileStatus::kBadPath;  // a file cannot be made in a folder that is not there
      }
    }
    if (access != Access::kCreate || status == FileStatus::kFileExists) {
      status = OpenRegularFile(name, access == Access::kRead ? O_RDONLY : O_RDWR, 0, &fd_);
    }
    if (status == FileStatus::kOk) {
      status = LockWholeFile(fd_, access != Access::kRead);
    }
    struct stat info {};
    if (status == FileStatus::kOk && fstat(fd_, &info) != 0) {
      status = StatusFromErrno(errno);
    }
    if (status != FileStatus::kOk) {
      Close();
      return status;
    }
    if (info.st_nlink > 0) {
      length_ = info.st_size;
      return FileStatus::kOk;
    }
    // A writer whose first write failed removed the file it had made: open the name again.
  }
  Close();
  return FileStatus::kSharingViolation;
}

FileStatus ResponseFile::CheckHeader() {
  std::size_t got = 0;
  if (length_ < static_cast<long long>(kFileHeaderSize)) {
    // New: empty, or holding the start of a header whose writing was cut short.
    char start[kFileHeaderSize];
    headerless_ =
        ReadAllAt(fd_, start, kFileHeaderSize, 0, &got) == FileStatus::kOk &&
        got == static_cast<std::size_t>(length_) &&
        kVersionText.starts_with(std::string_view(start, std::min(got, kVersionText.size())));
    return headerless_ ? FileStatus::kOk : FileStatus::kTooShort;
  }
  if (ReadAllAt(fd_, headerBytes_.data(), kFileHeaderSize, 0, &got) != FileStatus::kOk ||
      got != kFileHeaderSize) {
    return FileStatus::kHeaderUnreadable;
  }
  const long long afterHeader = length_ - static_cast<long long>(kFileHeaderSize);
  const long long wholeRecords = afterHeader / static_cast<long long>(kRecordSize);
  const std::optional<CommitMark> mark = DecodeCommitMark(headerBytes_.data());
  // A mark counting more records than the file holds was not written for this file's content.
  marked_ = mark && mark->count + (mark->pending >= 0 ? 1 : 0) <= wholeRecords;
  const auto* text = reinterpret_cast<const char*>(headerBytes_.data());
  const bool magic = std::string_view(text, kMagic.size()) == kMagic;
  if (!marked_ && wholeRecords == 0 && !magic) {
    return FileStatus::kTooShort;  // too short to be a response file
  }
  if (!magic) {
    return FileStatus::kBadMagic;
  }
  header_.version.assign(text, kVersionText.size());
  header_.created.assign(text + kCreatedStampOffset, kStampSize);
  header_.modified.assign(text + kModifiedStampOffset, kStampSize);
  if (marked_) {
    pending_ = mark->pending;
    appending_ = mark->appending;
    storedRecords_ = mark->count;
    FindRecordsBeyondMark(FirstUnclaimedSlot(), wholeRecords);
  } else {
    storedRecords_ = wholeRecords;
    FindUnreadTail(wholeRecords, afterHeader);
  }
  count_ = static_cast<int>(std::min<long long>(storedRecords_, kMaxRecords));
  return FileStatus::kOk;
}

long long ResponseFile::FirstUnclaimedSlot() const {
  return storedRecords_ + (pending_ >= 0 ? 1 : 0) + appending_;
}

void ResponseFile::FindRecordsBeyondMark(long long first, long long slots) {
  ResponseRecord record;
  for (long long slot = first; slot < std::min<long long>(slots, kMaxRecords); ++slot) {
    StoredRecord bytes{};
    std::size_t got = 0;
    if (ReadAllAt(fd_, bytes.data(), kRecordSize, RecordOffset(slot), &got) == FileStatus::kOk &&
        got == kRecordSize && LoadImage(record, bytes.data()) == FileStatus::kOk) {
      tailDamage_.push_back({static_cast<int>(slot), RecordOffset(slot),
                             static_cast<long long>(kRecordSize), DamageReason::kBeyondCommitMark});
    }
  }
}

void ResponseFile::FindUnreadTail(long long wholeRecords, long long afterHeader) {
  if (wholeRecords > kMaxRecords) {
    tailDamage_.push_back({kMaxRecords, RecordOffset(kMaxRecords),
                           (wholeRecords - kMaxRecords) * static_cast<long long>(kRecordSize),
                           DamageReason::kBeyondLimit});
  }
  if (const long long torn = afterHeader % static_cast<long long>(kRecordSize); torn != 0) {
    tailDamage_.push_back({static_cast<int>(std::min<long long>(wholeRecords, INT_MAX)),
                           RecordOffset(wholeRecords), torn, DamageReason::kTornRecord});
  }
}

long long ResponseFile::CommittedEnd() const {
  return headerless_ ? 0 : RecordOffset(storedRecords_);
}

long long ResponseFile::SlotOffset(int index) const {
  return RecordOffset(index == pending_ ? storedRecords_ : index);
}

FileStatus ResponseFile::WriteHeader(const CommitMark& mark) {
  if (stamp_.empty()) {
    stamp_ = CurrentStamp();
  }
  if (headerless_ || storedRecords_ == 0) {
    header_.created = stamp_;  // stamped with the first record
  }
  header_.modified = stamp_;
  header_.version = std::string(kVersionText);
  const std::array<std::uint8_t, kFileHeaderSize> header =
      EncodeHeader(header_.created, header_.modified, mark);
  const FileStatus written = WriteAllAt(fd_, header.data(), header.size(), 0);
  if (written == FileStatus::kOk) {
    headerBytes_ = header;
    headerless_ = false;
    marked_ = true;
    length_ = std::max(length_, static_cast<long long>(kFileHeaderSize));
  }
  return written;
}

FileStatus ResponseFile::OpenForReading(const std::string& name, bool readOnly) {
  FileStatus status = Open(name, readOnly ? Access::kRead : Access::kReadWrite);
  if (status == FileStatus::kOk) {
    status = CheckHeader();
  }
  if (status == FileStatus::kOk && count_ < 1) {
    status = FileStatus::kNoMoreRecords;  // a response file that holds no record yet
  }
  if (status != FileStatus::kOk) {
    Close();
  }
  return status;
}

FileStatus ResponseFile::FillBuffer(int first) {
  const int records = std::min(kRecordsPerRead, count_ - first);
  buffer_.resize(static_cast<std::size_t>(records) * kRecordSize);
  bufferFirst_ = first;
  bufferRecords_ = 0;
  std::size_t got = 0;
  const FileStatus status =
      ReadAllAt(fd_, buffer_.data(), buffer_.size(), RecordOffset(first), &got);
  bufferRecords_ = static_cast<int>(got / kRecordSize);
  return status;
}

FileStatus ResponseFile::ReadNext(StoredRecord* bytes, int* index) {
  if (nextIndex_ >= count_) {
    return FileStatus::kNoMoreRecords;
  }
  *index = nextIndex_++;
  if (*index == pending_) {
    std::size_t got = 0;
    const FileStatus read = ReadAllAt(fd_, bytes->data(), kRecordSize, SlotOffset(*index), &got);
    return read == FileStatus::kOk && got == kRecordSize ? FileStatus::kOk : FileStatus::kShortRead;
  }
  if (*index >= bufferFirst_ + static_cast<int>(buffer_.size() / kRecordSize)) {
    // A failed read leaves the record unread: a short read below.
    static_cast<void>(FillBuffer(*index));
  }
  if (*index >= bufferFirst_ + bufferRecords_) {
    return FileStatus::kShortRead;
  }
  std::memcpy(bytes->data(),
              buffer_.data() + static_cast<std::size_t>(*index - bufferFirst_) * kRecordSize,
              kRecordSize);
  return FileStatus::kOk;
}

FileStatus ResponseFile::ReadAt(const std::string& name, int index, StoredRecord* bytes) {
  ResponseFile file;
  FileStatus status = file.Open(name, Access::kRead);
  if (status == FileStatus::kOk) {
    status = file.CheckHeader();
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  if (index < 0 || index >= file.count_) {
    return FileStatus::kIndexBeyondEnd;
  }
  std::size_t got = 0;
  status = ReadAllAt(file.fd_, bytes->data(), kRecordSize, file.SlotOffset(index), &got);
  if (status != FileStatus::kOk) {
    return status;
  }
  return got == kRecordSize ? FileStatus::kOk : FileStatus::kShortRead;
}

FileStatus ResponseFile::FinishRewrite() {
  StoredRecord waiting{};
  std::size_t got = 0;
  FileStatus status =
      ReadAllAt(fd_, waiting.data(), kRecordSize, RecordOffset(storedRecords_), &got);
  if (status == FileStatus::kOk && got != kRecordSize) {
    status = FileStatus::kShortRead;
  }
  if (status == FileStatus::kOk) {
    status = WriteAllAt(fd_, waiting.data(), kRecordSize, RecordOffset(pending_));
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(fd_);
  }
  // The waiting copy, now after the committed records, is this write's own to cut.
  if (status == FileStatus::kOk) {
    status = WriteHeader({count_, -1, 1});
  }
  if (status == FileStatus::kOk) {
    pending_ = -1;
    appending_ = 1;
  }
  return status;
}

FileStatus ResponseFile::OpenForWriting(const std::string& name, Access access) {
  FileStatus status = Open(name, access);
  if (status == FileStatus::kOk) {
    status = CheckHeader();
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  if (storedRecords_ > kMaxRecords) {
    return FileStatus::kFull;  // records beyond the limit are never cut off nor hidden
  }
  if (marked_ && !tailDamage_.empty()) {
    return FileStatus::kRecordsBeyondMark;  // whole records another program added: never cut
  }
  if (pending_ >= 0) {
    status = FinishRewrite();
  }
  // What lies beyond the committed records was left by a write that never completed, or is a
  // torn last record: cut off, so that new records land right after the committed ones.
  if (status == FileStatus::kOk && length_ > CommittedEnd()) {
    status = TruncateTo(fd_, CommittedEnd());
    if (status == FileStatus::kOk) {
      length_ = CommittedEnd();
      tailDamage_.clear();
    }
  }
  return status;
}

FileStatus ResponseFile::WriteAfterEnd(const void* data, std::size_t size, const CommitMark& mark) {
  const long long end = CommittedEnd();
  const std::array<std::uint8_t, kFileHeaderSize> oldHeader = headerBytes_;
  const bool oldMarked = marked_;
  // The mark first says what is about to be written after the committed records, so that a
  // later writer knows those records, whole or torn, for this write's and may cut them.
  std::array<std::uint8_t, kFileHeaderSize> notice = headerBytes_;
  EncodeCommitMark(
      {static_cast<int>(storedRecords_), pending_, static_cast<int>(size / kRecordSize)},
      notice.data());
  FileStatus status = WriteAllAt(fd_, notice.data(), notice.size(), 0);
  if (status == FileStatus::kOk) {
    status = WriteAllAt(fd_, data, size, end);
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(fd_);
  }
  if (status == FileStatus::kOk) {
    status = WriteHeader(mark);
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(fd_);
  }
  if (status == FileStatus::kOk) {
    storedRecords_ = mark.count;
    count_ = mark.count;
    pending_ = mark.pending;
    length_ = std::max(length_, end + static_cast<long long>(size));
    return status;
  }
  // Not committed: the bytes written after the end are cut off again, and the header is put back
  // as it was.
  if (TruncateTo(fd_, end) == FileStatus::kOk &&
      WriteAllAt(fd_, oldHeader.data(), oldHeader.size(), 0) == FileStatus::kOk) {
    static_cast<void>(SyncFile(fd_));
  }
  headerBytes_ = oldHeader;
  marked_ = oldMarked;
  return status;
}

FileStatus ResponseFile::WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                                     int at) {
  *index = -1;
  const FileStatus status =
      at < 0 ? AppendRecords(name, {bytes}, index) : Rewrite(name, at, nullptr, bytes);
  if (at >= 0 && status == FileStatus::kOk) {
    *index = at;
  }
  return status;
}

FileStatus ResponseFile::ReplaceRecord(const std::string& name, int at,
                                       const StoredRecord& expected, const StoredRecord& bytes) {
  return Rewrite(name, at, &expected, bytes);
}

FileStatus ResponseFile::Rewrite(const std::string& name, int at, const StoredRecord* expected,
                                 const StoredRecord& bytes) {
  ResponseFile file;
  // A rewrite never makes a file: a missing one is not found.
  FileStatus status = file.OpenForWriting(name, Access::kReadWrite);
  if (status != FileStatus::kOk) {
    return status;
  }
  if (at < 0 || at >= file.count_) {
    return FileStatus::kIndexBeyondEnd;  // a rewrite never leaves a hole in the file
  }
  if (expected != nullptr) {
    StoredRecord current{};
    std::size_t got = 0;
    status = ReadAllAt(file.fd_, current.data(), kRecordSize, RecordOffset(at), &got);
    if (status != FileStatus::kOk || got != kRecordSize) {
      return status != FileStatus::kOk ? status : FileStatus::kShortRead;
    }
    if (current != *expected) {
      return FileStatus::kRecordChanged;
    }
  }
  // The new bytes wait after the records; once the mark says so, the rewrite has happened.
  status = file.WriteAfterEnd(bytes.data(), kRecordSize, {file.count_, at});
  if (status != FileStatus::kOk) {
    return status;
  }
  // Copying into place may fail now without loss: readers take the waiting copy, and the next
  // write finishes the copy. Once the waiting copy is cut off, the mark no longer claims its slot.
  if (file.FinishRewrite() == FileStatus::kOk &&
      TruncateTo(file.fd_, file.CommittedEnd()) == FileStatus::kOk &&
      file.WriteHeader({file.count_, -1}) == FileStatus::kOk) {
    static_cast<void>(SyncFile(file.fd_));
  }
  return FileStatus::kOk;
}

FileStatus ResponseFile::AppendRecords(const std::string& name,
                                       const std::vector<StoredRecord>& records, int* firstIndex) {
  *firstIndex = -1;
  ResponseFile file;
  FileStatus status = file.OpenForWriting(name, Access::kCreate);
  if (status == FileStatus::kOk && file.storedRecords_ + static_cast<long long>(records.size()) >
                                       static_cast<long long>(kMaxRecords)) {
    status = FileStatus::kFull;
  }
  if (status == FileStatus::kOk && file.headerless_ && !records.empty()) {
    // A new file gets a header that commits no record yet, so that a write cut short leaves a
    // file that takes records again; its name is made lasting with the folder.
    status = file.WriteHeader({0, -1});
    if (status == FileStatus::kOk) {
      status = SyncFile(file.fd_);
    }
    if (status == FileStatus::kOk) {
      status = SyncFolderOf(name);
    }
  }
  const int before = file.count_;
  if (status == FileStatus::kOk && !records.empty()) {
    status = file.WriteAfterEnd(records.data(), records.size() * kRecordSize,
                                {before + static_cast<int>(records.size()), -1});
  }
  if (status != FileStatus::kOk || records.empty()) {
    file.RemoveIfMadeEmpty(name);  // a first write that failed, or had nothing to write
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  *firstIndex = before;
  return FileStatus::kOk;
}

FileStatus ResponseFile::WriteNewFile(const std::string& name,
                                      const std::vector<StoredRecord>& records) {
  if (records.empty() || records.size() > static_cast<std::size_t>(kMaxRecords)) {
    return records.empty() ? FileStatus::kNoMoreRecords : FileStatus::kFull;
  }
  const std::string stamp = CurrentStamp();
  const std::array<std::uint8_t, kFileHeaderSize> header =
      EncodeHeader(stamp, stamp, {static_cast<int>(records.size()), -1});
  std::string bytes(header.begin(), header.end());
  bytes.append(reinterpret_cast<const char*>(records.data()), records.size() * kRecordSize);
  // Unnamed until it is whole: a kill leaves no part of the file under its name.
  CsvFile file;
  FileStatus status = file.Open(name, false);
  if (status == FileStatus::kOk) {
    status = file.Write(bytes);
  }
  return status == FileStatus::kOk ? file.Commit() : status;
}

void ResponseFile::RemoveIfMadeEmpty(const std::string& name) {
  // Another process may have opened the new file, taken the lock first and committed records
  // to it: those stay. Only a file this open made, still locked and empty of records, goes.
  const bool empty = headerless_ || (marked_ && storedRecords_ == 0 && pending_ < 0);
  if (!created_ || fd_ < 0 || !empty) {
    return;
  }
  struct stat opened {};
  struct stat named {};
  if (fstat(fd_, &opened) == 0 && lstat(name.c_str(), &named) == 0 &&
      opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
    unlink(name.c_str());
  }
}

FileStatus ResponseFile::Salvage(const std::string& name, std::vector<StoredRecord>* good,
                                 unsigned* lost) {
  good->clear();
  *lost = 0;
  ResponseFile file;
  if (const FileStatus opened = file.Open(name, Access::kRead); opened != FileStatus::kOk) {
    return opened;
  }
  const bool marked = file.CheckHeader() == FileStatus::kOk && file.marked_;
  // Every slot after the header, a torn last one included.
  const long long allSlots =
      (std::max(file.length_ - static_cast<long long>(kFileHeaderSize), 0LL) +
       static_cast<long long>(kRecordSize) - 1) /
      static_cast<long long>(kRecordSize);
  // A marked file gives its committed records, then whatever another program added after them;
  // the slots of its own unfinished writes are left out.
  std::vector<long long> offsets;
  const long long committed = marked ? file.storedRecords_ : 0;
  for (long long slot = 0; slot < committed; ++slot) {
    offsets.push_back(file.SlotOffset(static_cast<int>(slot)));
  }
  const long long firstAdded = marked ? file.FirstUnclaimedSlot() : 0;
  for (long long slot = firstAdded; slot < allSlots; ++slot) {
    if (static_cast<long long>(offsets.size()) >= kMaxRecords) {
      *lost += static_cast<unsigned>(std::min<long long>(allSlots - slot, 0xFFFFFFFF - *lost));
      break;  // beyond the 657th: never read
    }
    offsets.push_back(RecordOffset(slot));
  }
  ResponseRecord record;
  for (const long long offset : offsets) {
    StoredRecord bytes{};
    std::size_t got = 0;
    if (const FileStatus read = ReadAllAt(file.fd_, bytes.data(), kRecordSize, offset, &got);
        read != FileStatus::kOk) {
      return read;
    }
    if (got == kRecordSize && LoadImage(record, bytes.data()) == FileStatus::kOk) {
      good->push_back(bytes);
    } else {
      ++*lost;  // failed its checksum, or a torn last record
    }
  }
  return FileStatus::kOk;
}

}  // namespace acv
