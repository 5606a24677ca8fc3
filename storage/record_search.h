// Finding one person's records in a response file, and the checks the selection dialogs make on
// what was typed before they search.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "storage/file_status.h"
#include "storage/response_file.h"

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
// Returns kOk, or the failure of the open (the index is then empty).
FileStatus BuildRecordIndex(const std::string& fileName, bool readOnly, RecordIndex* index);

// The entries of exactly that person: names compared upper-cased, blanks kept; birthDate as
// YYYYMMDD.
std::vector<IndexEntry> FindPerson(const RecordIndex& index, std::string_view firstName,
                                   std::string_view lastName, std::string_view birthDate);

// "Saved: dd/mm/yyyy hh:mm:ss   Self Assessment" or "...   Observer Assessment by: NAME".
std::string ListLine(const IndexEntry& entry);

// Focus-out rules of the date boxes: the normalised text (possibly empty).
std::string NormaliseDayText(std::string_view text);
std::string NormaliseMonthText(std::string_view text);
std::string CompleteYearText(std::string_view text, int currentYear);

enum class BirthDateCheck { kOk, kEmpty, kInvalid, kUnder18 };
// Checks the three boxes against `today`; on kOk `date` receives the date of birth.
BirthDateCheck CheckBirthDate(std::string_view day, std::string_view month, std::string_view year,
                              const CalendarDate& today, CalendarDate* date);

enum class FileNameCheck { kOk, kEmpty, kHasExtension };
// A typed response-file name: kOk with `fullName` the name with ".cvr" (a name already ending
// in ".cvr" kept as it is); a name that is only a folder, or too short, is kHasExtension.
FileNameCheck ResolveResponseFileName(std::string_view typed, std::string* fullName);

// A path chosen in a file dialog: the path without `suffix` (".cvr" or ".csv") when it is at
// least five characters, does not end in a separator, ends in `suffix` and has no other "." in
// the four characters before it; nothing otherwise.
std::optional<std::string> StripChosenPath(std::string_view path, std::string_view suffix);

}  // namespace acv
