// Finding one person's records in a response file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/format/response_file.h"

namespace acv {

// One record of the file that loaded correctly.
struct IndexEntry {
  std::string firstName;  // upper-cased
  std::string lastName;   // upper-cased
  std::string birthDate;  // as stored: YYYYMMDD for a valid record
  int reportType = kReportTypeUnset;
  std::string savedStamp;
  std::string observerName;
  char entryMethod = kEnteredOnScreen;
  std::optional<Verification> verification;
  bool markBroken = false;  // a verification mark whose answers are no longer the record's
  int fileIndex = 0;
};

struct RecordIndex {
  std::vector<IndexEntry> entries;  // sorted by last name, first name, date of birth, index
  unsigned corruptCount = 0;        // damaged parts: records that did not load, an unread tail
  std::vector<Damage> damage;       // each of them, in file order
  int recordCount = 0;              // records in the file
  HeaderStamps header;              // as read by the same open
};

// Reads and unscrambles every record of `fileName` (the full name, with ".cvr") into `index`.
// Returns kOk, or the failure of the open (the index then holds only what a file without
// records has after its header, in `damage`).
FileStatus BuildRecordIndex(const std::string& fileName, bool readOnly, RecordIndex* index);

// The entries of exactly that person: names compared upper-cased, blanks kept; birthDate as
// YYYYMMDD.
std::vector<IndexEntry> FindPerson(const RecordIndex& index, std::string_view firstName,
                                   std::string_view lastName, std::string_view birthDate);

// "Saved: dd/mm/yyyy hh:mm:ss   Self Assessment" or "...   Observer Assessment by: NAME";
// without the observer's name, "...   Observer Assessment".
std::string ListLine(const IndexEntry& entry, bool withObserverName = true);

}  // namespace acv
