#include "storage/records/record_search.h"

#include <algorithm>
#include <tuple>

#include "engine/cp1252.h"
#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"

namespace acv {
namespace {

auto SortKey(const IndexEntry& entry) {
  return std::tie(entry.lastName, entry.firstName, entry.birthDate, entry.fileIndex);
}

}  // namespace

FileStatus BuildRecordIndex(const std::string& fileName, bool readOnly, RecordIndex* index) {
  *index = RecordIndex();
  // Records that cannot be read, and the parts after the records, as the reads come upon them.
  ResponseFile file([index](const Damage& damage) { index->damage.push_back(damage); });
  if (const FileStatus opened = file.OpenForReading(fileName, readOnly);
      opened != FileStatus::kOk) {
    return opened;
  }
  index->header = file.header();
  index->recordCount = file.recordCount();
  index->entries.reserve(static_cast<std::size_t>(index->recordCount));
  StoredRecord bytes{};
  int fileIndex = 0;
  ResponseRecord record;
  MarkState mark = MarkState::kNone;
  for (FileStatus read = file.ReadNext(&bytes, &fileIndex); read != FileStatus::kNoMoreRecords;
       read = file.ReadNext(&bytes, &fileIndex)) {
    if (read != FileStatus::kOk) {
      continue;
    }
    if (LoadImage(record, bytes.data(), &mark) != FileStatus::kOk) {
      index->damage.push_back({fileIndex, file.RecordOffsetOf(fileIndex),
                               static_cast<long long>(kRecordSize),
                               DamageReason::kChecksumMismatch});
      continue;
    }
    IndexEntry entry;
    entry.firstName = Cp1252UpperCase(record.Text(TextField::kFirstName));
    entry.lastName = Cp1252UpperCase(record.Text(TextField::kLastName));
    entry.birthDate = std::string(record.Text(TextField::kBirthDate));
    entry.reportType = record.ReportType();
    entry.savedStamp = std::string(record.Text(TextField::kSavedStamp));
    entry.observerName = std::string(record.Text(TextField::kObserverName));
    entry.entryMethod = record.EntryMethod();
    entry.verification = record.GetVerification();
    entry.markBroken = mark == MarkState::kBroken;
    entry.fileIndex = fileIndex;
    index->entries.push_back(std::move(entry));
  }
  index->corruptCount = static_cast<unsigned>(index->damage.size());
  std::sort(index->entries.begin(), index->entries.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return SortKey(a) < SortKey(b); });
  return FileStatus::kOk;
}

std::vector<IndexEntry> FindPerson(const RecordIndex& index, std::string_view firstName,
                                   std::string_view lastName, std::string_view birthDate) {
  IndexEntry wanted;
  wanted.lastName = Cp1252UpperCase(lastName);
  wanted.firstName = Cp1252UpperCase(firstName);
  wanted.birthDate = std::string(birthDate);
  wanted.fileIndex = -1;
  const auto begin = std::lower_bound(
      index.entries.begin(), index.entries.end(), wanted,
      [](const IndexEntry& a, const IndexEntry& b) { return SortKey(a) < SortKey(b); });
  std::vector<IndexEntry> found;
  for (auto it = begin; it != index.entries.end() && it->lastName == wanted.lastName &&
                        it->firstName == wanted.firstName && it->birthDate == wanted.birthDate;
       ++it) {
    found.push_back(*it);
  }
  return found;
}

std::string ListLine(const IndexEntry& entry, bool withObserverName) {
  std::string line =
      "Saved: " + FormatTimeStamp(ParseStamp14(entry.savedStamp).value_or(TimeStamp{})) + "   ";
  if (entry.reportType == kObserverReport) {
    line += withObserverName ? "Observer Assessment by: " + entry.observerName
                             : std::string("Observer Assessment");
  } else {
    line += "Self Assessment";
  }
  return line;
}

}  // namespace acv
