// Writes one draft on a thread of its own, so that typing never waits on the disk. Only the
// newest bytes handed over are written: an older version still waiting is dropped for it.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "storage/drafts/draft_folder.h"

namespace acv {

class DraftWriter {
 public:
  DraftWriter(DraftFolder folder, std::string id);
  DraftWriter(const DraftWriter&) = delete;
  DraftWriter& operator=(const DraftWriter&) = delete;
  ~DraftWriter();  // writes what is waiting, then stops

  const DraftFolder& folder() const { return folder_; }
  const std::string& id() const { return id_; }
  // Hands over the draft as it now stands and returns at once.
  void Submit(std::string bytes);
  // Waits until all that was handed over is written; the status of the last write.
  FileStatus Flush();
  // Drops what is waiting, waits for a write under way, and removes the draft; nothing handed
  // over afterwards is written.
  FileStatus Discard();
  // The status of the newest write (kOk before the first).
  FileStatus lastStatus() const;

 private:
  void Run();

  const DraftFolder folder_;
  const std::string id_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::optional<std::string> waiting_;
  bool writing_ = false;
  bool stopping_ = false;
  bool discarded_ = false;
  FileStatus last_ = FileStatus::kOk;
  std::thread thread_;  // last: started once the rest is set
};

}  // namespace acv
