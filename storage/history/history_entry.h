// One entry of a history (history_format.h): who changed which record of the file, when, how
// and why, and the record as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/format/format.h"
#include "storage/history/history_format.h"

namespace acv {

// What an entry records. The numbers are stored: they never change.
enum class HistoryAction : std::uint8_t {
  kHistoryBegun = 1,    // the file's records when its history began
  kNewRecord = 2,       // a record typed on screen
  kPaperEntry = 3,      // a record typed from a paper copy
  kEditReplaced = 4,    // an edited record written back in its place
  kEditSavedAsNew = 5,  // an edited record added as a new one
  kImported = 6,        // a record taken in from a CSV file
  kSalvaged = 7,        // a good record copied from a damaged file into this new one
  kSample = 8,          // a made-up record of a sample file
  kWritten = 9,         // a record written by another part of the program
  kCommitted = 10,      // the entries before it are of a write that committed
};

// The action's name as the history shows it ("edit replaced"); "unknown" for a number no
// action has.
std::string_view ActionName(HistoryAction action);

// The change a write makes, as its caller describes it; HistoryJournal adds the rest.
struct ChangeNote {
  ChangeNote(HistoryAction what, std::string why = {}) : action(what), reason(std::move(why)) {}

  HistoryAction action;
  std::string reason;
};

struct HistoryEntry {
  Digest previous{};  // the hash of the entry before (zero for the first)
  HistoryAction action = HistoryAction::kWritten;
  int index = -1;         // the record, or -1 for the whole file
  std::int64_t time = 0;  // seconds since 1970, UTC
  Digest before{};        // zero: no record before
  Digest after{};         // zero: no record after
  std::string user;
  std::string host;
  std::string program;
  std::string reason;
  std::string fields;
  std::optional<StoredRecord> earlier;  // the record as it was, for a record replaced
  std::vector<Digest> records;          // the file's records, for the first entry
};

// The payload of `entry` (its frame aside).
std::string EncodeEntry(const HistoryEntry& entry);
// The entry a payload holds, when it holds one whole (nothing short, nothing left over).
std::optional<HistoryEntry> DecodeEntry(std::string_view payload);
// The payload in its frame, as it is appended.
std::string FrameEntry(std::string_view payload);

// The hash of a stored record, as entries name it.
Digest RecordDigest(const StoredRecord& bytes);

}  // namespace acv

namespace acv {

// Whether `entry`, at the end of the history, is a change that never committed: the record at
// its index (`current`, zero when the file has none there) still hashes to what it was before
// and not to what the change made it.
// A kCommitted entry, and any before it, always happened.
bool NeverCommitted(const HistoryEntry& entry, const Digest& current);

}  // namespace acv
