#include "storage/format/response_file_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"

namespace acv {
namespace {

// Records are read this many at a time: few calls, and each run still fits the cache while it
// is decoded.
constexpr int kRecordsPerRead = 32;

}  // namespace

ResponseFileReader::ResponseFileReader(DamageReport report) : report_(std::move(report)) {}

void ResponseFileReader::Report(const Damage& damage) const {
  if (report_) {
    report_(damage);
  }
}

void ResponseFileReader::Close() {
  file_.Close();
  state_ = OpenState();
}

FileStatus ResponseFileReader::Open(const std::string& name, LockedFile::Access access) {
  Close();
  FileStatus status = file_.Open(name, access);
  if (status == FileStatus::kOk) {
    status = CheckHeader(file_.fd(), file_.length(), &state_.layout,
                         [this](const Damage& damage) { state_.tail.push_back(damage); });
  }
  if (status != FileStatus::kOk) {
    Close();
  }
  return status;
}

FileStatus ResponseFileReader::OpenForReading(const std::string& name, bool readOnly) {
  FileStatus status =
      Open(name, readOnly ? LockedFile::Access::kRead : LockedFile::Access::kReadWrite);
  if (status == FileStatus::kOk && recordCount() < 1) {
    // No record to read, so too short to be read as a response file; what lies after the
    // header is told all the same.
    for (const Damage& damage : state_.tail) {
      Report(damage);
    }
    status = FileStatus::kTooShort;
    Close();
  }
  return status;
}

FileStatus ResponseFileReader::ReadOne(int index, StoredRecord* bytes) const {
  std::size_t got = 0;
  const FileStatus read =
      ReadAllAt(file_.fd(), bytes->data(), kRecordSize, state_.layout.SlotOffset(index), &got);
  if (read != FileStatus::kOk) {
    return read;
  }
  return got == kRecordSize ? FileStatus::kOk : FileStatus::kShortRead;
}

FileStatus ResponseFileReader::FillRun(int first) {
  RecordRun& run = state_.run;
  const int records = std::min(kRecordsPerRead, recordCount() - first);
  run.bytes.resize(static_cast<std::size_t>(records) * kRecordSize);
  run.first = first;
  std::size_t got = 0;
  const FileStatus status =
      ReadAllAt(file_.fd(), run.bytes.data(), run.bytes.size(), RecordOffset(first), &got);
  run.whole = status == FileStatus::kOk ? static_cast<int>(got / kRecordSize) : 0;
  return status;
}

FileStatus ResponseFileReader::ReadNext(StoredRecord* bytes, int* index) {
  if (state_.next >= recordCount()) {
    if (!state_.tailReported) {
      state_.tailReported = true;
      for (const Damage& damage : state_.tail) {
        Report(damage);
      }
    }
    return FileStatus::kNoMoreRecords;
  }
  *index = state_.next++;
  const RecordRun& run = state_.run;
  const bool waiting = *index == state_.layout.pending;
  if (!waiting && *index >= run.first + static_cast<int>(run.bytes.size() / kRecordSize)) {
    // A run that fails is read again record by record below: only a record whose own read
    // fails is lost.
    static_cast<void>(FillRun(*index));
  }
  FileStatus read = FileStatus::kOk;
  if (!waiting && *index < run.first + run.whole) {
    std::memcpy(bytes->data(),
                run.bytes.data() + static_cast<std::size_t>(*index - run.first) * kRecordSize,
                kRecordSize);
  } else {
    read = ReadOne(*index, bytes);
  }
  if (read != FileStatus::kOk) {
    Report(
        {*index, RecordOffsetOf(*index), static_cast<long long>(kRecordSize),
         read == FileStatus::kShortRead ? DamageReason::kTornRecord : DamageReason::kReadFailed});
  }
  return read;
}

FileStatus ResponseFileReader::ReadAt(const std::string& name, int index, StoredRecord* bytes) {
  ResponseFileReader reader;
  if (const FileStatus opened = reader.Open(name, LockedFile::Access::kRead);
      opened != FileStatus::kOk) {
    return opened;
  }
  if (reader.recordCount() < 1) {
    return FileStatus::kTooShort;  // no record to read, as OpenForReading finds
  }
  if (index < 0 || index >= reader.recordCount()) {
    return FileStatus::kIndexBeyondEnd;
  }
  return reader.ReadOne(index, bytes);
}

FileStatus ResponseFileReader::Salvage(const std::string& name, std::vector<StoredRecord>* good,
                                       unsigned* lost, const DamageReport& report) {
  good->clear();
  *lost = 0;
  ResponseFileReader reader(report);
  LockedFile& file = reader.file_;
  if (const FileStatus opened = file.Open(name, LockedFile::Access::kRead);
      opened != FileStatus::kOk) {
    return opened;
  }
  FileLayout layout;
  std::optional<Damage> missing;  // what a cut took is gone; the new file holds what is left
  const bool marked = CheckHeader(file.fd(), file.length(), &layout,
                                  [&missing](const Damage& damage) {
                                    if (damage.reason == DamageReason::kRecordsMissing) {
                                      missing = damage;
                                    }
                                  }) == FileStatus::kOk &&
                      layout.marked;
  const auto tell = [&](const Damage& damage) {
    if (damage.reason != DamageReason::kBeyondCommitMark) {
      *lost += static_cast<unsigned>(std::min<long long>(DamagedSlots(damage), 0xFFFFFFFF - *lost));
    }
    reader.Report(damage);
  };
  if (const FileStatus read =
          ReadPlannedSlots(file.fd(), PlanSalvage(layout, marked, file.length()), 0, tell,
                           [good](const StoredRecord& bytes) { good->push_back(bytes); });
      read != FileStatus::kOk) {
    return read;
  }
  if (missing) {
    tell(*missing);
  }
  return FileStatus::kOk;
}

}  // namespace acv
