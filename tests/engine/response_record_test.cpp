#include "engine/response_record.h"

#include <gtest/gtest.h>

#include "engine/item_bank.h"
#include "support/record_builder.h"

namespace acv {
namespace {

TEST(ResponseRecordTest, NewRecordIsEmpty) {
  ResponseRecord record;
  EXPECT_EQ(record.ReportType(), kReportTypeUnset);
  EXPECT_EQ(record.Gender(), 'U');
  EXPECT_EQ(record.EntryMethod(), kEnteredOnScreen);
  for (int item = 0; item <= kItemCount; ++item) {
    EXPECT_EQ(record.StoredResponse(item), kResponseUnset);
    EXPECT_EQ(record.GetResponse(item), -1);
  }
  EXPECT_TRUE(record.Text(TextField::kLastName).empty());
}

TEST(ResponseRecordTest, SetResponseChecksTypeThenItemThenValue) {
  ResponseRecord record;
  EXPECT_EQ(record.SetResponse(5, 3), -3);  // report type not set yet
  EXPECT_EQ(record.SetResponse(191, 9), -3);
  ASSERT_EQ(record.SetReportType(kSelfReport), 0);
  EXPECT_EQ(record.SetResponse(191, 3), -1);
  EXPECT_EQ(record.SetResponse(0, 3), -1);
  EXPECT_EQ(record.SetResponse(5, 6), -2);
  EXPECT_EQ(record.StoredResponse(5), kResponseUnset);  // nothing stored
  EXPECT_EQ(record.SetResponse(5, 4), 0);
  EXPECT_EQ(record.GetResponse(5), 4);
  EXPECT_EQ(record.SetResponse(5, -1), 0);
  EXPECT_EQ(record.GetResponse(5), -1);
  EXPECT_EQ(record.StoredResponse(5), kResponseBlank);
  EXPECT_EQ(record.SetResponse(5, 7), -2);
}

TEST(ResponseRecordTest, ResponseCharacters) {
  ResponseRecord record;
  record.SetReportType(kObserverReport);
  record.SetResponse(1, 0);
  record.SetResponse(2, 5);
  record.SetResponse(3, -1);
  EXPECT_EQ(record.GetResponseChar(1), '0');
  EXPECT_EQ(record.GetResponseChar(2), '5');
  EXPECT_EQ(record.GetResponseChar(3), ' ');
  EXPECT_EQ(record.GetResponseChar(4), ' ');
  record.RestoreResponse(4, 15);  // a never-set response as read back from a file
  EXPECT_EQ(record.GetResponse(4), -1);
  EXPECT_EQ(record.GetResponseChar(4), ' ');
}

TEST(ResponseRecordTest, ParsePaperResponseTakesOneDigitOnly) {
  for (int v = 0; v <= 5; ++v) {
    EXPECT_EQ(ResponseRecord::ParsePaperResponse(std::string(1, static_cast<char>('0' + v))), v);
  }
  for (std::string_view text : {"", " 3", "03", "6", "x", "3 ", "-1"}) {
    EXPECT_EQ(ResponseRecord::ParsePaperResponse(text), -1) << text;
  }
}

TEST(ResponseRecordTest, CodesAreValidatedAndStored) {
  ResponseRecord record;
  for (char code : {'M', 'F', 'X', 'U'}) {
    EXPECT_EQ(record.SetGender(code), 0);
    EXPECT_EQ(record.Gender(), code);
  }
  EXPECT_EQ(record.SetGender('m'), -1);
  EXPECT_EQ(record.Gender(), 'U');
  EXPECT_EQ(record.SetReportType(2), -1);
  EXPECT_EQ(record.ReportType(), kReportTypeUnset);
  record.SetEntryMethod('1');
  EXPECT_EQ(record.EntryMethod(), kEnteredFromPaper);
  record.SetEntryMethod('7');
  EXPECT_EQ(record.EntryMethod(), kEnteredOnScreen);
}

TEST(ResponseRecordTest, TextIsCutToItsWidthAndAtAZeroByte) {
  ResponseRecord record;
  record.SetText(TextField::kState, "Victoria");
  EXPECT_EQ(record.Text(TextField::kState), "Vic");
  record.SetText(TextField::kFirstName, std::string_view("Al\0ex", 5));
  EXPECT_EQ(record.Text(TextField::kFirstName), "Al");
  const std::string comment(250, 'c');
  record.SetText(TextField::kComments, comment);
  EXPECT_EQ(record.Text(TextField::kComments).size(), 200u);
}

TEST(ResponseRecordTest, MetFlagsFollowTheThresholds) {
  ResponseRecord record;
  record.SetReportType(kSelfReport);
  record.SetResponse(9, 2);   // low-threshold item: Sometimes is met
  record.SetResponse(10, 2);  // ordinary item: Sometimes is not
  record.SetResponse(11, 3);  // Regularly is met everywhere
  record.SetResponse(12, 5);
  record.SetResponse(13, 1);
  record.SetResponse(14, -1);  // blank
  record.MarkMetItems();
  EXPECT_TRUE(record.IsMet(9));
  EXPECT_FALSE(record.IsMet(10));
  EXPECT_TRUE(record.IsMet(11));
  EXPECT_TRUE(record.IsMet(12));
  EXPECT_FALSE(record.IsMet(13));
  EXPECT_FALSE(record.IsMet(14));
  EXPECT_FALSE(record.IsMet(0));
  record.SetResponse(11, 0);
  EXPECT_TRUE(record.IsMet(11)) << "flags change only when derived again";
  record.MarkMetItems();
  EXPECT_FALSE(record.IsMet(11));
}

TEST(ResponseRecordTest, AllBlankRecordHasNoMetItem) {
  ResponseRecord record = testing::TestRecord(kSelfReport, {.fill = -1});
  record.MarkMetItems();
  for (int item = 0; item <= kItemCount; ++item) {
    EXPECT_FALSE(record.IsMet(item)) << item;
  }
}

TEST(ResponseRecordTest, ItemTextFollowsTheReportType) {
  ResponseRecord record;
  EXPECT_EQ(record.GetItemText(25), ItemBank::Self(25));  // unset reads the Self wording
  record.SetReportType(kObserverReport);
  EXPECT_EQ(record.GetItemText(25), "Has trouble reading.");
  record.SetReportType(kSelfReport);
  EXPECT_EQ(record.GetItemText(25), "I have trouble reading.");
  EXPECT_EQ(record.GetItemText(0), "");
}

TEST(ResponseRecordTest, DateAccessorsNeedExactlyTheirDigits) {
  ResponseRecord record;
  record.SetText(TextField::kBirthDate, "19750307");
  record.SetText(TextField::kSavedStamp, "20071231235958");
  ASSERT_TRUE(record.BirthDate());
  EXPECT_EQ(*record.BirthDate(), (CalendarDate{1975, 3, 7}));
  ASSERT_TRUE(record.SavedStamp());
  EXPECT_EQ(record.SavedStamp()->second, 58);
  record.SetText(TextField::kBirthDate, "1975037");
  EXPECT_FALSE(record.BirthDate());
  EXPECT_FALSE(record.CompletionDate());
}

TEST(ResponseRecordTest, IsSameAsIgnoresEntryMethodSavedTimeAndKindsOfBlank) {
  ResponseRecord a;
  a.SetReportType(kSelfReport);
  a.SetText(TextField::kFirstName, "Alex");
  a.SetResponse(1, 3);
  a.SetResponse(2, -1);
  ResponseRecord b = a;
  b.SetEntryMethod(kEnteredFromPaper);
  b.RestoreResponse(2, 15);  // never set and blank both count as blank
  // A save that failed after stamping the record is still no edit.
  b.SetText(TextField::kSavedStamp, "20240310120000");
  EXPECT_TRUE(a.IsSameAs(b));
  b.SetResponse(1, 4);
  EXPECT_FALSE(a.IsSameAs(b));
  b = a;
  b.SetText(TextField::kFirstName, "alex");
  EXPECT_FALSE(a.IsSameAs(b));
  b = a;
  b.SetGender('F');
  EXPECT_FALSE(a.IsSameAs(b));
  b = a;
  b.SetReportType(kObserverReport);
  EXPECT_FALSE(a.IsSameAs(b));
}

}  // namespace
}  // namespace acv
