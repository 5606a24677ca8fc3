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

constexpr std::size_t kHeaderBlanks = 42;
// Appends write a vector of records as one run of bytes.
static_assert(sizeof(StoredRecord) == kRecordSize);
// Records are read this many at a time: few calls, and each run still fits the cache while it
// is decoded.
constexpr int kRecordsPerRead = 32;

// Whether the folder a file name lies in exists (a read-only open of a missing file in it reads
// as empty, as a read-write open would have created it).
bool FolderExists(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : name.substr(0, slash + 1);
  struct stat info {};
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
  buffer_.clear();
  bufferFirst_ = 0;
  bufferRecords_ = 0;
  version_.clear();
  created_.clear();
  modified_.clear();
  nextIndex_ = 0;
  count_ = 0;
}

int ResponseFile::Open(const std::string& name, bool readOnly) {
  Close();
  readOnly_ = readOnly;
  if (name.empty()) {
    return kFileBadPath;
  }
  if (readOnly) {
    fd_ = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT && FolderExists(name)) {
      return 0;  // a missing file reads as an empty one; reading never creates it
    }
  } else {
    fd_ = open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
  }
  if (fd_ < 0) {
    return StatusFromErrno(errno);
  }
  struct stat info {};
  if (fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int status = S_ISDIR(info.st_mode) ? kFileBadPath : StatusFromErrno(errno);
    Close();
    return status;
  }
  const int locked = LockWholeFile(fd_, !readOnly);
  if (locked != kFileOk) {
    Close();
    return locked;
  }
  if (fstat(fd_, &info) != 0) {
    const int status = StatusFromErrno(errno);
    Close();
    return status;
  }
  length_ = info.st_size;
  return length_ > 0x7fffffffLL ? 0x7fffffff : static_cast<int>(length_);
}

int ResponseFile::recordCount() const {
  if (length_ < static_cast<long long>(kFileHeaderSize)) {
    return 0;
  }
  return static_cast<int>((length_ - static_cast<long long>(kFileHeaderSize)) /
                          static_cast<long long>(kRecordSize));
}

int ResponseFile::CheckHeader() {
  if (length_ == 0) {
    return 1;
  }
  if (length_ < static_cast<long long>(kMinFileSize)) {
    return kFileTooShort;
  }
  if ((length_ - static_cast<long long>(kFileHeaderSize)) % static_cast<long long>(kRecordSize) !=
      0) {
    return kFileBadLength;
  }
  char header[kFileHeaderSize];
  if (ReadAllAt(fd_, header, sizeof header, 0) != static_cast<long long>(kFileHeaderSize)) {
    return kFileHeaderUnreadable;
  }
  if (std::string_view(header, kMagic.size()) != kMagic) {
    return kFileBadMagic;
  }
  version_.assign(header, kVersionText.size());
  created_.assign(header + kCreatedStampOffset, kStampSize);
  modified_.assign(header + kModifiedStampOffset, kStampSize);
  return 0;
}

int ResponseFile::WriteHeader() {
  const int checked = CheckHeader();
  if (checked < 0) {
    return checked;
  }
  const std::string now = CurrentStamp();
  if (checked == 1) {
    created_ = now;  // stamped once, with the first record
  }
  modified_ = now;
  version_ = std::string(kVersionText);
  std::string header(kFileHeaderSize, '\0');
  header.replace(0, kVersionText.size(), kVersionText);
  header.replace(kCreatedStampOffset, kStampSize, created_);
  header.replace(kModifiedStampOffset, kStampSize, modified_);
  header.replace(kModifiedStampOffset + kStampSize, kHeaderBlanks, kHeaderBlanks, ' ');
  // Byte 80 is zero and bytes 81..242 are left zero: readers ignore them.
  return WriteAllAt(fd_, header.data(), header.size(), 0);
}

int ResponseFile::OpenForReading(const std::string& name, bool readOnly, StoredRecord* bytes,
                                 int* count) {
  const int opened = Open(name, readOnly);
  if (opened < 0) {
    return opened;
  }
  const int checked = CheckHeader();
  if (checked < 0) {
    return checked;
  }
  count_ = recordCount();
  *count = count_;
  if (count_ < 1) {
    return kFileTooShort;
  }
  const int filled = FillBuffer(0);
  if (filled < 0) {
    return filled;
  }
  nextIndex_ = 0;
  int index = 0;
  return ReadNext(bytes, &index);
}

int ResponseFile::FillBuffer(int first) {
  const int records = std::min(kRecordsPerRead, count_ - first);
  buffer_.resize(static_cast<std::size_t>(records) * kRecordSize);
  bufferFirst_ = first;
  bufferRecords_ = 0;
  const long long got = ReadAllAt(fd_, buffer_.data(), buffer_.size(),
                                  static_cast<long long>(kFileHeaderSize + kRecordSize * first));
  if (got < 0) {
    return static_cast<int>(got);
  }
  bufferRecords_ = static_cast<int>(got / static_cast<long long>(kRecordSize));
  return 0;
}

int ResponseFile::ReadNext(StoredRecord* bytes, int* index) {
  if (nextIndex_ >= count_) {
    return kFileNoMoreRecords;
  }
  *index = nextIndex_++;
  if (*index >= bufferFirst_ + static_cast<int>(buffer_.size() / kRecordSize)) {
    FillBuffer(*index);  // a failed read leaves the record unread, a short read below
  }
  if (*index >= bufferFirst_ + bufferRecords_) {
    return kFileShortRead;
  }
  std::memcpy(bytes->data(),
              buffer_.data() + static_cast<std::size_t>(*index - bufferFirst_) * kRecordSize,
              kRecordSize);
  return nextIndex_ == count_ ? 1 : 0;
}

int ResponseFile::ReadAt(const std::string& name, int index, StoredRecord* bytes) {
  ResponseFile file;
  const int opened = file.Open(name, true);
  if (opened < 0) {
    return opened;
  }
  if (index < 0 || file.length_ < static_cast<long long>(kRecordSize) * index +
                                      static_cast<long long>(kMinFileSize)) {
    return kFileIndexBeyondEnd;
  }
  const long long got = ReadAllAt(file.fd_, bytes->data(), kRecordSize,
                                  static_cast<long long>(kFileHeaderSize + kRecordSize * index));
  return static_cast<int>(got);
}

int ResponseFile::OpenForWriting(const std::string& name) {
  const int opened = Open(name, false);
  return opened < 0 ? opened : CheckHeader();
}

template <typename Undo>
int ResponseFile::WriteAndFlush(const void* data, std::size_t size, long long offset, bool wasEmpty,
                                Undo undo) {
  // A new file gets its header first so that the records land after it; an existing one gets
  // its modified stamp only once the records are in place.
  if (wasEmpty) {
    const int header = WriteHeader();
    if (header != kFileOk) {
      return undo(header);
    }
  }
  const int written = WriteAllAt(fd_, data, size, offset);
  if (written != kFileOk) {
    return undo(written);
  }
  length_ = std::max(length_, offset + static_cast<long long>(size));
  if (!wasEmpty) {
    const int header = WriteHeader();
    if (header != kFileOk) {
      return undo(header);
    }
  }
  if (fsync(fd_) != 0) {
    return undo(StatusFromErrno(errno));
  }
  return kFileOk;
}

int ResponseFile::WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                              int at) {
  if (at < 0) {
    return AppendRecords(name, {bytes}, index);
  }
  *index = -1;
  ResponseFile file;
  const int checked = file.OpenForWriting(name);
  if (checked < 0) {
    return checked;
  }
  if (at >= file.recordCount()) {
    return kFileIndexBeyondEnd;  // a rewrite never leaves a hole in the file
  }
  // Whatever fails from here on, the record gets its old bytes back.
  const long long offset = static_cast<long long>(kFileHeaderSize + kRecordSize * at);
  StoredRecord previous{};
  if (ReadAllAt(file.fd_, previous.data(), kRecordSize, offset) !=
      static_cast<long long>(kRecordSize)) {
    return kFileHardIo;
  }
  const int status = file.WriteAndFlush(bytes.data(), kRecordSize, offset, false, [&](int failed) {
    WriteAllAt(file.fd_, previous.data(), kRecordSize, offset);
    fsync(file.fd_);
    return failed;
  });
  if (status == kFileOk) {
    *index = at;
  }
  return status;
}

int ResponseFile::AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                int* firstIndex) {
  *firstIndex = -1;
  ResponseFile file;
  const int checked = file.OpenForWriting(name);
  if (checked < 0) {
    return checked;
  }
  const int before = file.recordCount();
  if (records.size() > static_cast<std::size_t>(kMaxRecords - before)) {
    return kFileFull;
  }
  if (records.empty()) {
    *firstIndex = before;
    return kFileOk;
  }
  const bool wasEmpty = checked == 1;
  const long long oldLength = file.length_;
  const long long offset = wasEmpty ? static_cast<long long>(kFileHeaderSize) : oldLength;
  // Whatever fails from here on, the file is cut back to its old length: a new file is left
  // empty rather than holding a header alone.
  const int status = file.WriteAndFlush(records.data(), records.size() * kRecordSize, offset,
                                        wasEmpty, [&](int failed) {
                                          if (ftruncate(file.fd_, oldLength) == 0) {
                                            fsync(file.fd_);
                                          }
                                          return failed;
                                        });
  if (status == kFileOk) {
    *firstIndex = before;
  }
  return status;
}

}  // namespace acv
