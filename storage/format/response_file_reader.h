// Reading a response file (.cvr): its records in turn after one open, one record by index, or
// every record that passes its checksum for a salvage. A file is held open only for one
// operation, under a shared lock (or an exclusive one when the reader may go on to write).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "storage/format/file_layout.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/format/locked_file.h"

namespace acv {

class ResponseFileReader {
 public:
  // `report` is told of each damaged part the reads come upon: records that cannot be read
  // (their reads fail, or the file ends inside them) as they are read, and the parts after the
  // records (tailDamage()) when the last record has been read.
  explicit ResponseFileReader(DamageReport report = {});

  // Opens an existing response file to read its records (never creating one): read-only under
  // a shared lock, or with `readOnly` false for reading and writing under an exclusive lock.
  // kOk when the header is valid and the file holds at least one record (recordCount()), else
  // the failure: kNotFound, kTooShort for a file without records (empty, a header alone, a
  // first write cut short, or too short to be a response file), kBadLength, kBadMagic, ...
  // A file without records tells `report` what lies after its header before kTooShort.
  FileStatus OpenForReading(const std::string& name, bool readOnly);
  // Reads the next record, the first one after the open: kOk with `index` its index,
  // kNoMoreRecords after the last one, kShortRead when the file ends inside it, or the failure
  // of its read.
  FileStatus ReadNext(StoredRecord* bytes, int* index);
  void Close();

  int recordCount() const { return state_.layout.count; }
  // Where record `index` is read from: its own slot, or the waiting slot while it is rewritten.
  long long RecordOffsetOf(int index) const { return state_.layout.SlotOffset(index); }
  // The header's stamps as read by the open.
  const HeaderStamps& header() const { return state_.layout.header; }
  // Whether the file's records are counted by this program's commit mark.
  bool hasCommitMark() const { return state_.layout.marked; }
  // Whether a file without the mark has bytes after its records that are not read: a torn last
  // record, or records beyond the 657th. The next write cuts a torn record off.
  bool hasUnreadTail() const {
    return !state_.layout.marked &&
           std::any_of(state_.tail.begin(), state_.tail.end(), [](const Damage& damage) {
             return damage.reason != DamageReason::kRecordsMissing;
           });
  }
  // What the open found after the records it reads (CheckHeader), in file order.
  const std::vector<Damage>& tailDamage() const { return state_.tail; }

  // Reads record `index` of `name`: kOk, kIndexBeyondEnd, kShortRead when the file ends inside
  // it, kTooShort when it holds no record, or the failure of the open or read.
  static FileStatus ReadAt(const std::string& name, int index, StoredRecord* bytes);
  // Gives every record of `name` that passes its checksum, in file order, for a new file (the
  // records of PlanSalvage), so that a damaged file gives up its good records. `lost` counts
  // the records left out: failed, torn, beyond the 657th (those are not read), or missing from
  // a file cut short; `report` is told of each, and of each record kept from beyond the commit
  // mark. kOk, or the failure of the open or of a read.
  static FileStatus Salvage(const std::string& name, std::vector<StoredRecord>* good,
                            unsigned* lost, const DamageReport& report = {});

 private:
  // Opens `name` as asked and checks its header.
  FileStatus Open(const std::string& name, LockedFile::Access access);
  // Reads record `index` alone.
  FileStatus ReadOne(int index, StoredRecord* bytes) const;
  // Reads the run of records starting at `first`.
  FileStatus FillRun(int first);
  void Report(const Damage& damage) const;

  // A run of records read in one call, starting at record `first`; `whole` of them were read
  // whole (none when the read failed, fewer than fit when the file ends early).
  struct RecordRun {
    std::string bytes;
    int first = 0;
    int whole = 0;
  };
  // What one open knows, all of it forgotten by Close.
  struct OpenState {
    FileLayout layout;
    std::vector<Damage> tail;  // what lies after the records read
    bool tailReported = false;
    int next = 0;  // the index ReadNext reads
    RecordRun run;
  };

  DamageReport report_;
  LockedFile file_;
  OpenState state_;
};

}  // namespace acv
