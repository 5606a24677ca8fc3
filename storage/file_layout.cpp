#include "storage/file_layout.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "storage/posix_file.h"
#include "storage/record_image.h"

namespace acv {

std::string_view DamageReasonText(DamageReason reason) {
  switch (reason) {
    case DamageReason::kChecksumMismatch:
      return "checksum mismatch";
    case DamageReason::kReadFailed:
      return "read failed";
    case DamageReason::kTornRecord:
      return "torn record";
    case DamageReason::kBeyondCommitMark:
      return "beyond commit mark";
    case DamageReason::kBeyondLimit:
      return "beyond 657 records";
  }
  return "unknown";
}

long long RecordOffset(long long index) {
  return static_cast<long long>(kFileHeaderSize) + static_cast<long long>(kRecordSize) * index;
}

std::array<std::uint8_t, kFileHeaderSize> EncodeHeader(const std::string& created,
                                                       const std::string& modified,
                                                       const CommitMark& mark) {
  std::array<std::uint8_t, kFileHeaderSize> header{};
  std::memcpy(header.data(), kVersionText.data(), kVersionText.size());
  std::memcpy(header.data() + kCreatedStampOffset, created.data(), kStampSize);
  std::memcpy(header.data() + kModifiedStampOffset, modified.data(), kStampSize);
  std::memset(header.data() + kHeaderBlanksOffset, ' ', kHeaderBlanks);
  EncodeCommitMark(mark, header.data());
  return header;
}

long long FileLayout::SlotOffset(int index) const {
  return RecordOffset(index == pending ? storedRecords : index);
}

long long FileLayout::FirstUnclaimedSlot() const {
  return storedRecords + (pending >= 0 ? 1 : 0) + appending;
}

long long FileLayout::CommittedEnd() const {
  return headerless ? 0 : RecordOffset(storedRecords);
}

namespace {

// Tells `report` of each slot from `first` up to `slots` (never beyond the 657th) that holds a
// whole record passing its checksum; kOk, or the failure of a read.
FileStatus FindRecordsBeyondMark(int fd, long long first, long long slots,
                                 const DamageReport& report) {
  ResponseRecord record;
  for (long long slot = first; slot < std::min<long long>(slots, kMaxRecords); ++slot) {
    StoredRecord bytes{};
    std::size_t got = 0;
    if (const FileStatus read = ReadAllAt(fd, bytes.data(), kRecordSize, RecordOffset(slot), &got);
        read != FileStatus::kOk) {
      return read;
    }
    if (got == kRecordSize && LoadImage(record, bytes.data()) == FileStatus::kOk) {
      report({static_cast<int>(slot), RecordOffset(slot), static_cast<long long>(kRecordSize),
              DamageReason::kBeyondCommitMark});
    }
  }
  return FileStatus::kOk;
}

// Tells `report` of a file without the mark's records beyond the 657th and torn last record.
void FindUnreadTail(long long wholeRecords, long long afterHeader, const DamageReport& report) {
  if (wholeRecords > kMaxRecords) {
    report({kMaxRecords, RecordOffset(kMaxRecords),
            (wholeRecords - kMaxRecords) * static_cast<long long>(kRecordSize),
            DamageReason::kBeyondLimit});
  }
  if (const long long torn = afterHeader % static_cast<long long>(kRecordSize); torn != 0) {
    report({static_cast<int>(std::min<long long>(wholeRecords, INT_MAX)),
            RecordOffset(wholeRecords), torn, DamageReason::kTornRecord});
  }
}

}  // namespace

FileStatus CheckHeader(int fd, long long length, FileLayout* layout, const DamageReport& report) {
  *layout = FileLayout();
  std::size_t got = 0;
  if (length < static_cast<long long>(kFileHeaderSize)) {
    // New: empty, or holding the start of a header whose writing was cut short.
    char start[kFileHeaderSize];
    if (ReadAllAt(fd, start, kFileHeaderSize, 0, &got) != FileStatus::kOk) {
      return FileStatus::kHeaderUnreadable;
    }
    layout->headerless =
        got == static_cast<std::size_t>(length) &&
        kVersionText.starts_with(std::string_view(start, std::min(got, kVersionText.size())));
    return layout->headerless ? FileStatus::kOk : FileStatus::kTooShort;
  }
  if (ReadAllAt(fd, layout->headerBytes.data(), kFileHeaderSize, 0, &got) != FileStatus::kOk ||
      got != kFileHeaderSize) {
    return FileStatus::kHeaderUnreadable;
  }
  const long long afterHeader = length - static_cast<long long>(kFileHeaderSize);
  const long long wholeRecords = afterHeader / static_cast<long long>(kRecordSize);
  const std::optional<CommitMark> mark = DecodeCommitMark(layout->headerBytes.data());
  // A mark counting more records than the file holds was not written for this file's content.
  layout->marked = mark && mark->count + (mark->pending >= 0 ? 1 : 0) <= wholeRecords;
  const auto* text = reinterpret_cast<const char*>(layout->headerBytes.data());
  const bool magic = std::string_view(text, kMagic.size()) == kMagic;
  if (!layout->marked && wholeRecords == 0 && !magic) {
    return FileStatus::kTooShort;  // too short to be a response file
  }
  if (!magic) {
    return FileStatus::kBadMagic;
  }
  layout->header.version.assign(text, kVersionText.size());
  layout->header.created.assign(text + kCreatedStampOffset, kStampSize);
  layout->header.modified.assign(text + kModifiedStampOffset, kStampSize);
  if (layout->marked) {
    layout->pending = mark->pending;
    layout->appending = mark->appending;
    layout->storedRecords = mark->count;
    if (const FileStatus read =
            FindRecordsBeyondMark(fd, layout->FirstUnclaimedSlot(), wholeRecords, report);
        read != FileStatus::kOk) {
      return read;
    }
  } else {
    layout->storedRecords = wholeRecords;
    FindUnreadTail(wholeRecords, afterHeader, report);
  }
  layout->count = static_cast<int>(std::min<long long>(layout->storedRecords, kMaxRecords));
  return FileStatus::kOk;
}

SalvagePlan PlanSalvage(const FileLayout& layout, bool marked, long long length) {
  // Every slot after the header, a torn last one included.
  const long long allSlots = (std::max(length - static_cast<long long>(kFileHeaderSize), 0LL) +
                              static_cast<long long>(kRecordSize) - 1) /
                             static_cast<long long>(kRecordSize);
  SalvagePlan plan;
  const long long committed = marked ? layout.storedRecords : 0;
  for (int slot = 0; slot < committed; ++slot) {
    plan.reads.push_back({slot, layout.SlotOffset(slot)});
  }
  for (long long slot = marked ? layout.FirstUnclaimedSlot() : 0; slot < allSlots; ++slot) {
    if (static_cast<long long>(plan.reads.size()) >= kMaxRecords) {
      plan.beyondSlots = allSlots - slot;
      plan.beyond = {static_cast<int>(std::min<long long>(slot, INT_MAX)), RecordOffset(slot),
                     length - RecordOffset(slot), DamageReason::kBeyondLimit};
      break;
    }
    plan.reads.push_back({static_cast<int>(slot), RecordOffset(slot)});
  }
  return plan;
}

}  // namespace acv
