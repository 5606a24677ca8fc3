// The Omega reliability statistic over the seven repeated item pairs.
#pragma once

#include <string>
#include <string_view>

#include "engine/response_record.h"

namespace acv {

inline constexpr std::string_view kOmegaCutoffText = ">=0.07";
inline constexpr std::string_view kOmegaRangeText = "Range: -1 to +1";
inline constexpr std::string_view kOmegaTooFewText = "---";

struct OmegaResult {
  std::string text;          // "%5.2f" of the value, or "---" with too few usable pairs
  bool aboveCutoff = false;  // the (rounded) value is greater than 0.06500001
  // The working values of the computation.
  int pairsCounted = 0;
  int identicalPairs = 0;
  double differenceSum = 0.0;
};

OmegaResult ComputeOmega(const ResponseRecord& record);

}  // namespace acv
