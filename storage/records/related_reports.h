// The analysis shown at once after a record is saved from a paper copy: the record just written,
// alone or with the most recent reports of the same person in the same file.
#pragma once

#include <array>
#include <string>

#include "engine/analysis.h"

namespace acv {

enum class RelatedReports { kLeaveOut, kMostRecent };

// Fills the slots of `analysis` for `saved`, just written at `index` of `fileName` (the full
// name), with the met flags derived.
//
// kLeaveOut: the record read back from the file goes into the slot of its report type (an
// Observer-report into the Observer-report slot, any other into the Self-report slot).
// kMostRecent: for each report type, the person's record (same first and last name, any case,
// and date of birth) with the latest saved time-stamp, records saved in the same second taken
// in file order, so the one written last wins; a record that cannot be read leaves its slot as
// it was.
//
// The save has already succeeded, so nothing here is an error: when the file cannot be searched
// or read back, `saved` itself is shown alone.
//
// Returns the index in the file of the record in each slot, by Report; -1 for a slot that holds
// no record read from the file.
std::array<int, 2> LoadSavedAnalysis(Analysis& analysis, const std::string& fileName, int index,
                                     const ResponseRecord& saved, RelatedReports related);

}  // namespace acv
