#include "storage/format/whole_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "storage/format/file_status.h"
#include "storage/format/posix_file.h"

namespace acv {
namespace {}  // namespace

WholeFileWriter::~WholeFileWriter() {
  Abandon();
}

void WholeFileWriter::CloseAll() {
  static_cast<void>(Written());
  if (fd_ >= 0) {
    close(fd_);
  }
  if (oldFd_ >= 0) {
    close(oldFd_);  // also releases its lock
  }
  fd_ = -1;
  oldFd_ = -1;
  pending_.clear();
  failed_ = FileStatus::kOk;
  length_ = 0;
}

FileStatus WholeFileWriter::WriteFile(const std::string& name, bool replace, std::string_view bytes,
                                      unsigned mode) {
  WholeFileWriter file(mode);
  FileStatus status = file.Open(name, replace);
  if (status == FileStatus::kOk) {
    status = file.Write(bytes);
  }
  return status == FileStatus::kOk ? file.Commit() : status;
}

FileStatus WholeFileWriter::Open(const std::string& name, bool replace) {
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
    // The old file must be ours to replace: a regular file, writable, and not in use by another
    // export.
    if (const FileStatus opened = OpenRegularFile(name, O_WRONLY, 0, &oldFd_);
        opened != FileStatus::kOk) {
      return opened;
    }
    const FileStatus locked = LockWholeFile(oldFd_, true);
    if (locked != FileStatus::kOk) {
      CloseAll();
      return locked;
    }
  } else if (errno != ENOENT) {
    return StatusFromErrno(errno);
  }
  const FileStatus created = CreateTemporary();
  if (created != FileStatus::kOk) {
    Abandon();
  }
  return created;
}

FileStatus WholeFileWriter::CreateTemporary() {
  // A part file another export holds locked is in use; one nobody holds was left by an export
  // that was killed, and goes.
  const std::string part = name_ + ".part";
  if (const int old = open(part.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK); old >= 0) {
    const bool stale = LockWholeFile(old, true) == FileStatus::kOk;
    if (stale) {
      unlink(part.c_str());
    }
    close(old);
    if (!stale) {
      return FileStatus::kSharingViolation;
    }
  }
  // Readable by the owner only while it is written; the file as committed gets the usual mode.
  // Locked from the start, so that no other export takes it for one a kill left, once it is
  // named as a part file.
  fd_ = open(FolderOf(name_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ >= 0) {
    return LockWholeFile(fd_, true);
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return StatusFromErrno(errno);
  }
  fd_ = open(part.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    return StatusFromErrno(errno);
  }
  partName_ = part;
  return LockWholeFile(fd_, true);
}

FileStatus WholeFileWriter::WriteLine(std::string_view line) {
  const FileStatus written = Write(line);
  return written == FileStatus::kOk ? Write("\r\n") : written;
}

FileStatus WholeFileWriter::Written() {
  if (writing_.valid()) {
    const FileStatus status = writing_.get();
    failed_ = failed_ == FileStatus::kOk ? status : failed_;
  }
  return failed_;
}

FileStatus WholeFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0) {
    return FileStatus::kInvalid;
  }
  pending_ += bytes;
  if (pending_.size() < kWritingRun) {
    return failed_;
  }
  if (const FileStatus status = Written(); status != FileStatus::kOk) {
    return status;
  }
  handed_.swap(pending_);
  pending_.clear();
  const long long at = length_;
  length_ += static_cast<long long>(handed_.size());
  // The disk is set writing each run as soon as it is in the file, so that the sync at the end
  // has little left to wait for.
  writing_ = std::async(std::launch::async, [this, at] {
    const FileStatus status = WriteAllAt(fd_, handed_.data(), handed_.size(), at);
    if (status == FileStatus::kOk) {
      StartWriting(fd_, at, static_cast<long long>(handed_.size()));
    }
    return status;
  });
  return FileStatus::kOk;
}

FileStatus WholeFileWriter::Commit() {
  if (fd_ < 0) {
    return FileStatus::kInvalid;
  }
  FileStatus status = Written();
  if (status == FileStatus::kOk) {
    status = WriteAllAt(fd_, pending_.data(), pending_.size(), length_);
  }
  if (status == FileStatus::kOk) {
    status = SyncFile(fd_);
  }
  if (status == FileStatus::kOk && partName_.empty()) {
    // The unnamed file gets a name of its own beside the target first when it replaces one.
    const std::string linked = replace_ ? name_ + ".part" : name_;
    status = LinkUnnamedFile(fd_, linked);
    if (status == FileStatus::kOk && replace_) {
      partName_ = linked;
    }
  }
  if (status == FileStatus::kOk && !partName_.empty()) {
    status = RenameFile(partName_, name_, replace_);
  }
  if (status != FileStatus::kOk) {
    Abandon();
    return status;
  }
  partName_.clear();
  // Readable by the owner alone until it has the target's name, the usual mode from then on.
  const mode_t mask = umask(0);
  umask(mask);
  status = fchmod(fd_, mode_ & ~mask) == 0 ? FileStatus::kOk : StatusFromErrno(errno);
  CloseAll();
  return status == FileStatus::kOk ? SyncFolderOf(name_) : status;
}

void WholeFileWriter::Abandon() {
  if (!partName_.empty()) {
    unlink(partName_.c_str());
    partName_.clear();
  }
  CloseAll();
}

}  // namespace acv
