// The folder of the user's drafts, $XDG_DATA_HOME/VELT/ACV/drafts/ (or ~/.local/share/...):
// readable by the user alone, never beside a response file. The folders from there down must be
// real folders of the user's own, the last one open to nobody else, and each draft a file of the
// user's open to nobody else; anything else is neither read nor written. A draft is "ID.draft"; the
// program working on it holds "ID.lock" locked, so that no other running program offers or writes
// it. Each write goes to "ID.tmp", is flushed, renamed over the draft and the folder flushed: a
// kill at any moment leaves the old draft or the new one, never neither and never a torn one.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/drafts/draft.h"
#include "storage/format/file_status.h"

namespace acv {

class DraftFolder;

// Holds a draft's lock for as long as it lives.
class DraftLock {
 public:
  DraftLock() = default;
  DraftLock(const DraftLock&) = delete;
  DraftLock& operator=(const DraftLock&) = delete;
  ~DraftLock();

  // kOk, or kSharingViolation while another program (or another lock here) holds it.
  FileStatus Take(const DraftFolder& folder, const std::string& id);
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// A draft found in the folder, with its lock held.
struct FoundDraft {
  std::string id;
  Draft draft;
  std::unique_ptr<DraftLock> lock;
};

// A file in the folder that is no draft this program can read, moved aside as "ID.damaged".
struct SetAsideDraft {
  std::string id;
  DraftFault fault = DraftFault::kNone;
  std::string movedTo;  // the name it now has, or empty when it could not be moved
};

class DraftFolder {
 public:
  // `path` ends with "/"; its last folder must be the user's own.
  explicit DraftFolder(std::string path);
  // The folder `below` (ending with "/") inside `base`: each folder below `base` must be the
  // user's own.
  DraftFolder(const std::string& base, std::string_view below);
  // The user's own folder, from XDG_DATA_HOME or HOME.
  static DraftFolder ForUser();

  const std::string& path() const { return path_; }
  std::string draftFile(const std::string& id) const { return path_ + id + ".draft"; }
  std::string lockFile(const std::string& id) const { return path_ + id + ".lock"; }

  // Makes the folder (and those above it) as needed, readable by the user alone: kOk, or
  // kNotPrivate when a folder on the way is a link or another user's.
  FileStatus Prepare() const;
  // A name no other draft has: the time, the process and a count.
  std::string NewId() const;

  // Every draft that no other program holds, oldest first, each with its lock taken; none when
  // the folder is not private. A file that is no readable draft is moved aside (or left in place
  // where LeftInPlace says so) and listed in `setAside` (which may be null). Lock files left
  // without their drafts are removed.
  std::vector<FoundDraft> List(std::vector<SetAsideDraft>* setAside) const;

  // Replaces the draft `id` with `bytes`, whole or not at all.
  FileStatus Write(const std::string& id, std::string_view bytes) const;
  // Removes the draft `id` (and its lock file), whose lock the caller holds.
  FileStatus Remove(const std::string& id) const;
  // Moves the draft `id`, whose lock the caller holds, aside as "ID.damaged": its new name, or
  // empty when it could not be moved.
  std::string SetAside(const std::string& id) const;

  // kOk when every folder below the base exists as a real folder of the user's own (the last
  // made private if it was not), kNotFound when one does not exist yet, else kNotPrivate.
  FileStatus CheckPrivate() const;

 private:
  std::string path_;
  std::size_t checkedFrom_;  // where in path_ the folders to check begin
};

}  // namespace acv
