// The analysis the report tests draw: the first person of the sample records.
#pragma once

#include <vector>

#include "engine/analysis.h"
#include "storage/records/sample_records.h"

namespace acv::testing {

// Alex Morgan's Self-report and, unless told otherwise, the Observer-report, their met flags
// derived.
inline Analysis SampleAnalysis(bool withObserver = true) {
  const std::vector<ResponseRecord> records = SampleRecords();
  Analysis analysis;
  analysis.selfReport() = records[0];
  analysis.selfReport().MarkMetItems();
  if (withObserver) {
    analysis.observerReport() = records[1];
    analysis.observerReport().MarkMetItems();
  }
  return analysis;
}

}  // namespace acv::testing
