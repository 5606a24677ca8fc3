#include "engine/screens.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "support/record_builder.h"

namespace acv {
namespace {

using testing::Rate;
using testing::TestRecord;

std::vector<int> ItemsOf(const std::string& itemsMet) {
  std::vector<int> items;
  std::stringstream in(itemsMet);
  std::string part;
  while (std::getline(in, part, ',')) {
    items.push_back(std::stoi(part));
  }
  return items;
}

TEST(ScreenTableTest, RowsCarryTheirReportTexts) {
  EXPECT_EQ(ScreenTableRow(1).label, "Generalised anxiety disorder");
  EXPECT_EQ(ScreenTableRow(1).category, "ANXIETY DISORDERS");
  EXPECT_EQ(ScreenTableRow(4).cutoffText, ">=1\n>=3\n>=2");
  EXPECT_EQ(ScreenTableRow(13).cutoffText, "\n>=3");
  EXPECT_EQ(ScreenTableRow(22).cutoffText, ">=2\n>=1\n=0");
  EXPECT_EQ(ScreenTableRow(26).label, "Tourette's disorder (#5)");
  EXPECT_EQ(ScreenTableRow(26).category, "TIC DISORDERS");
  for (int row = 1; row <= kScreenCount; ++row) {
    // One cutoff line per count.
    const ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
    const auto lines = std::count(ScreenTableRow(row).cutoffText.begin(),
                                  ScreenTableRow(row).cutoffText.end(), '\n') +
                       1;
    const auto counts = static_cast<long>(EvaluateScreen(row, record).counts.size());
    EXPECT_EQ(lines, std::max(counts, 2L)) << row;
  }
}

TEST(ScreensTest, NoMetItemGivesZeroCountsAndNoPositive) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = -1});
  record.MarkMetItems();
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenResult result = EvaluateScreen(row, record);
    EXPECT_FALSE(result.positive) << row;
    EXPECT_EQ(result.itemsMet, "") << row;
    for (int count : result.counts) {
      EXPECT_EQ(count, 0) << row;
    }
  }
}

TEST(ScreensTest, AllSometimesRecordMeetsOnlyTheLowThresholdItems) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 2});
  record.MarkMetItems();
  EXPECT_EQ(EvaluateScreen(3, record).counts, (std::vector<int>{1, 13}));
  EXPECT_TRUE(EvaluateScreen(3, record).positive);
  EXPECT_EQ(EvaluateScreen(9, record).counts, (std::vector<int>{14, 8}));
  EXPECT_FALSE(EvaluateScreen(9, record).positive);
  EXPECT_EQ(EvaluateScreen(10, record).counts, (std::vector<int>{0, 14, 8}));
  EXPECT_FALSE(EvaluateScreen(10, record).positive);
  EXPECT_EQ(EvaluateScreen(21, record).counts, (std::vector<int>{8}));
  EXPECT_TRUE(EvaluateScreen(21, record).positive);
  EXPECT_EQ(EvaluateScreen(15, record).counts, (std::vector<int>{0, 2}));
  for (int row = 1; row <= kScreenCount; ++row) {
    if (row == 3 || row == 9 || row == 10 || row == 21 || row == 15) {
      continue;
    }
    EXPECT_FALSE(EvaluateScreen(row, record).positive) << row;
    for (int count : EvaluateScreen(row, record).counts) {
      EXPECT_EQ(count, 0) << row;
    }
  }
}

TEST(ScreensTest, ItemsMetListsTestedMetItemsAscending) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
  Rate(record, {143, 40, 111}, 4);
  const ScreenResult result = EvaluateScreen(1, record);
  EXPECT_EQ(result.counts, (std::vector<int>{1, 2}));
  EXPECT_EQ(result.itemsMet, "40, 111, 143");
  EXPECT_FALSE(result.positive);
  Rate(record, {54}, 3);
  EXPECT_TRUE(EvaluateScreen(1, record).positive);
  EXPECT_EQ(EvaluateScreen(1, record).itemsMet, "40, 54, 111, 143");
}

TEST(ScreensTest, PanicNeedsItsSingleItem) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
  Rate(record, {14, 16, 36, 39, 55, 72, 83}, 3);
  EXPECT_FALSE(EvaluateScreen(3, record).positive);
  EXPECT_EQ(EvaluateScreen(3, record).counts, (std::vector<int>{0, 7}));
  Rate(record, {9}, 2);
  EXPECT_TRUE(EvaluateScreen(3, record).positive);
}

TEST(ScreensTest, AdhdTypesExcludeEachOther) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
  Rate(record, {1, 15, 33, 66, 95, 106}, 4);  // six hyperactive-impulsive
  Rate(record, {3, 6, 13, 45, 94}, 4);        // five inattentive
  EXPECT_TRUE(EvaluateScreen(6, record).positive);
  EXPECT_EQ(EvaluateScreen(6, record).counts, (std::vector<int>{6, 5}));
  EXPECT_EQ(EvaluateScreen(6, record).itemsMet, "1, 15, 33, 66, 95, 106");
  EXPECT_FALSE(EvaluateScreen(7, record).positive);
  EXPECT_EQ(EvaluateScreen(7, record).counts, (std::vector<int>{5, 6}));
  EXPECT_EQ(EvaluateScreen(7, record).itemsMet, "3, 6, 13, 45, 94");
  EXPECT_FALSE(EvaluateScreen(8, record).positive);
  EXPECT_EQ(EvaluateScreen(8, record).itemsMet, "1, 3, 6, 13, 15, 33, 45, 66, 94, 95, 106");
  Rate(record, {101}, 4);  // the sixth inattentive item
  EXPECT_TRUE(EvaluateScreen(8, record).positive);
  EXPECT_FALSE(EvaluateScreen(6, record).positive);
  EXPECT_FALSE(EvaluateScreen(7, record).positive);
}

TEST(ScreensTest, PervasiveDevelopmentalTotals) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
  Rate(record, {24, 61, 60, 27}, 3);  // social 2, restricted 1, communication 1: total 4
  EXPECT_TRUE(EvaluateScreen(22, record).positive);
  EXPECT_FALSE(EvaluateScreen(23, record).positive);
  EXPECT_EQ(EvaluateScreen(22, record).counts, (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(EvaluateScreen(23, record).itemsMet, "24, 27, 60, 61");
  Rate(record, {138, 159}, 3);  // social 4: total 6
  EXPECT_FALSE(EvaluateScreen(22, record).positive);
  EXPECT_TRUE(EvaluateScreen(23, record).positive);
  Rate(record, {27}, 0);  // communication 0: Asperger's whatever the total
  Rate(record, {178, 62, 140}, 3);
  EXPECT_TRUE(EvaluateScreen(22, record).positive);
  EXPECT_FALSE(EvaluateScreen(23, record).positive);
}

TEST(ScreensTest, TicRows) {
  ResponseRecord record = TestRecord(kSelfReport, {.fill = 0});
  record.MarkMetItems();
  for (int row : {24, 25, 26}) {
    EXPECT_FALSE(EvaluateScreen(row, record).positive);
  }
  Rate(record, {8}, 3);
  EXPECT_TRUE(EvaluateScreen(24, record).positive);
  EXPECT_FALSE(EvaluateScreen(25, record).positive);
  Rate(record, {8}, 0);
  Rate(record, {75}, 3);
  EXPECT_TRUE(EvaluateScreen(25, record).positive);
  EXPECT_EQ(EvaluateScreen(25, record).counts, (std::vector<int>{1, 0}));
  Rate(record, {145}, 3);
  EXPECT_TRUE(EvaluateScreen(26, record).positive);
  EXPECT_FALSE(EvaluateScreen(24, record).positive);
  EXPECT_FALSE(EvaluateScreen(25, record).positive);
  EXPECT_EQ(EvaluateScreen(24, record).itemsMet, "75, 145");
}

// Over many random records: each exclusive set has at most one positive screen, counts stay
// within their group sizes, and itemsMet names only met items, ascending, one per count.
TEST(ScreensPropertyTest, RandomRecordsKeepTheInvariants) {
  const std::vector<std::vector<int>> exclusiveSets = {
      {6, 7, 8}, {9, 10, 21}, {11, 12}, {22, 23}, {24, 25, 26}};
  // Group sizes in count order, by row.
  const std::vector<std::vector<int>> sizes = {
      {2, 7},      {4, 6},  {1, 13}, {5, 6, 4}, {1, 5},    {9, 9},  {9, 9}, {9, 9}, {14, 10},
      {8, 14, 10}, {10, 4}, {10, 4}, {6},       {1, 6},    {2, 11}, {7},    {9},    {1, 4},
      {1, 4},      {1, 4},  {10},    {5, 4, 4}, {5, 4, 4}, {4, 4},  {4, 4}, {4, 4}};
  std::mt19937 random(20071231);
  for (int trial = 0; trial < 3000; ++trial) {
    ResponseRecord record;
    record.SetReportType(trial % 2);
    // Vary the density so that every screen is reached positive and negative.
    const int threshold = static_cast<int>(random() % 100);
    for (int item = 1; item <= kItemCount; ++item) {
      const int value = static_cast<int>(random() % 100) < threshold
                            ? static_cast<int>(random() % 6)
                            : (random() % 3 == 0 ? -1 : static_cast<int>(random() % 2));
      record.SetResponse(item, value);
    }
    record.MarkMetItems();
    std::vector<ScreenResult> results;
    for (int row = 1; row <= kScreenCount; ++row) {
      results.push_back(EvaluateScreen(row, record));
      const ScreenResult& result = results.back();
      ASSERT_EQ(result.counts.size(), sizes[row - 1].size()) << row;
      int total = 0;
      for (std::size_t g = 0; g < result.counts.size(); ++g) {
        EXPECT_GE(result.counts[g], 0);
        EXPECT_LE(result.counts[g], sizes[row - 1][g]) << row;
        total += result.counts[g];
      }
      const std::vector<int> items = ItemsOf(result.itemsMet);
      EXPECT_TRUE(std::is_sorted(items.begin(), items.end())) << row;
      EXPECT_EQ(std::adjacent_find(items.begin(), items.end()), items.end()) << row;
      for (int item : items) {
        EXPECT_TRUE(record.IsMet(item)) << row << " lists unmet item " << item;
      }
      const int listed = (row == 6 || row == 7) ? result.counts[0] : total;
      EXPECT_EQ(static_cast<int>(items.size()), listed) << row;
    }
    for (const auto& set : exclusiveSets) {
      int positives = 0;
      for (int row : set) {
        positives += results[row - 1].positive ? 1 : 0;
      }
      EXPECT_LE(positives, 1) << "set starting at row " << set[0] << ", trial " << trial;
    }
  }
}

}  // namespace
}  // namespace acv
