// storage/records/: finding, loading and saving records (search, related reports, the record
// store, the analysis loader, samples, edits), on the file format below.
//
// One call per job on single records: reading one for use, saving one under a typed file name,
// and replacing an edited one in place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/history/history_entry.h"

namespace acv {

enum class MetFlags { kLeave, kDerive };

// Reads record `index` of `fileName` (the full name), unscrambles and verifies it into `record`,
// deriving its met flags when asked; `stored` (when given) receives the bytes read, which an
// edit hands back to ReplaceRecord. kOk, kCorruptRecord, kIndexBeyondEnd or the failure of the
// open or read; `record` is unchanged on failure.
FileStatus ReadRecord(const std::string& fileName, int index, ResponseRecord* record,
                      MetFlags met = MetFlags::kLeave, StoredRecord* stored = nullptr);

// The index of a record of `fileName` saved at `since` (a stamp as CurrentStamp gives) or later
// that holds just what `record` holds (its saved time aside), or nothing when there is none
// (or the file cannot be read).
std::optional<int> FindSavedSince(const std::string& fileName, const ResponseRecord& record,
                                  std::string_view since);

inline constexpr int kAppend = -1;

struct [[nodiscard]] SaveResult {
  FileStatus status = FileStatus::kOk;
  std::string fileName;  // the full name used (with ".cvr"); empty when the name was refused
  int index = -1;        // the index written, -1 until success
};

// Saves `record` under the name the user typed: an empty name is kNoFileName; a name ending in
// ".cvr" is used as it stands; one with another extension, only a folder or too short is
// kNameHasExtension; otherwise ".cvr" is added. Then stamps the record's saved time, builds its
// stored form and appends it; an edited record is put back in place by ReplaceRecord alone.
// Both write the change to the file's history as `note` describes it, or refuse the save.
SaveResult SaveRecord(std::string_view typedName, ResponseRecord& record,
                      const ChangeNote& note = {HistoryAction::kNewRecord});

// Replaces record `at` of `fileName` with `record` (stamped now) only while the file still
// holds `original` there, the bytes ReadRecord gave when the edit began: kRecordChanged when
// someone else changed it meanwhile, kIndexBeyondEnd when it is gone; nothing is written then.
SaveResult ReplaceRecord(const std::string& fileName, int at, const StoredRecord& original,
                         ResponseRecord& record,
                         const ChangeNote& note = {HistoryAction::kEditReplaced});

}  // namespace acv
