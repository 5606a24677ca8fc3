// What `acv check` reads of a response file: its index and its history, read at the same time,
// each under its own shared lock.
#pragma once

#include <string>

#include "storage/format/file_status.h"
#include "storage/history/history_review.h"
#include "storage/records/record_search.h"

namespace acv {

struct FileCheck {
  FileStatus indexStatus = FileStatus::kOk;  // as BuildRecordIndex gives it
  RecordIndex index;
  FileStatus historyStatus = FileStatus::kOk;  // as ReviewHistory gives it
  HistoryReview review;
};

// Indexes `responseFile` (counting its corrupt records) while its history is walked on a
// thread of its own.
FileCheck CheckResponseFile(const std::string& responseFile);

}  // namespace acv
