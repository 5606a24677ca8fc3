#include "storage/format/file_layout.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"

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
    case DamageReason::kRecordsMissing:
      return "saved records missing";
  }
  return "unknown";
}

long long DamagedSlots(const Damage& damage) {
  if (damage.reason != DamageReason::kBeyondLimit &&
      damage.reason != DamageReason::kRecordsMissing) {
    return 1;
  }
  return (damage.size + static_cast<long long>(kRecordSize) - 1) /
         static_cast<long long>(kRecordSize);
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

// Every slot after the header of a file of `length` bytes, a torn last one included.
long long AllSlots(long long length) {
  return (std::max(length - static_cast<long long>(kFileHeaderSize), 0LL) +
          static_cast<long long>(kRecordSize) - 1) /
         static_cast<long long>(kRecordSize);
}

// Tells `report` of a file without the mark's slots beyond the 657th (a torn last one among
// them) or else its torn last record, as a salvage of it finds them.
void FindUnreadTail(long long length, const DamageReport& report) {
  const long long afterHeader = length - static_cast<long long>(kFileHeaderSize);
  const long long wholeRecords = afterHeader / static_cast<long long>(kRecordSize);
  if (length > RecordOffset(kMaxRecords)) {
    report({kMaxRecords, RecordOffset(kMaxRecords), length - RecordOffset(kMaxRecords),
            DamageReason::kBeyondLimit});
  } else if (const long long torn = afterHeader % static_cast<long long>(kRecordSize); torn != 0) {
    report({static_cast<int>(wholeRecords), RecordOffset(wholeRecords), torn,
            DamageReason::kTornRecord});
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
  // A mark counting more records than the file holds no longer tells where its records end:
  // they are counted by the file's length, and those it counts after the end are missing.
  layout->marked = mark && mark->count + (mark->pending >= 0 ? 1 : 0) <= wholeRecords;
  const auto* text = reinterpret_cast<const char*>(layout->headerBytes.data());
  const bool magic = std::string_view(text, kMagic.size()) == kMagic;
  if (!layout->marked && wholeRecords == 0 && !magic) {
    return FileStatus::kTooShort;  // too short to be a response file
  }
  if (!magic) {
    return FileStatus::kBadMagic;
  }
  if (mark && mark->count > wholeRecords) {
    layout->missing = static_cast<int>(std::max(0LL, mark->count - AllSlots(length)));
  }
  layout->header.version.assign(text, kVersionText.size());
  layout->header.created.assign(text + kCreatedStampOffset, kStampSize);
  layout->header.modified.assign(text + kModifiedStampOffset, kStampSize);
  if (layout->marked) {
    layout->pending = mark->pending;
    layout->appending = mark->appending;
    layout->storedRecords = mark->count;
    const SalvagePlan plan = PlanSalvage(*layout, true, length);
    if (const FileStatus read =
            ReadPlannedSlots(fd, plan, plan.committed, report, [](const StoredRecord&) {});
        read != FileStatus::kOk) {
      return read;
    }
  } else {
    layout->storedRecords = wholeRecords;
    FindUnreadTail(length, report);
    if (layout->missing > 0) {
      const long long first = AllSlots(length);  // at most 657: the mark counts no more
      report({static_cast<int>(first), RecordOffset(first),
              static_cast<long long>(layout->missing) * static_cast<long long>(kRecordSize),
              DamageReason::kRecordsMissing});
    }
  }
  layout->count = static_cast<int>(std::min<long long>(layout->storedRecords, kMaxRecords));
  return FileStatus::kOk;
}

SalvagePlan PlanSalvage(const FileLayout& layout, bool marked, long long length) {
  const long long allSlots = AllSlots(length);
  SalvagePlan plan;
  const long long committed = marked ? layout.storedRecords : 0;
  for (int slot = 0; slot < committed; ++slot) {
    plan.reads.push_back({slot, layout.SlotOffset(slot)});
  }
  plan.committed = plan.reads.size();
  for (long long slot = marked ? layout.FirstUnclaimedSlot() : 0; slot < allSlots; ++slot) {
    if (static_cast<long long>(plan.reads.size()) >= kMaxRecords) {
      plan.beyondSlots = allSlots - slot;
      plan.beyond = {static_cast<int>(std::min<long long>(slot, INT_MAX)), RecordOffset(slot),
                     length - RecordOffset(slot), DamageReason::kBeyondLimit};
      break;
    }
    plan.reads.push_back({static_cast<int>(slot), RecordOffset(slot)});
  }
  if (!marked) {
    plan.committed = plan.reads.size();  // without the mark, every slot holds the file's own
  }
  return plan;
}

FileStatus ReadPlannedSlots(int fd, const SalvagePlan& plan, std::size_t first,
                            const DamageReport& report,
                            const std::function<void(const StoredRecord&)>& keep) {
  ResponseRecord record;
  for (std::size_t read = first; read < plan.reads.size(); ++read) {
    const SalvageSlot& slot = plan.reads[read];
    StoredRecord bytes{};
    std::size_t got = 0;
    if (const FileStatus status = ReadAllAt(fd, bytes.data(), kRecordSize, slot.offset, &got);
        status != FileStatus::kOk) {
      return status;
    }
    const bool good = got == kRecordSize && LoadImage(record, bytes.data()) == FileStatus::kOk;
    if (good) {
      keep(bytes);
    }
    if (!good || read >= plan.committed) {
      report({slot.slot, slot.offset, static_cast<long long>(got),
              good                 ? DamageReason::kBeyondCommitMark
              : got == kRecordSize ? DamageReason::kChecksumMismatch
                                   : DamageReason::kTornRecord});
    }
  }
  if (plan.beyondSlots > 0) {
    report(plan.beyond);
  }
  return FileStatus::kOk;
}

}  // namespace acv
