#include "storage/format/locked_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "storage/format/posix_file.h"

namespace acv {
namespace {

// Opening a file that a failed first write removed meanwhile is tried again this often.
constexpr int kOpenAttempts = 8;

}  // namespace

LockedFile::~LockedFile() {
  Close();
}

void LockedFile::Close() {
  if (fd_ >= 0) {
    close(fd_);  // also releases the lock
  }
  fd_ = -1;
  length_ = 0;
  created_ = false;
}

FileStatus LockedFile::Open(const std::string& name, Access access) {
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

void LockedFile::RemoveIfMadeHere(const std::string& name) const {
  struct stat opened {};
  struct stat named {};
  if (created_ && fd_ >= 0 && fstat(fd_, &opened) == 0 && lstat(name.c_str(), &named) == 0 &&
      opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
    unlink(name.c_str());
  }
}

}  // namespace acv
