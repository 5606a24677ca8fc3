#include "storage/records/related_reports.h"

#include <array>
#include <tuple>

#include "storage/records/record_search.h"
#include "storage/records/record_store.h"

namespace acv {
namespace {

// Reads record `index` into the slot of `which`: true when it loaded.
bool LoadSlot(Analysis& analysis, const std::string& fileName, int index, Report which) {
  return ReadRecord(fileName, index, &analysis.report(which), MetFlags::kDerive) == FileStatus::kOk;
}

// The latest Self-report and Observer-report among the person's records (null for none), by
// saved time-stamp and then by place in the file.
std::array<const IndexEntry*, 2> MostRecent(const std::vector<IndexEntry>& entries) {
  std::array<const IndexEntry*, 2> latest{nullptr, nullptr};
  for (const IndexEntry& entry : entries) {
    if (entry.reportType != kSelfReport && entry.reportType != kObserverReport) {
      continue;
    }
    const IndexEntry*& best = latest[entry.reportType];
    if (best == nullptr ||
        std::tie(entry.savedStamp, entry.fileIndex) > std::tie(best->savedStamp, best->fileIndex)) {
      best = &entry;
    }
  }
  return latest;
}

}  // namespace

std::array<int, 2> LoadSavedAnalysis(Analysis& analysis, const std::string& fileName, int index,
                                     const ResponseRecord& saved, RelatedReports related) {
  const Report own = ReportOfType(saved.ReportType());
  std::array<int, 2> indexes{-1, -1};
  RecordIndex search;
  if (related == RelatedReports::kMostRecent &&
      BuildRecordIndex(fileName, /*readOnly=*/true, &search) == FileStatus::kOk) {
    const std::vector<IndexEntry> person =
        FindPerson(search, saved.Text(TextField::kFirstName), saved.Text(TextField::kLastName),
                   saved.Text(TextField::kBirthDate));
    for (const IndexEntry* entry : MostRecent(person)) {
      const Report which = entry == nullptr ? own : ReportOfType(entry->reportType);
      if (entry != nullptr && LoadSlot(analysis, fileName, entry->fileIndex, which)) {
        indexes[static_cast<std::size_t>(which)] = entry->fileIndex;
      }
    }
  } else if (LoadSlot(analysis, fileName, index, own)) {
    indexes[static_cast<std::size_t>(own)] = index;
  }
  if (indexes[static_cast<std::size_t>(own)] < 0) {
    ResponseRecord& slot = analysis.report(own);
    slot = saved;
    slot.MarkMetItems();
  }
  return indexes;
}

}  // namespace acv
