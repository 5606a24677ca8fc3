// Opens arbitrary bytes as a response file: the header checks, reading every record, verifying
// each and building the search index must never go wrong, and must agree on the counts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/format/file_status.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/record_search.h"

namespace {

std::string TempFile(const std::uint8_t* data, std::size_t size) {
  const char* folder = std::getenv("TMPDIR");
  std::string name = std::string(folder != nullptr ? folder : "/tmp") + "/acv-fuzz-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    std::abort();
  }
  for (std::size_t written = 0; written < size;) {
    const ssize_t now = write(fd, data + written, size - written);
    if (now <= 0) {
      std::abort();
    }
    written += static_cast<std::size_t>(now);
  }
  close(fd);
  return name;
}

// The input's file, for the checks below; a failed check removes it before it aborts.
std::string name;

[[noreturn]] void Fail() {
  unlink(name.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  name = TempFile(data, size);
  int good = 0;
  int count = 0;
  int unreadTail = 0;  // the damaged parts after the records, counted with the corrupt ones
  {
    acv::ResponseFile file;
    if (file.OpenForReading(name, true) == acv::FileStatus::kOk) {
      count = file.recordCount();
      unreadTail = static_cast<int>(file.tailDamage().size());
      if (count < 1 || count > acv::kMaxRecords) {
        Fail();
      }
      acv::StoredRecord bytes{};
      int index = -1;
      int read = 0;
      for (acv::FileStatus status = file.ReadNext(&bytes, &index);
           status != acv::FileStatus::kNoMoreRecords; status = file.ReadNext(&bytes, &index)) {
        acv::ResponseRecord record;
        good += status == acv::FileStatus::kOk &&
                        acv::LoadImage(record, bytes.data()) == acv::FileStatus::kOk
                    ? 1
                    : 0;
        if (index != read++ || read > count) {
          Fail();
        }
      }
      if (read != count) {
        Fail();
      }
    }
  }
  acv::RecordIndex index;
  if (acv::BuildRecordIndex(name, true, &index) == acv::FileStatus::kOk) {
    if (index.recordCount != count ||
        static_cast<int>(index.entries.size()) + static_cast<int>(index.corruptCount) !=
            count + unreadTail ||
        static_cast<int>(index.entries.size()) != good) {
      Fail();
    }
    for (const acv::IndexEntry& entry : index.entries) {
      acv::StoredRecord again{};
      if (acv::ResponseFile::ReadAt(name, entry.fileIndex, &again) != acv::FileStatus::kOk) {
        Fail();
      }
    }
  }
  unlink(name.c_str());
  return 0;
}
