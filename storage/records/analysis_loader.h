// Loading records of a response file into an Analysis.
#pragma once

#include <string>

#include "engine/analysis.h"
#include "storage/format/file_status.h"

namespace acv {

// Reads record `index` of `fileName` into the analysis's Self-report (Observer-report) with
// its met flags derived: kOk, or the failure of ReadRecord (kCorruptRecord for a record whose
// checksums fail), the record then unchanged.
FileStatus LoadSelfReport(Analysis& analysis, const std::string& fileName, int index);
FileStatus LoadObserverReport(Analysis& analysis, const std::string& fileName, int index);

}  // namespace acv
