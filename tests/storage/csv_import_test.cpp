#include "storage/csv/csv_import.h"

#include <gtest/gtest.h>

#include "storage/csv/csv_export.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::TestRecord;

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

CsvImportError Refused(const std::string& text, std::size_t capacity = kMaxRecords) {
  CsvImport imported;
  CsvImportError error;
  EXPECT_FALSE(ParseCsvRecords(text, capacity, &imported, &error));
  EXPECT_TRUE(imported.records.empty());
  return error;
}

// The records of `text`, which must be accepted.
std::vector<ResponseRecord> Imported(const std::string& text,
                                     std::vector<CsvImportWarning>* warnings = nullptr) {
  CsvImport imported;
  CsvImportError error;
  EXPECT_TRUE(ParseCsvRecords(text, kMaxRecords, &imported, &error)) << DescribeImportError(error);
  if (warnings != nullptr) {
    *warnings = imported.warnings;
  }
  return imported.records;
}

TEST(CsvImportTest, ExportedLinesReadBackAsTheSameRecords) {
  ResponseRecord self = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 2});
  self.SetText(TextField::kSavedStamp, "20070612093005");
  self.SetText(TextField::kPhone, "+61 5550 0100");  // exported with a formula guard
  self.SetEntryMethod(kEnteredFromPaper);
  ResponseRecord observer = TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 3});
  observer.SetText(TextField::kComments, "plain words");
  const std::vector<ResponseRecord> records =
      Imported(Csv({CsvRecordLine(self), CsvRecordLine(observer)}));
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
  const ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1});
  EXPECT_EQ(Imported("\xEF\xBB\xBF" + CsvHeaderLine() + "\n" + CsvRecordLine(record)).size(), 1u);
  EXPECT_TRUE(Imported(CsvHeaderLine()).empty()) << "a header alone is no fault";
}

TEST(CsvImportTest, FaultsNameTheirLineAndColumn) {
  ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1});
  record.SetText(TextField::kSavedStamp, "20070612093005");
  const std::string good = CsvRecordLine(record);
  struct Case {
    std::string line;
    int column;
  };
  ResponseRecord inFebruary2025 = record;
  inFebruary2025.SetText(TextField::kCompletionDate, "20250212");
  const Case cases[] = {
      {WithCell(record, 0, "ACV 3.0"), 1},
      {WithCell(record, 17, "13"), 18},          // a completion month of 13
      {WithCell(record, 18, "31"), 19},          // completed on 31 June
      {WithCell(inFebruary2025, 18, "29"), 19},  // 29 February 2025
      {WithCell(record, 1, "paper"), 2},
      {WithCell(record, 2, std::string(21, 'x')), 3},  // first name over 20 characters
      {WithCell(record, 12, "Q"), 13},
      {WithCell(record, 12, ""), 13},
      {WithCell(record, 13, "80"), 14},
      {WithCell(record, 14, ""), 15},  // a date either whole or empty
      {WithCell(record, 20, "1x"), 21},
      {WithCell(record, 20, "13"), 21},  // a saved month of 13
      {WithCell(record, 21, "31"), 22},  // 31 June
      {WithCell(record, 22, "25"), 23},  // an hour of 25
      {WithCell(record, 2, "Sa\x01m"), 3},
      {WithCell(record, 3, "Lee\x7F"), 4},
      {WithCell(record, 2, "Sa\tm"), 3},
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
  EXPECT_EQ(DescribeImportError(Refused(Csv({WithCell(record, 17, "13")}))),
            "line 2, column 18 (Completion Month): not a possible date");
  EXPECT_EQ(Refused("Version,x\r\n" + good).line, 1) << "the header line is required";
  EXPECT_EQ(Refused("").line, 1);
}

TEST(CsvImportTest, EmptyCellsMeanBlankAndNoDate) {
  ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "", .seed = 1});
  record.SetResponse(7, -1);
  std::vector<CsvImportWarning> warnings;
  const std::vector<ResponseRecord> records = Imported(Csv({CsvRecordLine(record)}), &warnings);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Text(TextField::kBirthDate), "");
  EXPECT_EQ(records[0].StoredResponse(7), kResponseBlank);
}

TEST(CsvImportTest, RecordsNoSearchCanFindAreImportedWithAWarning) {
  const ResponseRecord good =
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1});
  std::vector<CsvImportWarning> warnings;
  const std::vector<ResponseRecord> records = Imported(
      Csv({CsvRecordLine(TestRecord(
               kSelfReport, {.first = "", .last = "Lee", .birthDate = "19800101", .seed = 1})),
           CsvRecordLine(good),
           CsvRecordLine(TestRecord(
               kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800231", .seed = 1}))}),
      &warnings);
  EXPECT_EQ(records.size(), 3u);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].line, 2);
  EXPECT_EQ(warnings[0].message, "no first or last name: no search can find it");
  EXPECT_EQ(warnings[1].line, 4);
  EXPECT_EQ(warnings[1].message, "no valid date of birth: no search can find it");
}

TEST(CsvImportTest, TextsAreReadAsUtf8OrCodePage1252AndNeverCut) {
  const ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1});
  const std::string utf8 =
      Csv({WithCell(record, 2, "Jos\xC3\xA9"), WithCell(record, 3, "Zo\xC3\xAB")});
  std::vector<ResponseRecord> records = Imported(utf8);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Text(TextField::kFirstName), "Jos\xE9");
  EXPECT_EQ(records[1].Text(TextField::kLastName), "Zo\xEB");
  EXPECT_EQ(Imported("\xEF\xBB\xBF" + utf8)[0].Text(TextField::kFirstName), "Jos\xE9");
  // Twenty accented letters are forty bytes of UTF-8 and fit the 20 of the field.
  std::string twenty;
  for (int i = 0; i < 20; ++i) {
    twenty += "\xC3\xA9";
  }
  EXPECT_EQ(Imported(Csv({WithCell(record, 2, twenty)}))[0].Text(TextField::kFirstName),
            std::string(20, '\xE9'));
  // Not UTF-8 as a whole: code page 1252, byte for byte.
  EXPECT_EQ(Imported(Csv({WithCell(record, 2, "Jos\xE9")}))[0].Text(TextField::kFirstName),
            "Jos\xE9");

  const CsvImportError emoji =
      Refused(Csv({CsvRecordLine(record), WithCell(record, 3, "Lee \xF0\x9F\x98\x80")}));
  EXPECT_EQ(DescribeImportError(emoji),
            "line 3, column 4 (Last Name): character 5 cannot be stored (only the characters of "
            "code page 1252 can)");
  // "€" is the stored form's padding byte: "paid €50" would be stored as "paid ".
  for (const std::string paid : {"paid \xE2\x82\xAC"
                                 "50",
                                 "paid \x80"
                                 "50"}) {
    EXPECT_EQ(DescribeImportError(Refused(Csv({WithCell(record, 29, paid)}))),
              "line 2, column 30 (Observer Comment): character 6 (\"\u20ac\") cannot be stored");
  }
  const CsvImportError nul = Refused(Csv({WithCell(record, 2, std::string("Sa\0m", 4))}));
  EXPECT_EQ(DescribeImportError(nul), "line 2, column 3 (First Name): holds a NUL byte");
}

TEST(CsvImportTest, MoreLinesThanTheFileCanTakeAreRefusedBeforeParsing) {
  const std::string good = CsvRecordLine(
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1}));
  EXPECT_EQ(Imported(Csv({good, good})).size(), 2u);
  const CsvImportError full = Refused(Csv({good, "not a record", good}), 2);
  EXPECT_EQ(full.line, 4);
  EXPECT_EQ(full.message, "the response file can take 2 more records, and the file has 3");
  EXPECT_EQ(Refused(Csv({good}), 0).line, 2);
}

// Every stored text comes back from export and import, but for what the cleaning changes.
TEST(CsvImportTest, TheFormulaGuardRoundTrips) {
  for (const std::string text :
       {"=1+2", "`=x", "``-y", "+61 555", "@home", "`plain", "`", "-", " =1"}) {
    ResponseRecord record = TestRecord(
        kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1});
    record.SetText(TextField::kComments, text);
    record.SetText(TextField::kTown, text);
    const std::vector<ResponseRecord> back = Imported(Csv({CsvRecordLine(record)}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Text(TextField::kComments), text);
    EXPECT_EQ(back[0].Text(TextField::kTown), text);
  }
}

}  // namespace
}  // namespace acv
