// A temporary directory removed with everything in it when the test ends, and record helpers.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/response_record.h"
#include "storage/file_status.h"
#include "storage/format.h"

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

// Where record `index` of a response file starts.
inline std::size_t RecordStart(int index) {
  return kFileHeaderSize + kRecordSize * static_cast<std::size_t>(index);
}

// Flips bits of byte `at` of record `index` in the bytes of a response file, so that the record
// fails its checksum; the default is one of its high bytes.
inline void DamageRecord(std::string* bytes, int index, std::size_t at = 98, char flip = 0x40) {
  (*bytes)[RecordStart(index) + at] ^= flip;
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

// A filled-in record of a made-up person.
inline ResponseRecord Person(std::string_view first, std::string_view last,
                             std::string_view birthDate, int type, int seed = 1) {
  ResponseRecord record;
  record.SetReportType(type);
  record.SetText(TextField::kFirstName, first);
  record.SetText(TextField::kLastName, last);
  record.SetText(TextField::kBirthDate, birthDate);
  record.SetText(TextField::kCompletionDate, "20070612");
  record.SetText(TextField::kStreetAddress, "12 Example Street");
  record.SetText(TextField::kComments, "Made-up record, \"quoted\", with a comma");
  if (type == kObserverReport) {
    record.SetText(TextField::kObserverName, "Jo Observer");
  }
  record.SetGender('F');
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, (item * seed + seed) % 7 - 1);
  }
  return record;
}

}  // namespace acv::testing
