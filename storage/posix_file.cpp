#include "storage/posix_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "storage/file_status.h"

namespace acv {

int StatusFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EISDIR:
      return kFileBadPath;
    case EMFILE:
    case ENFILE:
      return kFileTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
      return kFileAccessDenied;
    case EBADF:
      return kFileInvalid;
    case EMLINK:
      return kFileDirectoryFull;
    case ESPIPE:
    case EOVERFLOW:
      return kFileBadSeek;
    case EIO:
      return kFileHardIo;
    case EAGAIN:
      return kFileSharingViolation;
    case EDEADLK:
    case ENOLCK:
      return kFileLockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kFileDiskFull;
    default:
      return kFileGeneric;
  }
}

int LockWholeFile(int fd, bool forWriting) {
  struct flock lock {};
  lock.l_type = forWriting ? F_WRLCK : F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;  // the whole file, however long it grows
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0) {
    return kFileOk;
  }
  // A conflicting lock is reported as EAGAIN or EACCES.
  return (errno == EAGAIN || errno == EACCES) ? kFileSharingViolation : StatusFromErrno(errno);
}

int WriteAllAt(int fd, const void* data, std::size_t size, long long offset) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = pwrite(fd, bytes, size, offset);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return StatusFromErrno(errno);
    }
    if (written == 0) {
      return kFileDiskFull;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
    offset += written;
  }
  return kFileOk;
}

long long ReadAllAt(int fd, void* data, std::size_t size, long long offset) {
  auto* bytes = static_cast<char*>(data);
  long long total = 0;
  while (size > 0) {
    const ssize_t got = pread(fd, bytes, size, offset);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return StatusFromErrno(errno);
    }
    if (got == 0) {
      break;
    }
    bytes += got;
    size -= static_cast<std::size_t>(got);
    offset += got;
    total += got;
  }
  return total;
}

}  // namespace acv
