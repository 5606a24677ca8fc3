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
  // Data taken out of the file, which changes no record: one entry names the records taken.
  kExportedCsv = 11,    // records exported to a CSV file
  kReportPdf = 12,      // a report saved as PDF
  kReportRtf = 13,      // a report saved as RTF
  kReportPrinted = 14,  // a report printed
  kExportedFhir = 15,   // an analysis or records exported as FHIR
};

// Whether `action` takes data out of the file rather than changing it.
bool TakesDataOut(HistoryAction action);

// The action's name as the history shows it ("edit replaced"); "unknown" for a number no
// action has.
std::string_view ActionName(HistoryAction action);

// Records `first` to `last` of the file.
struct IndexRun {
  int first = 0;
  int last = 0;
  bool operator==(const IndexRun&) const = default;
};

// The change a write makes, as its caller describes it; HistoryJournal adds the rest.
struct ChangeNote {
  ChangeNote(HistoryAction what, std::string why = {}, std::vector<IndexRun> records = {})
      : action(what), reason(std::move(why)), taken(std::move(records)) {}

  HistoryAction action;
  std::string reason;
  std::vector<IndexRun> taken;  // for data taken out, the records
};

// `indexes` (in any order, repeats allowed) as runs, lowest first.
std::vector<IndexRun> IndexRuns(std::vector<int> indexes);
// "0-3, 7": the runs as the history shows them.
std::string IndexRunsText(const std::vector<IndexRun>& runs);

// An entry as read or about to be written. Its texts and earlier record are views: into the
// history's bytes it was read from, or into strings its maker keeps while encoding it.
struct HistoryEntry {
  Digest previous{};  // the hash of the entry before (zero for the first)
  HistoryAction action = HistoryAction::kWritten;
  int index = -1;         // the record, or -1 for the whole file
  std::int64_t time = 0;  // seconds since 1970, UTC
  Digest before{};        // zero: no record before
  Digest after{};         // zero: no record after
  std::string_view user;
  std::string_view host;
  std::string_view program;
  std::string_view reason;
  std::string_view fields;
  // The record as it was, for a record replaced (empty for none): 2,187 stored bytes, which
  // should hash to `before`.
  std::string_view earlier;
  std::vector<Digest> records;  // the file's records, for the first entry
  std::vector<IndexRun> taken;  // the records taken out, for an export or a report
};

// Whether `entry` is about record `index`: it changed it, or took it out.
bool Concerns(const HistoryEntry& entry, int index);

// The payload of `entry` (its frame and earlier record aside).
std::string EncodeEntry(const HistoryEntry& entry);
// The entry a payload holds, when it holds one whole (nothing short, nothing left over); its
// earlier record, which follows the payload in its frame, is left for the frame's reader.
std::optional<HistoryEntry> DecodeEntry(std::string_view payload);
// The payload and `earlier` in their frame, as it is appended; `digest` gets the payload's hash.
std::string FrameEntry(std::string_view payload, std::string_view earlier, Digest* digest);

// The hash of a stored record, as entries name it.
Digest RecordDigest(const StoredRecord& bytes);
Digest RecordDigest(std::string_view bytes);
// A stored record's bytes as a view.
std::string_view BytesOf(const StoredRecord& bytes);

}  // namespace acv

namespace acv {

// Whether `entry`, at the end of the history, is a change that never committed: the record at
// its index (`current`, zero when the file has none there) still hashes to what it was before
// and not to what the change made it.
// A kCommitted entry, and any before it, always happened.
bool NeverCommitted(const HistoryEntry& entry, const Digest& current);

}  // namespace acv
