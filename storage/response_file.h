// A response file (.cvr): a 243-byte header and at most 657 scrambled records of 2,187 bytes.
// A file is held open only for one operation, under a whole-file lock: shared while it is only
// read, exclusive while it is written or may be.
//
// Every write is all or nothing, whenever it is cut short: new records go after the committed
// ones and are flushed, and only then does the header's commit mark take them in; a record
// rewritten in place is first written after the records and committed as waiting, then copied
// into place (commit_mark.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/commit_mark.h"
#include "storage/file_status.h"
#include "storage/format.h"

namespace acv {

// Why a part of a response file gives no record.
enum class DamageReason {
  kChecksumMismatch,  // a whole record whose checksums fail
  kUnreadable,        // a record the disk would not give back whole
  kTornRecord,        // the start of a record whose writing was cut short
  kBeyondCommitMark,  // a whole record after those the commit mark counts, added elsewhere
  kBeyondLimit,       // records after the 657th, which are never read
};
// "checksum mismatch", "unreadable", "torn record", "beyond commit mark", "beyond 657 records".
std::string_view DamageReasonText(DamageReason reason);

// One damaged part of a file: its bytes, the record slot it starts in (0 is the first record)
// and why it gives no record.
struct Damage {
  int slot = 0;
  long long offset = 0;
  long long size = 0;
  DamageReason reason = DamageReason::kChecksumMismatch;
};

// What the header of one open said.
struct HeaderStamps {
  std::string version;
  std::string created;
  std::string modified;
};

class ResponseFile {
 public:
  ResponseFile() = default;
  ResponseFile(const ResponseFile&) = delete;
  ResponseFile& operator=(const ResponseFile&) = delete;
  ~ResponseFile();  // closes

  // Opens an existing response file to read its records (never creating one): read-only under
  // a shared lock, or with `readOnly` false for reading and writing under an exclusive lock.
  // kOk when the header is valid and the file holds at least one record (recordCount()), else
  // the failure: kNotFound, kNoMoreRecords for a response file without records (empty, or
  // whose first write was cut short), kTooShort, kBadLength, kBadMagic, ...
  FileStatus OpenForReading(const std::string& name, bool readOnly);
  // Reads the next record, the first one after the open: kOk with `index` its index,
  // kNoMoreRecords after the last one, kShortRead when it could not be read whole.
  FileStatus ReadNext(StoredRecord* bytes, int* index);
  void Close();

  int recordCount() const { return count_; }
  // Where record `index` is read from: its own slot, or the waiting slot while it is rewritten.
  long long RecordOffsetOf(int index) const { return SlotOffset(index); }
  // The header's stamps as read by the open.
  const HeaderStamps& header() const { return header_; }
  // Whether the file's records are counted by this program's commit mark.
  bool hasCommitMark() const { return marked_; }
  // Whether a file without the mark has bytes after its records that are not read: a torn last
  // record, or records beyond the 657th. The next write cuts a torn record off.
  bool hasUnreadTail() const { return !marked_ && !tailDamage_.empty(); }
  // What the open found after the records it reads: a torn last record or records beyond the
  // 657th of a file without the mark, and whole records that pass their checksum after those a
  // commit mark counts (put there by another program: no write is taken until they are
  // salvaged), in file order.
  const std::vector<Damage>& tailDamage() const { return tailDamage_; }

  // Reads record `index` of `name`: kOk, kIndexBeyondEnd, or the failure of the open or read.
  static FileStatus ReadAt(const std::string& name, int index, StoredRecord* bytes);
  // Appends (`at` < 0) or rewrites record `at` in place; `index` gets the index written (-1
  // until success). A failed write leaves the file as it was.
  static FileStatus WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                                int at);
  // Appends all of `records` or none: kFull when they would take the file beyond 657 records;
  // `firstIndex` gets the index of the first one written (-1 until success). A failed append
  // leaves the file as it was.
  static FileStatus AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                  int* firstIndex);
  // Compare-and-write: rewrites record `at` with `bytes` only while it still holds `expected`
  // (the bytes read when an edit began), checked under the lock of the write. kRecordChanged
  // when another write came between, kIndexBeyondEnd when there is no such record; nothing is
  // written then.
  static FileStatus ReplaceRecord(const std::string& name, int at, const StoredRecord& expected,
                                  const StoredRecord& bytes);
  // Makes the new file `name` holding `records` (1 to 657 of them), all at once: kFileExists
  // when there is a file of that name, and nothing under that name until it is complete.
  static FileStatus WriteNewFile(const std::string& name, const std::vector<StoredRecord>& records);
  // Gives every record of `name` that passes its checksum, in file order, for a new file: the
  // committed records of a file with the commit mark; otherwise every slot after the header,
  // whatever the header and length say, so that a damaged file gives up its good records.
  // `lost` counts the records left out: failed, torn, or beyond the 657th (those are not read).
  // kOk, or the failure of the open or of a read.
  static FileStatus Salvage(const std::string& name, std::vector<StoredRecord>* good,
                            unsigned* lost);

 private:
  enum class Access { kRead, kReadWrite, kCreate };
  // Opens `name` as asked and locks it; kOk with the length known.
  FileStatus Open(const std::string& name, Access access);
  // Reads and checks the header of the open file and finds the records it holds: those of its
  // commit mark, or without one every whole record after the header.
  FileStatus CheckHeader();
  // Opens `name` for writing (creating it with `access` kCreate), checks its header, finishes
  // a rewrite that a crash left waiting and cuts off what no completed write left.
  FileStatus OpenForWriting(const std::string& name, Access access);
  // Writes the 243 header bytes with the stamps and `mark`: the creation stamp only for a file
  // without records, the modified stamp (one per operation) always.
  FileStatus WriteHeader(const CommitMark& mark);
  // Writes `size` bytes at the end of the committed records, flushes them, then commits them
  // with the header; a failure before the commit cuts the file back.
  FileStatus WriteAfterEnd(const void* data, std::size_t size, const CommitMark& mark);
  // Copies the waiting rewrite into place and clears it from the mark.
  FileStatus FinishRewrite();
  // Rewrites record `at`, first checking it holds `expected` when that is given.
  static FileStatus Rewrite(const std::string& name, int at, const StoredRecord* expected,
                            const StoredRecord& bytes);
  // Removes `name` when this open made it, still holds its lock and it holds no record.
  void RemoveIfMadeEmpty(const std::string& name);
  // Reads the run of records starting at `first`.
  FileStatus FillBuffer(int first);
  // Where record `index` is stored: its own slot, or the waiting slot while it is rewritten.
  long long SlotOffset(int index) const;
  // The first slot after the committed records, the waiting rewrite and an append under way.
  long long FirstUnclaimedSlot() const;
  // Notes as damage each slot from `first` up to `slots` (never beyond the 657th) that holds a
  // whole record passing its checksum.
  void FindRecordsBeyondMark(long long first, long long slots);
  // Notes a file without the mark's torn last record and records beyond the 657th.
  void FindUnreadTail(long long wholeRecords, long long afterHeader);
  long long CommittedEnd() const;

  int fd_ = -1;
  long long length_ = 0;
  bool created_ = false;     // this open made the file
  bool headerless_ = false;  // empty, or a header write was cut short
  std::array<std::uint8_t, kFileHeaderSize> headerBytes_{};
  HeaderStamps header_;
  bool marked_ = false;
  int pending_ = -1;   // a rewrite waiting in the slot after the records
  int appending_ = 0;  // records of an append under way, after the committed ones
  std::vector<Damage> tailDamage_;
  long long storedRecords_ = 0;  // the records that count (uncapped for an unmarked file)
  std::string stamp_;            // the modified stamp of the write under way
  int count_ = 0;
  int nextIndex_ = 0;
  // A run of records read in one call, starting at record bufferFirst_; bufferRecords_ of them
  // were read whole (fewer than fit when the file ends early).
  std::string buffer_;
  int bufferFirst_ = 0;
  int bufferRecords_ = 0;
};

}  // namespace acv
