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

long long RecordOffset(int index) {
  return static_cast<long long>(kFileHeaderSize) +
         static_cast<long long>(kRecordSize) * static_cast<long long>(index);
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
  isNew_ = false;
  header_ = HeaderStamps();
  count_ = 0;
  nextIndex_ = 0;
  buffer_.clear();
  bufferFirst_ = 0;
  bufferRecords_ = 0;
}

FileStatus ResponseFile::Open(const std::string& name, Access access) {
  Close();
  const int flags = access == Access::kRead        ? O_RDONLY
                    : access == Access::kReadWrite ? O_RDWR
                                                   : O_RDWR | O_CREAT;
  FileStatus status = OpenRegularFile(name, flags, 0660, &fd_);
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
  length_ = info.st_size;
  return FileStatus::kOk;
}

FileStatus ResponseFile::CheckHeader() {
  isNew_ = length_ == 0;
  if (isNew_) {
    return FileStatus::kOk;
  }
  if (length_ < static_cast<long long>(kMinFileSize)) {
    return FileStatus::kTooShort;
  }
  if ((length_ - static_cast<long long>(kFileHeaderSize)) % static_cast<long long>(kRecordSize) !=
      0) {
    return FileStatus::kBadLength;
  }
  char header[kFileHeaderSize];
  std::size_t got = 0;
  if (ReadAllAt(fd_, header, sizeof header, 0, &got) != FileStatus::kOk || got != kFileHeaderSize) {
    return FileStatus::kHeaderUnreadable;
  }
  if (std::string_view(header, kMagic.size()) != kMagic) {
    return FileStatus::kBadMagic;
  }
  header_.version.assign(header, kVersionText.size());
  header_.created.assign(header + kCreatedStampOffset, kStampSize);
  header_.modified.assign(header + kModifiedStampOffset, kStampSize);
  const long long records =
      (length_ - static_cast<long long>(kFileHeaderSize)) / static_cast<long long>(kRecordSize);
  count_ = static_cast<int>(std::min<long long>(records, kMaxRecords + 1));
  return FileStatus::kOk;
}

FileStatus ResponseFile::WriteHeader() {
  const std::string now = CurrentStamp();
  if (isNew_) {
    header_.created = now;  // stamped once, with the first record
  }
  header_.modified = now;
  header_.version = std::string(kVersionText);
  std::string header(kFileHeaderSize, '\0');
  header.replace(0, kVersionText.size(), kVersionText);
  header.replace(kCreatedStampOffset, kStampSize, header_.created);
  header.replace(kModifiedStampOffset, kStampSize, header_.modified);
  header.replace(kHeaderBlanksOffset, kHeaderBlanks, kHeaderBlanks, ' ');
  // Byte 80 is zero and bytes 81..242 are left zero: readers ignore them.
  return WriteAllAt(fd_, header.data(), header.size(), 0);
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
  const FileStatus opened = file.Open(name, Access::kRead);
  if (opened != FileStatus::kOk) {
    return opened;
  }
  if (index < 0 || file.length_ < RecordOffset(index) + static_cast<long long>(kRecordSize)) {
    return FileStatus::kIndexBeyondEnd;
  }
  std::size_t got = 0;
  const FileStatus read =
      ReadAllAt(file.fd_, bytes->data(), kRecordSize, RecordOffset(index), &got);
  if (read != FileStatus::kOk) {
    return read;
  }
  return got == kRecordSize ? FileStatus::kOk : FileStatus::kShortRead;
}

FileStatus ResponseFile::OpenForWriting(const std::string& name) {
  const FileStatus opened = Open(name, Access::kCreate);
  return opened != FileStatus::kOk ? opened : CheckHeader();
}

template <typename Undo>
FileStatus ResponseFile::WriteAndFlush(const void* data, std::size_t size, long long offset,
                                       Undo undo) {
  // A new file gets its header first so that the records land after it; an existing one gets
  // its modified stamp only once the records are in place.
  const bool wasNew = isNew_;
  if (wasNew) {
    if (const FileStatus header = WriteHeader(); header != FileStatus::kOk) {
      return undo(header);
    }
  }
  if (const FileStatus written = WriteAllAt(fd_, data, size, offset); written != FileStatus::kOk) {
    return undo(written);
  }
  length_ = std::max(length_, offset + static_cast<long long>(size));
  if (!wasNew) {
    if (const FileStatus header = WriteHeader(); header != FileStatus::kOk) {
      return undo(header);
    }
  }
  if (fsync(fd_) != 0) {
    return undo(StatusFromErrno(errno));
  }
  return FileStatus::kOk;
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
  FileStatus status = file.Open(name, Access::kReadWrite);
  if (status == FileStatus::kOk) {
    status = file.CheckHeader();
  }
  if (status != FileStatus::kOk) {
    return status;
  }
  if (at >= file.count_) {
    return FileStatus::kIndexBeyondEnd;  // a rewrite never leaves a hole in the file
  }
  // Whatever fails from here on, the record gets its old bytes back.
  const long long offset = RecordOffset(at);
  StoredRecord previous{};
  std::size_t got = 0;
  if (ReadAllAt(file.fd_, previous.data(), kRecordSize, offset, &got) != FileStatus::kOk ||
      got != kRecordSize) {
    return FileStatus::kHardIo;
  }
  if (expected != nullptr && previous != *expected) {
    return FileStatus::kRecordChanged;
  }
  return file.WriteAndFlush(bytes.data(), kRecordSize, offset, [&](FileStatus failed) {
    static_cast<void>(WriteAllAt(file.fd_, previous.data(), kRecordSize, offset));
    fsync(file.fd_);
    return failed;
  });
}

FileStatus ResponseFile::AppendRecords(const std::string& name,
                                       const std::vector<StoredRecord>& records, int* firstIndex) {
  *firstIndex = -1;
  ResponseFile file;
  if (const FileStatus checked = file.OpenForWriting(name); checked != FileStatus::kOk) {
    return checked;
  }
  const int before = file.count_;
  if (before > kMaxRecords || records.size() > static_cast<std::size_t>(kMaxRecords - before)) {
    return FileStatus::kFull;
  }
  if (records.empty()) {
    *firstIndex = before;
    return FileStatus::kOk;
  }
  const long long oldLength = file.length_;
  const long long offset = RecordOffset(before);
  // Whatever fails from here on, the file is cut back to its old length: a new file is left
  // empty rather than holding a header alone.
  const FileStatus status = file.WriteAndFlush(records.data(), records.size() * kRecordSize, offset,
                                               [&](FileStatus failed) {
                                                 if (ftruncate(file.fd_, oldLength) == 0) {
                                                   fsync(file.fd_);
                                                 }
                                                 return failed;
                                               });
  if (status == FileStatus::kOk) {
    *firstIndex = before;
  }
  return status;
}

}  // namespace acv
