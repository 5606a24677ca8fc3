// Writing a response file (.cvr). A file is held open only for one write, under an exclusive
// lock.
//
// Every write is all or nothing, whenever it is cut short: new records go after the committed
// ones and are flushed, and only then does the header's commit mark take them in; a record
// rewritten in place is first written after the records and committed as waiting, then copied
// into place (commit_mark.h).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "storage/format/commit_mark.h"
#include "storage/format/file_layout.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/format/locked_file.h"

namespace acv {

// A write about to commit, as a journal kept beside the file is told of it: records `first` to
// `first` + `records`.size() - 1, appended after the `count` committed ones or (one of them)
// rewritten in place; `read` reads a committed record of the file as it stands.
struct PlannedWrite {
  int count = 0;
  int first = 0;
  const std::vector<StoredRecord>& records;
  std::function<FileStatus(int index, StoredRecord* bytes)> read;
};

// Told of each write while the response file's lock is held, before the write changes the file,
// so that what it keeps beside the file commits with the write (storage/history/).
class WriteJournal {
 public:
  // What `write` changes, written beside the file before this returns kOk; any other status
  // refuses the write, and the file is left as it was.
  virtual FileStatus Record(const PlannedWrite& write) = 0;
  // Makes what Record wrote lasting, and with it what has been written so far to the response
  // file open at `fd` (-1 when that file is made lasting on its own); the file commits only
  // after this returns kOk.
  virtual FileStatus MakeLasting(int fd) = 0;
  // The write recorded did not commit: what Record added is taken back.
  virtual void Withdraw() = 0;
  // The write recorded has committed.
  virtual void Committed() = 0;

 protected:
  ~WriteJournal() = default;
};

class ResponseFileWriter {
 public:
  // Appends (`at` < 0) or rewrites record `at` in place; `index` gets the index written (-1
  // until success). A failed write leaves the file as it was.
  // Every write tells `journal` (when given) what it changes, under the file's lock.
  static FileStatus WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                                int at, WriteJournal* journal = nullptr);
  // Appends all of `records` or none: kFull when they would take the file beyond 657 records;
  // `firstIndex` gets the index of the first one written (-1 until success). A failed append
  // leaves the file as it was.
  static FileStatus AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                  int* firstIndex, WriteJournal* journal = nullptr);
  // Compare-and-write: rewrites record `at` with `bytes` only while it still holds `expected`
  // (the bytes read when an edit began), checked under the lock of the write. kRecordChanged
  // when another write came between, kIndexBeyondEnd when there is no such record; nothing is
  // written then.
  static FileStatus ReplaceRecord(const std::string& name, int at, const StoredRecord& expected,
                                  const StoredRecord& bytes, WriteJournal* journal = nullptr);
  // Makes the new file `name` holding `records` (1 to 657 of them), all at once: kFileExists
  // when there is a file of that name, and nothing under that name until it is complete.
  static FileStatus WriteNewFile(const std::string& name, const std::vector<StoredRecord>& records,
                                 WriteJournal* journal = nullptr);

 private:
  ResponseFileWriter() = default;

  // Opens `name` for writing (creating it with `access` kCreate), checks its header, finishes
  // a rewrite that a crash left waiting and cuts off what no completed write left.
  FileStatus Open(const std::string& name, LockedFile::Access access);
  // Writes the 243 header bytes with the stamps and `mark`: the creation stamp only for a file
  // without records, the modified stamp (one per operation) always.
  FileStatus WriteHeader(const CommitMark& mark);
  // Writes `size` bytes at the end of the committed records, flushes them (with what `journal`,
  // when given, has recorded of them), then commits them with the header; a failure before the
  // commit cuts the file back.
  FileStatus WriteAfterEnd(const void* data, std::size_t size, const CommitMark& mark,
                           WriteJournal* journal);
  // Copies the waiting rewrite into place and clears it from the mark.
  FileStatus FinishRewrite();
  // Rewrites record `at`, first checking it holds `expected` when that is given.
  static FileStatus Rewrite(const std::string& name, int at, const StoredRecord* expected,
                            const StoredRecord& bytes, WriteJournal* journal);
  // Tells `journal` (when given) of records `first` and on, about to be written.
  FileStatus Journal(WriteJournal* journal, int first, const std::vector<StoredRecord>& records);
  // Removes `name` when this open made it, still holds its lock and it holds no record.
  void RemoveIfMadeEmpty(const std::string& name);

  LockedFile file_;
  FileLayout layout_;
  bool addedBeyondMark_ = false;  // whole records another program added after the mark
  std::string stamp_;             // the modified stamp of the write under way
};

}  // namespace acv
