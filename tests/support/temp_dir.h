// A temporary directory removed with everything in it when the test ends, the bytes of its
// files, and the damage the tests do to response files.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "storage/format/file_layout.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"

namespace acv {
// Failures print as their numbers.
inline void PrintTo(FileStatus status, std::ostream* out) {
  *out << Code(status);
}
}  // namespace acv

namespace acv::testing {

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/acv-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Flips a bit of one of the high bytes of record `index` in the bytes of a response file, so that
// the record fails its checksum.
inline void DamageRecord(std::string* bytes, int index) {
  constexpr std::size_t kHighByte = 98;
  (*bytes)[static_cast<std::size_t>(RecordOffset(index)) + kHighByte] ^= 0x40;
}

// The same in the file `path`.
inline void DamageRecordIn(const std::string& path, int index) {
  std::string bytes = ReadBytes(path);
  DamageRecord(&bytes, index);
  WriteBytes(path, bytes);
}

// The bytes of a response file as a program that does not know the commit mark leaves them: the
// header bytes the mark is kept in zero, so that the records are counted by the file's length.
inline std::string WithoutCommitMark(std::string bytes) {
  std::fill(bytes.begin() + kIgnoredOffset, bytes.begin() + kFileHeaderSize, '\0');
  return bytes;
}

// Runs `body` in a child process and gives its exit status (the low byte of what it returned).
template <typename Body>
int InChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) {
    _exit(body() & 0xFF);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace acv::testing
