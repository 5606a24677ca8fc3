#include "storage/history/data_taken_out.h"

#include <chrono>
#include <thread>

#include "storage/format/response_file_reader.h"
#include "storage/history/history_journal.h"

namespace acv {
namespace {

// Another program writing the file or its history holds them for a few milliseconds: the
// entry waits that long for them, not for a program that keeps them.
constexpr int kAttempts = 50;
constexpr auto kPause = std::chrono::milliseconds(20);

// One try under the file's shared lock, which keeps out any change of its records while the
// history is read and added to.
FileStatus TryRecording(const std::string& responseFile, const ChangeNote& note) {
  ResponseFileReader file;
  FileStatus status = file.OpenForReading(responseFile, true);
  if (status != FileStatus::kOk) {
    return status;
  }
  std::vector<StoredRecord> records(static_cast<std::size_t>(file.recordCount()));
  std::vector<bool> read(records.size());
  StoredRecord bytes{};
  int index = 0;
  for (FileStatus next = file.ReadNext(&bytes, &index); next != FileStatus::kNoMoreRecords;
       next = file.ReadNext(&bytes, &index)) {
    if (next == FileStatus::kOk) {
      records[static_cast<std::size_t>(index)] = bytes;
      read[static_cast<std::size_t>(index)] = true;
    }
  }
  const std::vector<StoredRecord> none;
  const PlannedWrite state{file.recordCount(), file.recordCount(), none,
                           [&](int at, StoredRecord* record) {
                             if (!read[static_cast<std::size_t>(at)]) {
                               return FileStatus::kShortRead;
                             }
                             *record = records[static_cast<std::size_t>(at)];
                             return FileStatus::kOk;
                           }};
  // Closed (and unlocked) before the file: no writer ever finds the history held.
  HistoryJournal journal(responseFile, note);
  status = journal.Record(state);
  if (status == FileStatus::kOk) {
    status = journal.MakeLasting(-1);
    if (status != FileStatus::kOk) {
      journal.Withdraw();
    }
  }
  return status;
}

}  // namespace

bool RecordDataTakenOut(const std::string& responseFile, HistoryAction action,
                        const std::vector<int>& indexes) {
  const ChangeNote note(action, {}, IndexRuns(indexes));
  for (int attempt = 1;; ++attempt) {
    const FileStatus status = TryRecording(responseFile, note);
    if (status != FileStatus::kSharingViolation || attempt == kAttempts) {
      return status == FileStatus::kOk;
    }
    std::this_thread::sleep_for(kPause);
  }
}

}  // namespace acv
