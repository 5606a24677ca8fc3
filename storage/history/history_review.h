// Reading a response file and its history together, under the file's lock, and walking the
// chain: what `acv check` verifies and `acv history` lists.
#pragma once

#include <string>
#include <vector>

#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/history/history_entry.h"
#include "storage/history/history_file.h"

namespace acv {

struct HistoryProblem {
  enum class Kind {
    kAltered,         // entry `entry` does not follow from the one before: changed, put in or
                      // taken out by hand, or not an entry at all
    kChangedOutside,  // record `index` is not what the history last made it (`entry`: found
                      // when that entry changed it; 0: as the file holds it now)
    kNotInFile,       // record `index` the history knows is gone from the file
    kVersionChanged,  // the earlier version of record `index` that entry `entry` keeps no
                      // longer hashes to what the entry says it was
  };
  Kind kind = Kind::kAltered;
  int entry = 0;  // counted from 1
  int index = -1;
};

// "history altered at entry 4", "record 2 changed outside the history", ...
std::string ProblemText(const HistoryProblem& problem);

struct HistoryReview {
  MappedHistory history;  // the history's bytes, which the entries' texts and versions view
  bool exists = false;    // there is a history beside the file
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

// The earlier versions the history keeps are not hashed by the review (they are most of its
// bytes): each is checked where it is used.
struct RecordVersion {
  StoredRecord bytes{};
  bool intact = true;  // it hashes to what its entry says the record was
  bool operator==(const RecordVersion&) const = default;
};

// Every version of record `index` the history and the file hold, oldest first: each record
// a change replaced, then the one in the file.
std::vector<RecordVersion> RecordVersions(const HistoryReview& review, int index);

// A kVersionChanged problem for every earlier version the history keeps that no longer hashes
// to its entry's before-hash.
std::vector<HistoryProblem> ChangedVersions(const HistoryReview& review);

}  // namespace acv
