#include "engine/omega.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace acv {
namespace {

constexpr double kStepWeight = 0.2;  // five steps apart, the widest, weigh 1.0
constexpr int kFewestUsablePairs = 4;
constexpr double kCutoff = 0.06500001;  // the rounded value must exceed this: >= 0.07

}  // namespace

OmegaResult ComputeOmega(const ResponseRecord& record) {
  OmegaResult result;
  for (const ItemPair& pair : kOmegaPairs) {
    const int a = record.GetResponse(pair.first);
    const int b = record.GetResponse(pair.second);
    if (a < 0 || b < 0) {
      continue;  // a blank on either side: the pair is not used
    }
    ++result.pairsCounted;
    if (a == b) {
      ++result.identicalPairs;
    } else {
      result.differenceSum += kStepWeight * std::abs(a - b);
    }
  }
  if (result.pairsCounted < kFewestUsablePairs) {
    result.text = std::string(kOmegaTooFewText);
    return result;
  }
  double omega = (result.identicalPairs - result.differenceSum) * (1.0 / result.pairsCounted);
  if (omega > 0) {
    omega = std::trunc(omega * 100 + 0.5) * 0.01;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%5.2f", omega);
  result.text = text;
  result.aboveCutoff = omega > kCutoff;
  return result;
}

}  // namespace acv
