#include "storage/export_passwords.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "storage/file_status.h"
#include "storage/posix_file.h"

namespace acv {
namespace {

// Each line of the file is "Password<slot>=<hash>".
constexpr std::string_view kKey = "Password";

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

ExportPasswords::ExportPasswords(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() > kKey.size() + 2 && line.starts_with(kKey) && line[kKey.size() + 1] == '=') {
      const int slot = line[kKey.size()] - '0';
      if (slot >= 1 && slot <= kSlots) {
        hashes_[static_cast<std::size_t>(slot - 1)] = line.substr(kKey.size() + 2);
      }
    }
  }
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
    if (crypto_pwhash_str_alg(
            made, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0) {
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
