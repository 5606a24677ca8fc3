// The 26 disorder screens: their fixed table and the evaluator over one record's met flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"

namespace acv {

inline constexpr int kScreenCount = 26;

struct ScreenResult {
  bool positive = false;
  // One to three criterion counts, in the order of the lines of the screen's cutoff text.
  std::vector<int> counts;
  // The met items among those the screen tests, ascending, joined by ", ".
  std::string itemsMet;
};

// The constant texts of one row of the screen table.
struct ScreenInfo {
  std::string_view label;       // as used by the printed and RTF reports
  std::string_view category;    // e.g. "ANXIETY DISORDERS"
  std::string_view cutoffText;  // one line per count; a one-count screen has an empty first line
};

// Row 1..26.
const ScreenInfo& ScreenTableRow(int row);

// Evaluates screen `row` (1..26) on a record whose met flags are set (MarkMetItems).
ScreenResult EvaluateScreen(int row, const ResponseRecord& record);

}  // namespace acv
