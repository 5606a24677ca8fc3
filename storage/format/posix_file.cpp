#include "storage/format/posix_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace acv {
namespace {

FaultHook faultHook = nullptr;
FaultHook lockHook = nullptr;
ReadHook readHook = nullptr;

void BeforeChange() {
  if (faultHook != nullptr) {
    faultHook();
  }
}

FileStatus WriteRun(int fd, const char* bytes, std::size_t size, long long offset) {
  while (size > 0) {
    const ssize_t written = pwrite(fd, bytes, size, offset);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return StatusFromErrno(errno);
    }
    if (written == 0) {
      return FileStatus::kDiskFull;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
    offset += written;
  }
  return FileStatus::kOk;
}

// Local filesystems whose flush of the whole filesystem makes every file on it lasting, with one
// commit of its journal and one flush of the disk. Network and user-space filesystems are left
// out: there only each file's own flush is sure.
constexpr std::array<decltype(statfs::f_type), 5> kFlushedWhole = {
    EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, BTRFS_SUPER_MAGIC, F2FS_SUPER_MAGIC, TMPFS_MAGIC};

// Beyond this much data waiting to be written anywhere, a flush of the whole filesystem could
// keep a save waiting for other programs' writes.
constexpr long long kMostWaitingKb = 16 * 1024;

long long WaitingToBeWrittenKb() {
  std::array<char, 8192> text{};
  const int fd = open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return kMostWaitingKb;
  }
  const ssize_t got = read(fd, text.data(), text.size() - 1);
  close(fd);
  long long kb = 0;
  for (const char* field : {"\nDirty:", "\nWriteback:"}) {
    const char* at = got > 0 ? std::strstr(text.data(), field) : nullptr;
    if (at == nullptr) {
      return kMostWaitingKb;
    }
    kb += std::atoll(at + std::strlen(field));
  }
  return kb;
}

bool OneFlushTakesBoth(int first, int second) {
  struct stat one {};
  struct stat other {};
  struct statfs disk {};
  return fstat(first, &one) == 0 && fstat(second, &other) == 0 && one.st_dev == other.st_dev &&
         fstatfs(first, &disk) == 0 &&
         std::find(kFlushedWhole.begin(), kFlushedWhole.end(), disk.f_type) !=
             kFlushedWhole.end() &&
         WaitingToBeWrittenKb() < kMostWaitingKb;
}

}  // namespace

void SetFaultHookForTesting(FaultHook hook) {
  faultHook = hook;
}

void SetLockHookForTesting(FaultHook hook) {
  lockHook = hook;
}

void SetReadHookForTesting(ReadHook hook) {
  readHook = hook;
}

FileStatus StatusFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return FileStatus::kNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EISDIR:
      return FileStatus::kBadPath;
    case EMFILE:
    case ENFILE:
      return FileStatus::kTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
      return FileStatus::kAccessDenied;
    case EBADF:
      return FileStatus::kInvalid;
    case EMLINK:
      return FileStatus::kDirectoryFull;
    case ESPIPE:
    case EOVERFLOW:
      return FileStatus::kBadSeek;
    case EIO:
      return FileStatus::kHardIo;
    case EAGAIN:
      return FileStatus::kSharingViolation;
    case EDEADLK:
    case ENOLCK:
      return FileStatus::kLockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileStatus::kDiskFull;
    case EEXIST:
      return FileStatus::kFileExists;
    default:
      return FileStatus::kGeneric;
  }
}

FileStatus OpenRegularFile(const std::string& name, int flags, int mode, int* fd,
                           std::size_t* size) {
  *fd = -1;
  if (name.empty()) {
    return FileStatus::kBadPath;
  }
  const int opened = open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
  if (opened < 0) {
    // A folder cannot be opened for writing; a pipe without a reader or a missing device is
    // no file either.
    return errno == EISDIR || errno == ENXIO ? FileStatus::kNotRegularFile : StatusFromErrno(errno);
  }
  struct stat info {};
  if (fstat(opened, &info) != 0 || !S_ISREG(info.st_mode)) {
    const FileStatus status =
        S_ISREG(info.st_mode) ? StatusFromErrno(errno) : FileStatus::kNotRegularFile;
    close(opened);
    return status;
  }
  // Regular files never block; reads and writes go on as usual.
  fcntl(opened, F_SETFL, fcntl(opened, F_GETFL) & ~O_NONBLOCK);
  *fd = opened;
  if (size != nullptr) {
    *size = static_cast<std::size_t>(info.st_size);
  }
  return FileStatus::kOk;
}

FileStatus LockWholeFile(int fd, bool forWriting) {
  if (lockHook != nullptr) {
    lockHook();
  }
  struct flock lock {};
  lock.l_type = forWriting ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;  // the whole file, however long it grows
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0) {
    return FileStatus::kOk;
  }
  // A conflicting lock is reported as EAGAIN or EACCES.
  return (errno == EAGAIN || errno == EACCES) ? FileStatus::kSharingViolation
                                              : StatusFromErrno(errno);
}

FileStatus WriteAllAt(int fd, const void* data, std::size_t size, long long offset) {
  const auto* bytes = static_cast<const char*>(data);
  BeforeChange();
  if (faultHook == nullptr) {
    return WriteRun(fd, bytes, size, offset);
  }
  // Under test, in two halves, so that a write can be cut off in the middle.
  const std::size_t half = size / 2;
  if (const FileStatus first = WriteRun(fd, bytes, half, offset); first != FileStatus::kOk) {
    return first;
  }
  BeforeChange();
  return WriteRun(fd, bytes + half, size - half, offset + static_cast<long long>(half));
}

FileStatus LinkUnnamedFile(int fd, const std::string& name) {
  BeforeChange();
  const std::string unnamed = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
             ? FileStatus::kOk
             : StatusFromErrno(errno);
}

FileStatus RenameFile(const std::string& from, const std::string& to, bool replace) {
  BeforeChange();
  if (replace) {
    return rename(from.c_str(), to.c_str()) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
  }
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return FileStatus::kOk;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    return StatusFromErrno(errno);
  }
  // File systems without that rename: a hard link fails in the same way when `to` exists.
  if (link(from.c_str(), to.c_str()) != 0) {
    return StatusFromErrno(errno);
  }
  unlink(from.c_str());
  return FileStatus::kOk;
}

FileStatus TruncateTo(int fd, long long length) {
  BeforeChange();
  return ftruncate(fd, length) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
}

FileStatus SyncFile(int fd) {
  BeforeChange();
  return fsync(fd) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
}

FileStatus SyncFiles(int first, int second) {
  if (OneFlushTakesBoth(first, second)) {
    BeforeChange();
    return syncfs(first) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
  }
  const FileStatus status = SyncFile(first);
  return status == FileStatus::kOk ? SyncFile(second) : status;
}

void StartWriting(int fd, long long offset, long long length) {
  static_cast<void>(sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE));
}

FileStatus ReadAllAt(int fd, void* data, std::size_t size, long long offset, std::size_t* got) {
  auto* bytes = static_cast<char*>(data);
  *got = 0;
  if (readHook != nullptr) {
    if (const FileStatus failed = readHook(offset, size); failed != FileStatus::kOk) {
      return failed;
    }
  }
  while (size > 0) {
    const ssize_t now = pread(fd, bytes, size, offset);
    if (now < 0) {
      if (errno == EINTR) {
        continue;
      }
      return StatusFromErrno(errno);
    }
    if (now == 0) {
      break;
    }
    bytes += now;
    size -= static_cast<std::size_t>(now);
    offset += now;
    *got += static_cast<std::size_t>(now);
  }
  return FileStatus::kOk;
}

FileStatus ReadWholeFile(const std::string& name, std::size_t limit, std::string* bytes) {
  bytes->clear();
  int fd = -1;
  std::size_t size = 0;
  FileStatus status = OpenRegularFile(name, O_RDONLY, 0, &fd, &size);
  if (status != FileStatus::kOk) {
    return status;
  }
  bytes->resize(std::min(size, limit + 1));
  std::size_t got = 0;
  status = ReadAllAt(fd, bytes->data(), bytes->size(), 0, &got);
  bytes->resize(got);
  close(fd);
  return status;
}

std::string FolderOf(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  return slash == std::string::npos ? "." : name.substr(0, slash + 1);
}

FileStatus SyncFolderOf(const std::string& name) {
  const int fd = open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return StatusFromErrno(errno);
  }
  const FileStatus status = fsync(fd) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
  close(fd);
  return status;
}

}  // namespace acv
