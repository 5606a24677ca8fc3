#include "storage/csv/export_passwords.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "storage/format/file_status.h"
#include "storage/format/posix_file.h"

namespace acv {
namespace {

// Each line of the file is "Password<slot>=<hash>".
constexpr std::string_view kKey = "Password";
// Three lines of about a hundred bytes each: anything much larger was not written by Set.
constexpr std::size_t kMaxFileSize = 4096;
// The limits every hash is made with; a hash with others could cost any time and memory.
constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr std::size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

bool SodiumReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

// Makes `folder` and its parents, readable by everyone and writable by the owner only.
FileStatus MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0755) == 0) {
      chmod(part.c_str(), 0755);  // whatever the umask
    } else if (errno != EEXIST) {
      return StatusFromErrno(errno);
    }
    if (slash == std::string::npos) {
      return FileStatus::kOk;
    }
  }
}

// Writes `text` to a new file beside `path` and gives it that name once it is complete and
// flushed, so a failure at any point leaves the previous file as it was.
FileStatus ReplaceFile(const std::string& path, const std::string& text) {
  const std::string folder = FolderOf(path);
  if (const FileStatus made = MakeFolders(folder); made != FileStatus::kOk) {
    return made;
  }
  const std::string newPath = path + ".new" + std::to_string(getpid());
  const int fd = open(newPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    return StatusFromErrno(errno);
  }
  // Readable by every user whatever the umask, so that each can be asked for a password.
  FileStatus status =
      fchmod(fd, 0644) == 0 ? WriteAllAt(fd, text.data(), text.size(), 0) : StatusFromErrno(errno);
  if (status == FileStatus::kOk && fsync(fd) != 0) {
    status = StatusFromErrno(errno);
  }
  if (close(fd) != 0 && status == FileStatus::kOk) {
    status = StatusFromErrno(errno);
  }
  if (status == FileStatus::kOk && rename(newPath.c_str(), path.c_str()) != 0) {
    status = StatusFromErrno(errno);
  }
  if (status != FileStatus::kOk) {
    unlink(newPath.c_str());
    return status;
  }
  return SyncFolderOf(path);
}

}  // namespace

ExportPasswords::ExportPasswords(std::string path, uid_t owner) : path_(std::move(path)) {
  if (const std::string reason = Read(owner); !reason.empty()) {
    hashes_ = {};
    refusal_ = "The export password file\n\t'" + path_ + "'\n" + reason +
               ", so no export password is accepted.\n\nAn administrator can write it anew "
               "with the command\n\n\tsudo acv set-export-password 1";
  }
}

std::string ExportPasswords::Read(uid_t owner) {
  int fd = -1;
  // Never blocks on a pipe or device put at its name.
  const FileStatus opened = OpenRegularFile(path_, O_RDONLY, 0, &fd);
  if (opened == FileStatus::kNotFound) {
    return {};  // no password set
  }
  if (opened == FileStatus::kNotRegularFile) {
    return "is not a regular file";
  }
  if (opened != FileStatus::kOk) {
    return "cannot be read";
  }
  struct stat info {};
  std::string text;
  std::string reason;
  if (fstat(fd, &info) != 0) {
    reason = "cannot be read";
  } else if (info.st_uid != owner) {
    reason = "is not owned by the administrator";
  } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    reason = "can be changed by users other than the administrator";
  } else if (static_cast<unsigned long long>(info.st_size) > kMaxFileSize) {
    reason = "is larger than a password file can be";
  } else {
    text.resize(kMaxFileSize + 1);
    std::size_t got = 0;
    reason = ReadAllAt(fd, text.data(), text.size(), 0, &got) != FileStatus::kOk ? "cannot be read"
             : got > kMaxFileSize ? "is larger than a password file can be"
                                  : "";
    text.resize(got);
  }
  close(fd);
  for (std::size_t start = 0; reason.empty() && start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = std::string_view(text).substr(start, end - start);
    start = end + 1;
    if (line.size() <= kKey.size() + 2 || !line.starts_with(kKey) || line[kKey.size() + 1] != '=') {
      continue;
    }
    const int slot = line[kKey.size()] - '0';
    if (slot < 1 || slot > kSlots) {
      continue;
    }
    std::string hash(line.substr(kKey.size() + 2));
    if (!SodiumReady() || crypto_pwhash_str_needs_rehash(hash.c_str(), kOpsLimit, kMemLimit) != 0) {
      reason = "holds a password hash that was not made by 'acv set-export-password'";
    }
    hashes_[static_cast<std::size_t>(slot - 1)] = std::move(hash);
  }
  return reason;
}

bool ExportPasswords::AnySet() const {
  for (const std::string& hash : hashes_) {
    if (!hash.empty()) {
      return true;
    }
  }
  return false;
}

bool ExportPasswords::Accepts(std::string_view typed) const {
  if (typed.empty() || !SodiumReady()) {
    return false;
  }
  for (const std::string& hash : hashes_) {
    if (!hash.empty() && crypto_pwhash_str_verify(hash.c_str(), typed.data(), typed.size()) == 0) {
      return true;
    }
  }
  return false;
}

FileStatus ExportPasswords::Set(int slot, std::string_view password) {
  if (slot < 1 || slot > kSlots || !SodiumReady()) {
    return FileStatus::kGeneric;
  }
  std::string hash;
  if (!password.empty()) {
    char made[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(made, password.data(), password.size(), kOpsLimit, kMemLimit,
                              crypto_pwhash_ALG_ARGON2ID13) != 0) {
      return FileStatus::kOther;  // out of memory
    }
    hash = made;
  }
  std::array<std::string, kSlots> next = hashes_;
  next[static_cast<std::size_t>(slot - 1)] = hash;
  std::string text;
  for (int i = 0; i < kSlots; ++i) {
    if (!next[static_cast<std::size_t>(i)].empty()) {
      text += std::string(kKey) + std::to_string(i + 1) + "=" + next[static_cast<std::size_t>(i)] +
              "\n";
    }
  }
  const FileStatus status = ReplaceFile(path_, text);
  if (status == FileStatus::kOk) {
    hashes_ = next;
  }
  return status;
}

void WipeSecret(std::string* text) {
  if (!text->empty()) {
    sodium_memzero(text->data(), text->size());
  }
  text->clear();
}

}  // namespace acv
