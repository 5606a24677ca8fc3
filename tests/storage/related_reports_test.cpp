#include "storage/records/related_reports.h"

#include <gtest/gtest.h>

#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/record_store.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::TestRecord;

constexpr const char* kBirth = "19750307";

class RelatedReportsTest : public ::testing::Test {
 protected:
  // Appends `record` saved at `stamp` and gives its index.
  int Write(ResponseRecord record, const std::string& stamp) {
    int index = -1;
    EXPECT_EQ(ResponseFile::WriteRecord(Name(), BuildImage(record, stamp), &index, kAppend),
              FileStatus::kOk);
    return index;
  }
  // Appends a record of Alex Morgan, saved at `stamp`, its comment naming it.
  int WriteAlex(int type, const std::string& stamp, const std::string& comment) {
    ResponseRecord record =
        TestRecord(type, {.first = "Alex", .last = "Morgan", .birthDate = kBirth, .seed = 1});
    record.SetText(TextField::kComments, comment);
    saved_ = record;
    saved_.SetText(TextField::kSavedStamp, stamp);
    return Write(record, stamp);
  }
  std::string Name() const { return dir_.File("people.cvr"); }
  static std::string Comment(const ResponseRecord& record) {
    return std::string(record.Text(TextField::kComments));
  }

  testing::TempDir dir_;
  ResponseRecord saved_;  // the record last written by WriteAlex
  Analysis analysis_;
};

TEST_F(RelatedReportsTest, AloneTheRecordReadBackFillsTheSlotOfItsType) {
  WriteAlex(kSelfReport, "20070612101500", "self");
  const int observer = WriteAlex(kObserverReport, "20070612101600", "observer");
  EXPECT_EQ(LoadSavedAnalysis(analysis_, Name(), observer, saved_, RelatedReports::kLeaveOut),
            (std::array<int, 2>{-1, observer}));
  EXPECT_TRUE(analysis_.IsSelfAbsent());
  EXPECT_EQ(Comment(analysis_.observerReport()), "observer");
  // Read with its met flags: item 3 is rated 3.
  ASSERT_EQ(analysis_.observerReport().GetResponse(3), 3);
  EXPECT_TRUE(analysis_.observerReport().IsMet(3));
}

TEST_F(RelatedReportsTest, MostRecentTakesEachTypeOfThatPersonByTimeStamp) {
  const int latest = WriteAlex(kObserverReport, "20080101000000", "latest observer");
  WriteAlex(kObserverReport, "20060101000000", "older observer, later in the file");
  WriteAlex(kSelfReport, "20070101000000", "older self");
  Write(TestRecord(kObserverReport,
                   {.first = "Alex", .last = "Morgan", .birthDate = "19750308", .seed = 1}),
        "20090101000000");  // other birthday
  Write(TestRecord(kObserverReport,
                   {.first = "Sam", .last = "Morgan", .birthDate = kBirth, .seed = 1}),
        "20090101000000");
  const int self = WriteAlex(kSelfReport, "20090612101500", "self just saved");
  EXPECT_EQ(LoadSavedAnalysis(analysis_, Name(), self, saved_, RelatedReports::kMostRecent),
            (std::array<int, 2>{self, latest}));
  EXPECT_EQ(Comment(analysis_.selfReport()), "self just saved");
  EXPECT_EQ(Comment(analysis_.observerReport()), "latest observer");
  EXPECT_TRUE(analysis_.selfReport().IsMet(3));
  EXPECT_TRUE(analysis_.observerReport().IsMet(3));
}

TEST_F(RelatedReportsTest, RecordsSavedInTheSameSecondGoByFileOrder) {
  WriteAlex(kSelfReport, "20090612101500", "first self");
  WriteAlex(kObserverReport, "20090612101500", "first observer");
  WriteAlex(kObserverReport, "20090612101500", "second observer");
  const int self = WriteAlex(kSelfReport, "20090612101500", "second self");
  LoadSavedAnalysis(analysis_, Name(), self, saved_, RelatedReports::kMostRecent);
  EXPECT_EQ(Comment(analysis_.selfReport()), "second self");
  EXPECT_EQ(Comment(analysis_.observerReport()), "second observer");
}

TEST_F(RelatedReportsTest, AnUnreadableRelatedRecordLeavesItsSlot) {
  WriteAlex(kObserverReport, "20080101000000", "damaged observer");
  const int self = WriteAlex(kSelfReport, "20090101000000", "self");
  testing::DamageRecordIn(Name(), 0);
  analysis_.observerReport().SetText(TextField::kComments, "shown before");
  EXPECT_EQ(LoadSavedAnalysis(analysis_, Name(), self, saved_, RelatedReports::kMostRecent),
            (std::array<int, 2>{self, -1}));
  EXPECT_EQ(Comment(analysis_.selfReport()), "self");
  EXPECT_EQ(Comment(analysis_.observerReport()), "shown before");
}

TEST_F(RelatedReportsTest, AFileThatCannotBeReadShowsTheSavedRecordAlone) {
  WriteAlex(kObserverReport, "20080101000000", "observer");
  const int self = WriteAlex(kSelfReport, "20090101000000", "self");
  for (RelatedReports related : {RelatedReports::kMostRecent, RelatedReports::kLeaveOut}) {
    Analysis analysis;
    ResponseFile holder;  // another user is writing to the file
    ASSERT_EQ(holder.OpenForReading(Name(), false), FileStatus::kOk);
    EXPECT_EQ(LoadSavedAnalysis(analysis, Name(), self, saved_, related),
              (std::array<int, 2>{-1, -1}));
    EXPECT_TRUE(analysis.selfReport().IsSameAs(saved_));
    EXPECT_TRUE(analysis.selfReport().IsMet(3));
    EXPECT_TRUE(analysis.IsObserverAbsent());
  }
}

}  // namespace
}  // namespace acv
