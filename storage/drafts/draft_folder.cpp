#include "storage/drafts/draft_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "storage/format/posix_file.h"
#include "storage/format/whole_file_writer.h"

namespace acv {
namespace {

constexpr std::string_view kDraftSuffix = ".draft";
constexpr std::string_view kLockSuffix = ".lock";

// The ids of the folder's files that end in `suffix`.
void AddIds(const std::vector<std::string>& names, std::string_view suffix,
            std::vector<std::string>* ids) {
  for (const std::string& name : names) {
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
      ids->push_back(name.substr(0, name.size() - suffix.size()));
    }
  }
}

bool IsOwnAndPrivate(const struct stat& info) {
  return info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

DraftLock::~DraftLock() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

FileStatus DraftLock::Take(const DraftFolder& folder, const std::string& id) {
  int fd = -1;
  FileStatus status =
      OpenRegularFile(folder.lockFile(id), O_RDWR | O_CREAT | O_NOFOLLOW, 0600, &fd);
  if (status == FileStatus::kOk) {
    status = LockWholeFile(fd, true);
    if (status != FileStatus::kOk) {
      close(fd);
      fd = -1;
    }
  }
  if (status == FileStatus::kOk) {
    if (fd_ >= 0) {
      close(fd_);
    }
    fd_ = fd;
  }
  return status;
}

DraftFolder::DraftFolder(std::string path) : path_(std::move(path)) {
  const std::size_t last = path_.find_last_of('/', path_.size() >= 2 ? path_.size() - 2 : 0);
  checkedFrom_ = last == std::string::npos ? 0 : last + 1;
}

DraftFolder::DraftFolder(const std::string& base, std::string_view below)
    : path_(base + "/" + std::string(below)), checkedFrom_(base.size() + 1) {}

DraftFolder DraftFolder::ForUser() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.local/share";
  }
  return DraftFolder(base, "VELT/ACV/drafts/");
}

FileStatus DraftFolder::Prepare() const {
  // Each folder on the way is made private only where this makes it; the last one always is.
  std::size_t from = 1;
  for (std::size_t slash; (slash = path_.find('/', from)) != std::string::npos; from = slash + 1) {
    if (mkdir(path_.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) {
      return StatusFromErrno(errno);
    }
  }
  return CheckPrivate();
}

FileStatus DraftFolder::CheckPrivate() const {
  struct stat info {};
  for (std::size_t slash = path_.find('/', checkedFrom_); slash != std::string::npos;
       slash = path_.find('/', slash + 1)) {
    const std::string folder = path_.substr(0, slash);
    if (lstat(folder.c_str(), &info) != 0) {
      return StatusFromErrno(errno);
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
      return FileStatus::kNotPrivate;
    }
  }
  if ((info.st_mode & 077) != 0 && chmod(path_.c_str(), 0700) != 0) {
    return StatusFromErrno(errno);
  }
  return FileStatus::kOk;
}

std::string DraftFolder::NewId() const {
  static int count = 0;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char id[64];
  for (;;) {
    std::snprintf(id, sizeof id, "%04d%02d%02d-%02d%02d%02d-%d-%d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(getpid()), ++count);
    struct stat info {};
    if (lstat(draftFile(id).c_str(), &info) != 0 && lstat(lockFile(id).c_str(), &info) != 0) {
      return id;
    }
  }
}

std::vector<FoundDraft> DraftFolder::List(std::vector<SetAsideDraft>* setAside) const {
  std::vector<FoundDraft> found;
  if (CheckPrivate() != FileStatus::kOk) {
    return found;
  }
  DIR* folder = opendir(path_.c_str());
  if (folder == nullptr) {
    return found;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(folder)) {
    names.emplace_back(entry->d_name);
  }
  closedir(folder);
  std::vector<std::string> ids;
  AddIds(names, kDraftSuffix, &ids);
  AddIds(names, kLockSuffix, &ids);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

  for (const std::string& id : ids) {
    auto lock = std::make_unique<DraftLock>();
    if (lock->Take(*this, id) != FileStatus::kOk) {
      continue;  // another program is working on it
    }
    struct stat info {};
    if (lstat(draftFile(id).c_str(), &info) != 0) {
      // Finished meanwhile, or a run that ended before its first draft: only the lock is left.
      unlink(lockFile(id).c_str());
      continue;
    }
    std::string bytes;
    DraftFault fault = DraftFault::kNone;
    const FileStatus read = !S_ISREG(info.st_mode) ? FileStatus::kNotRegularFile
                            : !IsOwnAndPrivate(info)
                                ? FileStatus::kNotPrivate
                                : ReadWholeFile(draftFile(id), kMaxDraftSize, &bytes);
    Draft draft;
    if (read == FileStatus::kNotRegularFile) {
      fault = DraftFault::kNotRegular;
    } else if (read == FileStatus::kNotPrivate) {
      fault = DraftFault::kNotPrivate;
    } else if (read != FileStatus::kOk) {
      continue;  // unreadable now (no permission, an I/O error): left for another time
    } else if (bytes.size() > kMaxDraftSize) {
      fault = DraftFault::kNotDraft;
    } else {
      fault = DecodeDraft(bytes, &draft);
    }
    if (fault == DraftFault::kNone) {
      found.push_back({id, std::move(draft), std::move(lock)});
      continue;
    }
    SetAsideDraft aside{id, fault, LeftInPlace(fault) ? std::string() : SetAside(id)};
    if (setAside != nullptr) {
      setAside->push_back(std::move(aside));
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const FoundDraft& a, const FoundDraft& b) {
    return a.draft.started < b.draft.started;
  });
  return found;
}

std::string DraftFolder::SetAside(const std::string& id) const {
  const std::string movedTo = path_ + id + ".damaged";
  if (RenameFile(draftFile(id), movedTo, false) != FileStatus::kOk) {
    return std::string();
  }
  // Its lock goes with it: nothing is left to hold.
  unlink(lockFile(id).c_str());
  return movedTo;
}

FileStatus DraftFolder::Write(const std::string& id, std::string_view bytes) const {
  return WholeFileWriter::WriteFile(draftFile(id), true, bytes, 0600);
}

FileStatus DraftFolder::Remove(const std::string& id) const {
  if (unlink(draftFile(id).c_str()) != 0 && errno != ENOENT) {
    return StatusFromErrno(errno);
  }
  unlink(lockFile(id).c_str());
  return SyncFolderOf(draftFile(id));
}

}  // namespace acv
