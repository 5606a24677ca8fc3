// Blind double entry of a paper copy: the responses and the date of birth typed a second time,
// compared with the first typing, so that every place where the two differ can be checked
// against the paper.
#pragma once

#include <string>
#include <vector>

#include "engine/response_record.h"

namespace acv {

// The "item" of a difference in the date of birth rather than in a response.
inline constexpr int kBirthDateEntry = 0;

struct TypingDifference {
  int item = kBirthDateEntry;  // 1..190, or kBirthDateEntry
  // As typed: a response as "0".."5" or the empty text for a blank; the date of birth as its
  // eight stored digits (YYYYMMDD) or the empty text.
  std::string first;
  std::string second;
};

// Where the responses and the date of birth of `second` differ from those of `first`: the
// date first, then the items in order. A stored value outside 0..5 counts as a blank.
std::vector<TypingDifference> CompareTypings(const ResponseRecord& first,
                                             const ResponseRecord& second);

}  // namespace acv
