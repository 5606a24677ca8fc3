#include "storage/csv_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "storage/file_status.h"
#include "storage/posix_file.h"

namespace acv {
namespace {

// Creates a new file beside `name` that no other export uses; mode 0660 as for response files.
int CreatePartFile(const std::string& name, std::string* partName) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *partName = name + ".part" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    const int fd = open(partName->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0660);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// Gives `from` the name `to` without ever replacing a file that appeared there meanwhile.
FileStatus RenameNoReplace(const std::string& from, const std::string& to) {
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

}  // namespace

CsvFile::~CsvFile() {
  Abandon();
}

void CsvFile::CloseAll() {
  if (fd_ >= 0) {
    close(fd_);
  }
  if (oldFd_ >= 0) {
    close(oldFd_);  // also releases its lock
  }
  fd_ = -1;
  oldFd_ = -1;
  length_ = 0;
}

FileStatus CsvFile::Open(const std::string& name, bool replace) {
  Abandon();
  name_ = name;
  replace_ = replace;
  struct stat info {};
  if (stat(name.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      return FileStatus::kBadPath;
    }
    if (!replace) {
      return FileStatus::kFileExists;
    }
    // The old file must be ours to replace: writable, and not in use by another export.
    oldFd_ = open(name.c_str(), O_WRONLY | O_CLOEXEC);
    if (oldFd_ < 0) {
      return StatusFromErrno(errno);
    }
    const FileStatus locked = LockWholeFile(oldFd_, true);
    if (locked != FileStatus::kOk) {
      CloseAll();
      return locked;
    }
  } else if (errno != ENOENT) {
    return StatusFromErrno(errno);
  }
  fd_ = CreatePartFile(name, &partName_);
  if (fd_ < 0) {
    const FileStatus status = StatusFromErrno(errno);
    CloseAll();
    partName_.clear();
    return status;
  }
  const FileStatus locked = LockWholeFile(fd_, true);
  if (locked != FileStatus::kOk) {
    Abandon();
    return locked;
  }
  return FileStatus::kOk;
}

FileStatus CsvFile::WriteLine(std::string_view line) {
  if (fd_ < 0) {
    return FileStatus::kInvalid;
  }
  std::string bytes(line);
  bytes += "\r\n";
  const FileStatus written = WriteAllAt(fd_, bytes.data(), bytes.size(), length_);
  if (written != FileStatus::kOk) {
    return written;
  }
  length_ += static_cast<long long>(bytes.size());
  return FileStatus::kOk;
}

FileStatus CsvFile::Commit() {
  if (fd_ < 0) {
    return FileStatus::kInvalid;
  }
  FileStatus status = fsync(fd_) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
  if (status == FileStatus::kOk) {
    status = replace_ ? (rename(partName_.c_str(), name_.c_str()) == 0 ? FileStatus::kOk
                                                                       : StatusFromErrno(errno))
                      : RenameNoReplace(partName_, name_);
  }
  if (status != FileStatus::kOk) {
    Abandon();
    return status;
  }
  partName_.clear();
  CloseAll();
  return FileStatus::kOk;
}

void CsvFile::Abandon() {
  if (!partName_.empty()) {
    unlink(partName_.c_str());
    partName_.clear();
  }
  CloseAll();
}

}  // namespace acv
