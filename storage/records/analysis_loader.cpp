#include "storage/records/analysis_loader.h"

#include "storage/records/record_store.h"

namespace acv {

FileStatus LoadSelfReport(Analysis& analysis, const std::string& fileName, int index) {
  return ReadRecord(fileName, index, &analysis.selfReport(), MetFlags::kDerive);
}

FileStatus LoadObserverReport(Analysis& analysis, const std::string& fileName, int index) {
  return ReadRecord(fileName, index, &analysis.observerReport(), MetFlags::kDerive);
}

}  // namespace acv
