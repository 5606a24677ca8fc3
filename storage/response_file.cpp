#include "storage/response_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "storage/posix_file.h"
#include "storage/record_image.h"

namespace acv {
namespace {

// Appends write a vector of records as one run of bytes.
static_assert(sizeof(StoredRecord) == kRecordSize);
// Records are read this many at a time: few calls, and each run still fits the cache while it
// is decoded.
constexpr int kRecordsPerRead = 32;
// Opening a file that a failed first write removed meanwhile is tried again this often.
constexpr int kOpenAttempts = 8;

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
  storedRecords_ = 0;
  unreadTail_ = false;
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
    storedRecords_ = mark->count;
  } else {
    storedRecords_ = wholeRecords;
    unreadTail_ =
        afterHeader % static_cast<long long>(kRecordSize) != 0 || wholeRecords > kMaxRecords;
  }
  count_ = static_cast<int>(std::min<long long>(storedRecords_, kMaxRecords));
  return FileStatus::kOk;
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
  std::array<std::uint8_t, kFileHeaderSize> header{};
  std::memcpy(header.data(), kVersionText.data(), kVersionText.size());
  std::memcpy(header.data() + kCreatedStampOffset, header_.created.data(), kStampSize);
  std::memcpy(header.data() + kModifiedStampOffset, header_.modified.data(), kStampSize);
  std::memset(header.data() + kHeaderBlanksOffset, ' ', kHeaderBlanks);
  // Byte 80 is zero; the mark follows.
  EncodeCommitMark(mark, header.data());
  const FileStatus written = WriteAllAt(fd_, header.data(), header.size(), 0);
  if (written == FileStatus::kOk) {
    headerBytes_ = header;
    headerless_ = false;
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
    status = FileStatus::kTooShort;
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
  if (status == FileStatus::kOk) {
    status = WriteHeader({count_, -1});
  }
  if (status == FileStatus::kOk) {
    pending_ = -1;
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
  if (pending_ >= 0) {
    status = FinishRewrite();
  }
  // What lies beyond the committed records was left by a write that never completed, or is a
  // torn last record: cut off, so that new records land right after the committed ones.
  if (status == FileStatus::kOk && length_ > CommittedEnd()) {
    status = TruncateTo(fd_, CommittedEnd());
    if (status == FileStatus::kOk) {
      length_ = CommittedEnd();
      unreadTail_ = false;
    }
  }
  return status;
}

FileStatus ResponseFile::WriteAfterEnd(const void* data, std::size_t size, const CommitMark& mark) {
  const long long end = CommittedEnd();
  const std::array<std::uint8_t, kFileHeaderSize> oldHeader = headerBytes_;
  FileStatus status = WriteAllAt(fd_, data, size, end);
  if (status == FileStatus::kOk) {
    status = SyncFile(fd_);
  }
  if (status == FileStatus::kOk) {
    status = WriteHeader(mark);
    if (status != FileStatus::kOk) {
      // The old header back: the write may have reached the file in part.
      static_cast<void>(WriteAllAt(fd_, oldHeader.data(), oldHeader.size(), 0));
      headerBytes_ = oldHeader;
    }
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
  // Not committed: the bytes written after the end are cut off again.
  if (TruncateTo(fd_, end) == FileStatus::kOk) {
    static_cast<void>(SyncFile(fd_));
  }
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
  // write finishes the copy.
  if (file.FinishRewrite() == FileStatus::kOk &&
      TruncateTo(file.fd_, file.CommittedEnd()) == FileStatus::kOk) {
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
  if (file.created_ && (status != FileStatus::kOk || records.empty())) {
    unlink(name.c_str());  // a first write that failed, or had nothing to write, leaves no file
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  *firstIndex = before;
  return FileStatus::kOk;
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
  const long long slots =
      marked ? file.storedRecords_
             : (std::max(file.length_ - static_cast<long long>(kFileHeaderSize), 0LL) +
                static_cast<long long>(kRecordSize) - 1) /
                   static_cast<long long>(kRecordSize);
  ResponseRecord record;
  for (long long slot = 0; slot < slots; ++slot) {
    StoredRecord bytes{};
    std::size_t got = 0;
    if (slot >= kMaxRecords) {
      *lost += static_cast<unsigned>(std::min<long long>(slots - slot, 0xFFFFFFFF - *lost));
      break;
    }
    const FileStatus read = ReadAllAt(file.fd_, bytes.data(), kRecordSize,
                                      file.SlotOffset(static_cast<int>(slot)), &got);
    if (read != FileStatus::kOk) {
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
