#include "storage/records/file_check.h"

#include <future>

namespace acv {

FileCheck CheckResponseFile(const std::string& responseFile) {
  FileCheck check;
  // The two reads share nothing but the file, which both only read.
  std::future<FileStatus> history =
      std::async(std::launch::async, [&] { return ReviewHistory(responseFile, &check.review); });
  check.indexStatus = BuildRecordIndex(responseFile, true, &check.index);
  check.historyStatus = history.get();
  return check;
}

}  // namespace acv
