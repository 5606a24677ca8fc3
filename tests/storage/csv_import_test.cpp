#include "storage/csv_import.h"

#include <gtest/gtest.h>

#include "storage/csv_export.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::Person;

std::string Csv(const std::vector<std::string>& lines) {
  std::string text = CsvHeaderLine() + "\r\n";
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text;
}

// The line of `record` with column `column` (0-based) replaced by `cell`.
std::string WithCell(const ResponseRecord& record, int column, const std::string& cell) {
  std::string line = CsvRecordLine(record);
  std::size_t start = 0;
  for (int k = 0; k < column; ++k) {
    start = line.find(',', start) + 1;
  }
  const std::size_t end = line.find(',', start);
  return line.replace(start, (end == std::string::npos ? line.size() : end) - start, cell);
}

CsvImportError Refused(const std::string& text) {
  std::vector<ResponseRecord> records;
  CsvImportError error;
  EXPECT_FALSE(ParseCsvRecords(text, &records, &error));
  EXPECT_TRUE(records.empty());
  return error;
}

TEST(CsvImportTest, ExportedLinesReadBackAsTheSameRecords) {
  ResponseRecord self = Person("Alex", "Morgan", "19750307", kSelfReport, 2);
  self.SetText(TextField::kSavedStamp, "20070612093005");
  self.SetText(TextField::kPhone, "+61 5550 0100");  // exported with a formula guard
  self.SetEntryMethod(kEnteredFromPaper);
  ResponseRecord observer = Person("Alex", "Morgan", "19750307", kObserverReport, 3);
  observer.SetText(TextField::kComments, "plain words");
  std::vector<ResponseRecord> records;
  CsvImportError error;
  ASSERT_TRUE(
      ParseCsvRecords(Csv({CsvRecordLine(self), CsvRecordLine(observer)}), &records, &error))
      << DescribeImportError(error);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Text(TextField::kSavedStamp), "20070612093005");
  EXPECT_EQ(records[0].EntryMethod(), kEnteredFromPaper);
  EXPECT_EQ(records[0].Text(TextField::kPhone), "+61 5550 0100");
  // The exported comments were cleaned, so compare what the export would show.
  EXPECT_EQ(CsvRecordLine(records[0]), CsvRecordLine(self));
  EXPECT_EQ(records[1].Text(TextField::kSavedStamp), "");
  EXPECT_TRUE(records[1].IsSameAs(observer));
  EXPECT_EQ(records[1].StoredResponse(6), observer.StoredResponse(6));
}

TEST(CsvImportTest, LineEndsAndByteOrderMark) {
  const ResponseRecord record = Person("Sam", "Lee", "19800101", kSelfReport);
  std::vector<ResponseRecord> records;
  CsvImportError error;
  EXPECT_TRUE(ParseCsvRecords("\xEF\xBB\xBF" + CsvHeaderLine() + "\n" + CsvRecordLine(record),
                              &records, &error));
  EXPECT_EQ(records.size(), 1u);
  EXPECT_TRUE(ParseCsvRecords(CsvHeaderLine(), &records, &error)) << "a header alone is no fault";
  EXPECT_TRUE(records.empty());
}

TEST(CsvImportTest, FaultsNameTheirLineAndColumn) {
  ResponseRecord record = Person("Sam", "Lee", "19800101", kSelfReport);
  record.SetText(TextField::kSavedStamp, "20070612093005");
  const std::string good = CsvRecordLine(record);
  struct Case {
    std::string line;
    int column;
  };
  const Case cases[] = {
      {WithCell(record, 0, "ACV 3.0"), 1},
      {WithCell(record, 1, "paper"), 2},
      {WithCell(record, 2, std::string(21, 'x')), 3},  // first name over 20 characters
      {WithCell(record, 12, "Q"), 13},
      {WithCell(record, 12, ""), 13},
      {WithCell(record, 13, "80"), 14},
      {WithCell(record, 14, ""), 15},  // a date either whole or empty
      {WithCell(record, 20, "1x"), 21},
      {WithCell(record, 25, "Other"), 26},
      {WithCell(record, 29, std::string(201, 'c')), 30},
      {WithCell(record, 30, "6"), 31},
      {WithCell(record, 219, "12"), 220},
  };
  for (const Case& c : cases) {
    const CsvImportError error = Refused(Csv({good, c.line}));
    EXPECT_EQ(error.line, 3) << c.line.substr(0, 60);
    EXPECT_EQ(error.column, c.column) << c.line.substr(0, 60);
  }
  const CsvImportError short_line = Refused(Csv({good + ",extra"}));
  EXPECT_EQ(short_line.line, 2);
  EXPECT_EQ(short_line.column, 0);
  EXPECT_EQ(DescribeImportError(short_line), "line 2: has 221 columns, not 220");
  EXPECT_EQ(DescribeImportError(Refused(Csv({WithCell(record, 13, "80")}))),
            "line 2, column 14 (Birth Year): expected 4 digits (or every part of the date empty)");
  EXPECT_EQ(Refused("Version,x\r\n" + good).line, 1) << "the header line is required";
  EXPECT_EQ(Refused("").line, 1);
}

TEST(CsvImportTest, EmptyCellsMeanBlankAndNoDate) {
  ResponseRecord record = Person("Sam", "Lee", "", kSelfReport);
  record.SetResponse(7, -1);
  std::vector<ResponseRecord> records;
  CsvImportError error;
  ASSERT_TRUE(ParseCsvRecords(Csv({CsvRecordLine(record)}), &records, &error));
  EXPECT_EQ(records[0].Text(TextField::kBirthDate), "");
  EXPECT_EQ(records[0].StoredResponse(7), kResponseBlank);
}

}  // namespace
}  // namespace acv
