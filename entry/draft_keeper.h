// Keeps the draft of one wizard run, so that a crash, a kill or a closed session costs at most
// the last second of typing: the draft is handed to its writer at every page change and at most
// kDelayMs after any change within a page, and the writer (on a thread of its own) has it on
// the disk a moment later. It is removed as soon as the record is in its file (before the user is
// told so), or when the run is cancelled; a failed save keeps it. A run that never changed leaves
// nothing behind, however it ends. A draft that cannot be written gives one warning, and capture
// goes on as before.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "storage/drafts/draft_folder.h"
#include "storage/drafts/draft_writer.h"
#include "storage/format/record_scrambler.h"

namespace acv {

class Prompts;

class DraftKeeper : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDelayMs = 500;

  // The run as it now stands, as a draft started and last changed at the times given (seconds
  // since 1970).
  using DraftSource = std::function<Draft(std::int64_t started, std::int64_t changed)>;

  // Keeps what `current` gives as draft `id` of `folder`, whose lock `lock` holds; `resumed`
  // when that draft is already on the disk. A warning is shown over `window`.
  DraftKeeper(DraftSource current, QWidget* window, Prompts& prompts, const DraftFolder& folder,
              std::string id, std::unique_ptr<DraftLock> lock, std::int64_t started, bool resumed);
  // What was handed over is written first; a run that never changed takes its lock file along.
  ~DraftKeeper() override;

  const std::string& id() const { return writer_.id(); }

  // A change within the page: written soon.
  void changed();
  // Written now (a page change).
  void write();
  // Written now when the run has changed, and waits until it is on the disk (the program is
  // asked to end).
  void flush();
  // The record is in its file, or the run was cancelled: the draft goes.
  void discard();

  // Every draft being kept in this program, flushed: for the end of a session.
  static void FlushAll();

 private:
  // Hands the run as it now stands to the writer.
  void submit();
  void warnOnce(FileStatus status);

  DraftSource current_;
  QWidget* window_;
  Prompts& prompts_;
  std::unique_ptr<DraftLock> lock_;
  std::int64_t started_;
  RecordScrambler scrambler_;
  DraftWriter writer_;
  QTimer timer_;
  bool discarded_ = false;
  bool warned_ = false;
  bool changed_ = false;  // the run has something to resume
};

}  // namespace acv
