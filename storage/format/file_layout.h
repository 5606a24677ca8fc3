// The byte ranges of a response file: the header with its commit mark, the record slots, and
// what lies after the records that are read. Shared by the reader and the writer.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/format/commit_mark.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"

namespace acv {

// Why a part of a response file gives no record.
enum class DamageReason {
  kChecksumMismatch,  // a whole record whose checksums fail
  kReadFailed,        // a record the disk would not give back (an I/O error)
  kTornRecord,        // the start of a record whose writing was cut short
  kBeyondCommitMark,  // a whole record after those the commit mark counts, added elsewhere
  kBeyondLimit,       // records after the 657th, which are never read
  kRecordsMissing,    // records the commit mark counts that the file, cut short, no longer holds
};
// "checksum mismatch", "read failed", "torn record", "beyond commit mark", "beyond 657 records",
// "saved records missing".
std::string_view DamageReasonText(DamageReason reason);

// One damaged part of a file: its bytes, the record slot it starts in (0 is the first record)
// and why it gives no record. Missing records have the bytes they would fill, after the end.
struct Damage {
  int slot = 0;
  long long offset = 0;
  long long size = 0;
  DamageReason reason = DamageReason::kChecksumMismatch;
  friend bool operator==(const Damage&, const Damage&) = default;
};
// Told of each damaged part as it is found, in file order.
using DamageReport = std::function<void(const Damage&)>;
// How many record slots a damaged part stands for: one, or the slots of a run beyond the 657th
// or of missing records (a torn slot counted whole).
long long DamagedSlots(const Damage& damage);

// What the header of one open said.
struct HeaderStamps {
  std::string version;
  std::string created;
  std::string modified;
};

// Where record slot `index` starts: 243 + 2187 * index.
long long RecordOffset(long long index);

// The 243 header bytes: version, stamps, blanks, a zero byte, then `mark`.
std::array<std::uint8_t, kFileHeaderSize> EncodeHeader(const std::string& created,
                                                       const std::string& modified,
                                                       const CommitMark& mark);

// What a response file's header and length say of its byte ranges.
struct FileLayout {
  bool headerless = false;  // empty, or a header write was cut short
  std::array<std::uint8_t, kFileHeaderSize> headerBytes{};
  HeaderStamps header;
  bool marked = false;          // the records are counted by this program's commit mark
  int pending = -1;             // a rewrite waiting in the slot after the records
  int appending = 0;            // records of an append under way, after the committed ones
  long long storedRecords = 0;  // the records that count (uncapped for an unmarked file)
  int count = 0;                // the records read: never more than 657
  int missing = 0;  // records the file's own mark counts that it no longer holds (cut short)

  // Where record `index` is stored: its own slot, or the waiting slot while it is rewritten.
  long long SlotOffset(int index) const;
  // The first slot after the committed records, the waiting rewrite and an append under way.
  long long FirstUnclaimedSlot() const;
  // Where the committed records end.
  long long CommittedEnd() const;
};

// Reads and checks the header of the open file `fd` of `length` bytes into `layout` and finds
// the records it holds: those of its commit mark, or without one every whole record after the
// header. Tells `report` of every part after them that is not read, as a salvage finds it
// (PlanSalvage): a torn last record, records beyond the 657th, whole records after those a
// commit mark counts (kBeyondCommitMark when they pass their checksum) and the records a mark
// counts that a file cut short no longer holds. kOk, kTooShort, kBadMagic, or
// kHeaderUnreadable when a read fails.
FileStatus CheckHeader(int fd, long long length, FileLayout* layout, const DamageReport& report);

// One record a salvage reads: its index and where it is stored.
struct SalvageSlot {
  int slot = 0;
  long long offset = 0;
};
// What a salvage reads and what it leaves unread.
struct SalvagePlan {
  std::vector<SalvageSlot> reads;  // in file order
  std::size_t committed = 0;       // the first reads, of the mark's records (all without one)
  long long beyondSlots = 0;       // slots after the 657th read, which are never read
  Damage beyond;                   // their bytes, when there are any
};
// The records a salvage reads: the committed records of a file with the mark (`marked`, and
// `layout` as CheckHeader left it), then whatever another program added after them, the slots
// of its own unfinished writes left out; without the mark, every slot after the header of a
// file of `length` bytes, a torn last one included, whatever the header says.
SalvagePlan PlanSalvage(const FileLayout& layout, bool marked, long long length);
// Reads the slots of `plan` from read `first` on, in file order: `keep` is given each whole
// record that passes its checksum, and `report` is told of each slot that gives no record, of
// each record kept after the mark's records (kBeyondCommitMark) and of the slots beyond the
// 657th. kOk, or the failure of a read.
FileStatus ReadPlannedSlots(int fd, const SalvagePlan& plan, std::size_t first,
                            const DamageReport& report,
                            const std::function<void(const StoredRecord&)>& keep);

}  // namespace acv
