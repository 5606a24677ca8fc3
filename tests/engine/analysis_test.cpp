#include "engine/analysis.h"

#include <gtest/gtest.h>

#include "support/record_builder.h"

namespace acv {
namespace {

using testing::Rate;
using testing::TestRecord;

class AnalysisTest : public ::testing::Test {
 protected:
  void SetSelf(ResponseRecord record) {
    record.MarkMetItems();
    analysis_.selfReport() = record;
  }
  void SetObserver(ResponseRecord record) {
    record.MarkMetItems();
    analysis_.observerReport() = record;
  }
  // Self-report with four identical pairs (Omega above) or blank (too few pairs).
  static ResponseRecord Reliable(int type) { return TestRecord(type, {.fill = 1}); }
  static ResponseRecord TooFew(int type) { return TestRecord(type, {.fill = -1}); }
  static ResponseRecord Unreliable(int type) {
    ResponseRecord record = TestRecord(type, {.fill = 0});
    for (const ItemPair& pair : kOmegaPairs) {
      record.SetResponse(pair.second, 5);
    }
    return record;
  }

  Analysis analysis_;
};

TEST_F(AnalysisTest, NewAnalysisHasNoReports) {
  EXPECT_TRUE(analysis_.IsSelfAbsent());
  EXPECT_TRUE(analysis_.IsObserverAbsent());
  EXPECT_EQ(analysis_.PositiveScreenCountText(Report::kSelf), "");
  EXPECT_EQ(analysis_.SelfOmegaText(), " ");
  EXPECT_EQ(analysis_.ObserverOmegaText(), " ");
  EXPECT_EQ(analysis_.ReliabilityAttainedText(), " ");
  EXPECT_EQ(analysis_.ReliabilityCommentText(), " ");
  EXPECT_EQ(analysis_.GenderText(), "Not Specified");
  EXPECT_EQ(analysis_.RespondentNameText(), "");
  EXPECT_EQ(analysis_.CommentsText(), "");
}

TEST_F(AnalysisTest, NegativeScreensHideTheirItemsButKeepCounts) {
  ResponseRecord self = TestRecord(kSelfReport, {.fill = 0});
  Rate(self, {143, 40, 111}, 4);
  SetSelf(self);
  const ScreenResult result = analysis_.ScreenForReport(1, Report::kSelf);
  EXPECT_FALSE(result.positive);
  EXPECT_EQ(result.counts, (std::vector<int>{1, 2}));
  EXPECT_EQ(result.itemsMet, "");
  self.SetResponse(54, 4);
  SetSelf(self);
  EXPECT_EQ(analysis_.ScreenForReport(1, Report::kSelf).itemsMet, "40, 54, 111, 143");
}

TEST_F(AnalysisTest, PositiveCountsEveryRow) {
  SetSelf(TestRecord(kSelfReport, {.fill = 2}));  // rows 3 and 21
  EXPECT_EQ(analysis_.PositiveScreenCountText(Report::kSelf), "2");
  EXPECT_EQ(analysis_.PositiveScreenCountText(Report::kObserver), "");
  ResponseRecord observer = TestRecord(kObserverReport, {.fill = 0});
  Rate(observer, {35, 78, 85, 115, 118, 20, 58, 74}, 5);  // anorexia and bulimia both
  SetObserver(observer);
  EXPECT_EQ(analysis_.PositiveScreenCountText(Report::kObserver), "2");
}

TEST_F(AnalysisTest, ReliabilityTextsForEveryCombination) {
  struct Case {
    int self;  // 0 absent, 1 too few, 2 above, 3 below
    int observer;
    const char* attained;
    const char* comment;
  };
  const Case cases[] = {
      {0, 1, "NO", "Too few Observer-report responses to calculate Omega."},
      {0, 2, "YES", "The Observer-report was above the Omega cutoff."},
      {0, 3, "NO", "The Observer-report was below the Omega cutoff."},
      {1, 0, "NO", "Too few Self-report responses to calculate Omega."},
      {2, 0, "YES", "The Self-report was above the Omega cutoff."},
      {3, 0, "NO", "The Self-report was below the Omega cutoff."},
      {1, 1, "NO", "Too few Self-report and Observer-report responses to calculate Omega."},
      {1, 2, "YES",
       "The Observer-report was above the Omega cutoff. Too few Self-report responses to "
       "calculate Omega."},
      {1, 3, "NO",
       "The Observer-report was below the Omega cutoff. Too few Self-report responses to "
       "calculate Omega."},
      {2, 1, "YES",
       "The Self-report was above the Omega cutoff. Too few Observer-report responses to "
       "calculate Omega."},
      {2, 2, "YES", "Both the Self-report and Observer-report were above the Omega cutoff"},
      {2, 3, "YES", "Only the Self-report was above the Omega cutoff."},
      {3, 1, "NO",
       "The Self-report was below the Omega cutoff. Too few Observer-report responses to "
       "calculate Omega."},
      {3, 2, "YES", "Only the Observer-report was above the Omega cutoff."},
      {3, 3, "NO", "Neither the Self-report nor Observer-report were above the Omega cutoff"},
  };
  const auto make = [](int kind, int type) {
    switch (kind) {
      case 1:
        return TooFew(type);
      case 2:
        return Reliable(type);
      case 3:
        return Unreliable(type);
      default:
        return ResponseRecord();
    }
  };
  for (const Case& c : cases) {
    analysis_ = Analysis();
    SetSelf(make(c.self, kSelfReport));
    SetObserver(make(c.observer, kObserverReport));
    EXPECT_EQ(analysis_.ReliabilityAttainedText(), c.attained) << c.self << "/" << c.observer;
    EXPECT_EQ(analysis_.ReliabilityCommentText(), c.comment) << c.self << "/" << c.observer;
  }
}

TEST_F(AnalysisTest, DetailsComeFromTheSelfReportFirst) {
  ResponseRecord observer = TestRecord(kObserverReport, {.last = "Morgan-Obs", .fill = 0});
  observer.SetText(TextField::kFirstName, "Sam");
  observer.SetText(TextField::kObserverName, "Jo Lee");
  observer.SetGender('F');
  SetObserver(observer);
  EXPECT_EQ(analysis_.RespondentNameText(), "Sam Morgan-Obs");
  EXPECT_EQ(analysis_.GenderText(), "Female");
  EXPECT_EQ(analysis_.ObserverNameText(), "Jo Lee");
  EXPECT_EQ(analysis_.SelfOmegaText(), " ");
  ResponseRecord self = TestRecord(kSelfReport, {.last = "Morgan", .fill = 0});
  self.SetGender('M');
  SetSelf(self);
  EXPECT_EQ(analysis_.RespondentNameText(), " Morgan");  // the blank stays
  EXPECT_EQ(analysis_.GenderText(), "Male");
  EXPECT_EQ(analysis_.ObserverNameText(), "Jo Lee");
}

TEST_F(AnalysisTest, GenderCodes) {
  const std::pair<char, const char*> cases[] = {
      {'M', "Male"},  {'m', "Male"},  {'F', "Female"},        {'f', "Female"},
      {'X', "Other"}, {'x', "Other"}, {'U', "Not Specified"}, {'Q', "Not Specified"}};
  for (const auto& [code, text] : cases) {
    ResponseRecord self = TestRecord(kSelfReport, {.fill = 0});
    self.RestoreGender(code);
    SetSelf(self);
    EXPECT_EQ(analysis_.GenderText(), text) << code;
  }
}

TEST_F(AnalysisTest, AddressLines) {
  ResponseRecord self = TestRecord(kSelfReport, {.fill = 0});
  SetSelf(self);
  EXPECT_EQ(analysis_.AddressText(), "Not Specified");
  self.SetText(TextField::kCountry, "Australia");
  SetSelf(self);
  EXPECT_EQ(analysis_.AddressText(), "Australia");
  self.SetText(TextField::kStreetAddress, "12 Elm Street");
  self.SetText(TextField::kTown, "Fitzroy");
  self.SetText(TextField::kState, "VIC");
  self.SetText(TextField::kPostcode, "3065");
  SetSelf(self);
  EXPECT_EQ(analysis_.AddressText(), "12 Elm Street\r\nFitzroy   VIC   3065\r\nAustralia");
  self.SetText(TextField::kStreetAddress, "");
  SetSelf(self);
  EXPECT_EQ(analysis_.AddressText(), "Fitzroy\r\nVIC   3065\r\nAustralia");
  self.SetText(TextField::kTown, "");
  self.SetText(TextField::kCountry, "");
  SetSelf(self);
  EXPECT_EQ(analysis_.AddressText(), "VIC\r\n3065");
}

TEST_F(AnalysisTest, PhoneNumbers) {
  ResponseRecord self = TestRecord(kSelfReport, {.fill = 0});
  SetSelf(self);
  EXPECT_EQ(analysis_.PhoneText(), "Not Specified");
  self.SetText(TextField::kPhone2, "0400 000 000");
  SetSelf(self);
  EXPECT_EQ(analysis_.PhoneText(), "0400 000 000");
  self.SetText(TextField::kPhone, "03 9000 0000");
  SetSelf(self);
  EXPECT_EQ(analysis_.PhoneText(), "03 9000 0000\r\n0400 000 000");
}

TEST_F(AnalysisTest, DatesAndAge) {
  ResponseRecord self = TestRecord(kSelfReport, {.fill = 0});
  self.SetText(TextField::kBirthDate, "19700620");
  self.SetText(TextField::kCompletionDate, "20070619");
  SetSelf(self);
  EXPECT_EQ(analysis_.BirthDateText(), "20 June 1970");
  EXPECT_EQ(analysis_.CompletionDateText(), "19 June 2007");
  EXPECT_EQ(analysis_.AgeText(), "36");
  self.SetText(TextField::kCompletionDate, "20070620");  // the birthday itself
  SetSelf(self);
  EXPECT_EQ(analysis_.AgeText(), "37");
  self.SetText(TextField::kBirthDate, "19751307");  // month 13
  SetSelf(self);
  EXPECT_EQ(analysis_.BirthDateText(), "Date data error");
  EXPECT_EQ(analysis_.AgeText(), "-1");
  self.SetText(TextField::kBirthDate, "19750307");
  SetSelf(self);
  EXPECT_EQ(analysis_.BirthDateText(), "07 March 1975");
  self.SetText(TextField::kBirthDate, "19760229");  // leap year
  SetSelf(self);
  EXPECT_EQ(analysis_.AgeText(), "31");
  self.SetText(TextField::kBirthDate, "19750229");
  SetSelf(self);
  EXPECT_EQ(analysis_.AgeText(), "-1");
  self.SetText(TextField::kBirthDate, "19000101");  // before 1901
  SetSelf(self);
  EXPECT_EQ(analysis_.AgeText(), "-1");
  self.SetText(TextField::kBirthDate, "1975037");
  SetSelf(self);
  EXPECT_EQ(analysis_.AgeText(), "-1");
  EXPECT_EQ(analysis_.BirthDateText(), "Date data error");
}

TEST_F(AnalysisTest, CommentsTexts) {
  SetSelf(TestRecord(kSelfReport, {.fill = 0}));
  EXPECT_EQ(analysis_.CommentsText(), "[No additional 'Self-Report' comments were supplied]");
  SetObserver(TestRecord(kObserverReport, {.fill = 0}));
  EXPECT_EQ(analysis_.CommentsText(),
            "[No additional 'Self-Report' comments were supplied]\r\n\r\n{No additional "
            "'Observer-Report' comments were supplied}");
  ResponseRecord observer = TestRecord(kObserverReport, {.fill = 0});
  observer.SetText(TextField::kComments, "Sleeps badly");
  SetObserver(observer);
  analysis_.selfReport() = ResponseRecord();
  EXPECT_EQ(analysis_.CommentsText(), "{Observer: Sleeps badly}");
  EXPECT_EQ(analysis_.SelfCommentText(), "");
}

}  // namespace
}  // namespace acv
