// Made-up people's questionnaires, for trying the program, its tests and its benchmarks.
#pragma once

#include <vector>

#include "engine/response_record.h"

namespace acv {

// Eight records, the same on every call: four people, each with a Self-report followed by an
// Observer-report. The first is Alex Morgan, born 7 March 1975.
std::vector<ResponseRecord> SampleRecords();

}  // namespace acv
