#include "engine/typing_comparison.h"

#include <gtest/gtest.h>

namespace acv {
namespace {

ResponseRecord Typing(const char* birth) {
  ResponseRecord record;
  record.SetReportType(kSelfReport);
  record.SetText(TextField::kBirthDate, birth);
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, item % 6);
  }
  return record;
}

TEST(TypingComparisonTest, ListsTheDateThenEachItemWhereTheTypingsDiffer) {
  const ResponseRecord first = Typing("19800307");
  ResponseRecord second = Typing("19800307");
  EXPECT_TRUE(CompareTypings(first, second).empty());

  second.SetText(TextField::kBirthDate, "19800703");
  second.SetResponse(190, 0);      // 190 % 6 is 4
  second.SetResponse(7, -1);       // a blank against a digit
  second.RestoreResponse(9, 0xF);  // a value read from a file counts as a blank
  const std::vector<TypingDifference> found = CompareTypings(first, second);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].item, kBirthDateEntry);
  EXPECT_EQ(found[0].first, "19800307");
  EXPECT_EQ(found[0].second, "19800703");
  EXPECT_EQ(found[1].item, 7);
  EXPECT_EQ(found[1].first, "1");
  EXPECT_EQ(found[1].second, "");
  EXPECT_EQ(found[2].item, 9);
  EXPECT_EQ(found[2].second, "");
  EXPECT_EQ(found[3].item, 190);
  EXPECT_EQ(found[3].first, "4");
  EXPECT_EQ(found[3].second, "0");

  // Blanks on both sides agree, whatever blank code each holds.
  ResponseRecord blank = Typing("19800307");
  blank.SetResponse(7, -1);
  EXPECT_EQ(CompareTypings(blank, second).size(), 3u);
}

}  // namespace
}  // namespace acv
