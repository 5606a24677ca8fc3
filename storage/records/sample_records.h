// Made-up people's questionnaires, for trying the program, its tests and its benchmarks.
#pragma once

#include <string>
#include <vector>

#include "engine/response_record.h"
#include "storage/format/file_status.h"

namespace acv {

// Eight records, the same on every call: four people, each with a Self-report followed by an
// Observer-report. The first is Alex Morgan, born 7 March 1975.
std::vector<ResponseRecord> SampleRecords();

// Appends the sample records, then `extra`, to `fileName`, record i saved at 2026-11-30
// 10:15 and 10 + i seconds: the status of the append.
FileStatus WriteSampleFile(const std::string& fileName, std::vector<ResponseRecord> extra = {});

}  // namespace acv
