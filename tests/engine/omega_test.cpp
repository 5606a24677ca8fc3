#include "engine/omega.h"

#include <gtest/gtest.h>

#include "engine/item_bank.h"
#include "support/record_builder.h"

namespace acv {
namespace {

// A record with all responses blank and the seven pairs answered as given (-1 a blank).
ResponseRecord WithPairs(const std::array<std::pair<int, int>, 7>& answers) {
  ResponseRecord record = testing::TestRecord(kSelfReport, {.fill = -1});
  for (std::size_t i = 0; i < kOmegaPairs.size(); ++i) {
    record.SetResponse(kOmegaPairs[i].first, answers[i].first);
    record.SetResponse(kOmegaPairs[i].second, answers[i].second);
  }
  return record;
}

TEST(OmegaTest, IdenticalAndOppositeExtremes) {
  const OmegaResult same =
      ComputeOmega(WithPairs({{{3, 3}, {0, 0}, {5, 5}, {1, 1}, {2, 2}, {4, 4}, {3, 3}}}));
  EXPECT_EQ(same.text, " 1.00");
  EXPECT_TRUE(same.aboveCutoff);
  EXPECT_EQ(same.pairsCounted, 7);
  EXPECT_EQ(same.identicalPairs, 7);
  const OmegaResult apart =
      ComputeOmega(WithPairs({{{0, 5}, {5, 0}, {0, 5}, {5, 0}, {0, 5}, {5, 0}, {0, 5}}}));
  EXPECT_EQ(apart.text, "-1.00");
  EXPECT_FALSE(apart.aboveCutoff);
}

TEST(OmegaTest, RoundingAroundTheCutoff) {
  // Two identical, five differing by 7 steps: 0.0857 shows 0.09, above.
  const OmegaResult above =
      ComputeOmega(WithPairs({{{2, 2}, {3, 3}, {0, 2}, {0, 2}, {1, 2}, {4, 3}, {5, 4}}}));
  EXPECT_EQ(above.text, " 0.09");
  EXPECT_TRUE(above.aboveCutoff);
  // The same with 8 steps: 0.0571 shows 0.06, below.
  const OmegaResult below =
      ComputeOmega(WithPairs({{{2, 2}, {3, 3}, {0, 2}, {0, 2}, {0, 2}, {4, 3}, {5, 4}}}));
  EXPECT_EQ(below.text, " 0.06");
  EXPECT_FALSE(below.aboveCutoff);
  // Six usable pairs, two identical, four differing by 8 steps: 0.0667 rounds up to 0.07.
  const OmegaResult six =
      ComputeOmega(WithPairs({{{2, 2}, {3, 3}, {0, 2}, {0, 2}, {0, 2}, {4, 2}, {5, -1}}}));
  EXPECT_EQ(six.pairsCounted, 6);
  EXPECT_EQ(six.text, " 0.07");
  EXPECT_TRUE(six.aboveCutoff);
}

TEST(OmegaTest, NegativeValuesAreRoundedOnlyByTheFormat) {
  // One identical, three differing by 5 steps each: (1 - 3) / 4 = -0.5.
  const OmegaResult result =
      ComputeOmega(WithPairs({{{1, 1}, {0, 5}, {5, 0}, {0, 5}, {-1, 2}, {3, -1}, {-1, -1}}}));
  EXPECT_EQ(result.text, "-0.50");
  EXPECT_FALSE(result.aboveCutoff);
}

TEST(OmegaTest, TooFewUsablePairs) {
  const OmegaResult four =
      ComputeOmega(WithPairs({{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {-1, 2}, {3, -1}, {-1, -1}}}));
  EXPECT_EQ(four.text, " 1.00");
  const OmegaResult three =
      ComputeOmega(WithPairs({{{1, 1}, {2, 2}, {3, 3}, {-1, 4}, {-1, 2}, {3, -1}, {-1, -1}}}));
  EXPECT_EQ(three.text, "---");
  EXPECT_FALSE(three.aboveCutoff);
  EXPECT_EQ(three.pairsCounted, 3);
  EXPECT_EQ(three.identicalPairs, 3);
  EXPECT_DOUBLE_EQ(three.differenceSum, 0.0);
}

}  // namespace
}  // namespace acv
