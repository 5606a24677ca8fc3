// Reading a response file and its history together, under the file's lock, and walking the
// chain: what `acv check` verifies and `acv history` lists.
#pragma once

#include <string>
#include <vector>

#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/history/history_entry.h"

namespace acv {

struct HistoryProblem {
  enum class Kind {
    kAltered,         // entry `entry` does not follow from the one before: changed, put in or
                      // taken out by hand, or not an entry at all
    kChangedOutside,  // record `index` is not what the history last made it (`entry`: found
                      // when that entry changed it; 0: as the file holds it now)
    kNotInFile,       // record `index` the history knows is gone from the file
  };
  Kind kind = Kind::kAltered;
  int entry = 0;  // counted from 1
  int index = -1;
};

// "history altered at entry 4", "record 2 changed outside the history", ...
std::string ProblemText(const HistoryProblem& problem);

struct HistoryReview {
  bool exists = false;  // there is a history beside the file
  // Every entry that chains, in order, but those below; "committed" entries are never shown, nor
  // counted where entries are numbered.
  std::vector<HistoryEntry> entries;
  std::size_t sealed = 0;  // how many of them a "committed" entry follows
  int uncommitted = 0;     // trailing entries of writes that never committed
  std::vector<HistoryProblem> problems;
  std::vector<StoredRecord> records;  // the file's records as read
};

// Reads `responseFile` and its history into `review` under the file's shared lock and walks
// the history: kOk (problems and all), or the failure of the file's open or reads.
FileStatus ReviewHistory(const std::string& responseFile, HistoryReview* review);

// Every version of record `index` the history and the file hold, oldest first: each record
// a change replaced, then the one in the file.
std::vector<StoredRecord> RecordVersions(const HistoryReview& review, int index);

}  // namespace acv
