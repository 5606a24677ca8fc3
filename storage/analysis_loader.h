// Loading records of a response file into an Analysis.
#pragma once

#include <string>

#include "engine/analysis.h"

namespace acv {

// Reads record `index` of `fileName` into the analysis's Self-report (Observer-report) and
// derives its met flags: 0, or the negative code of the read (-1 for a corrupt record), the
// record then unchanged.
int LoadSelfReport(Analysis& analysis, const std::string& fileName, int index);
int LoadObserverReport(Analysis& analysis, const std::string& fileName, int index);

}  // namespace acv
