#include "storage/records/record_search.h"
#include "storage/text/typed_input.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <map>

#include "engine/cp1252.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/analysis_loader.h"
#include "storage/text/messages.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::TestRecord;

class RecordSearchTest : public ::testing::Test {
 protected:
  void Write(ResponseRecord record, const std::string& stamp = "20070612101500") {
    int index = -1;
    ASSERT_EQ(ResponseFile::WriteRecord(Name(), BuildImage(record, stamp), &index, -1),
              FileStatus::kOk);
  }
  std::string Name() const { return dir_.File("people.cvr"); }
  testing::TempDir dir_;
};

TEST_F(RecordSearchTest, FindsExactlyOnePersonIgnoringCase) {
  Write(TestRecord(kSelfReport,
                   {.first = "Alex", .last = "MORGAN", .birthDate = "19750307", .seed = 1}));
  Write(TestRecord(
      kSelfReport,
      {.first = "Alex", .last = "Morgan", .birthDate = "19750308", .seed = 1}));  // other birthday
  Write(TestRecord(kSelfReport, {.first = "Alex ",
                                 .last = "Morgan",
                                 .birthDate = "19750307",
                                 .seed = 1}));  // blanks are significant
  Write(TestRecord(kObserverReport,
                   {.first = "alex", .last = "morgan", .birthDate = "19750307", .seed = 1}),
        "20080102030405");
  Write(
      TestRecord(kSelfReport, {.first = "Sam", .last = "Lee", .birthDate = "19800101", .seed = 1}));
  RecordIndex index;
  ASSERT_EQ(BuildRecordIndex(Name(), true, &index), FileStatus::kOk);
  EXPECT_EQ(index.recordCount, 5);
  EXPECT_EQ(index.corruptCount, 0u);
  const auto found = FindPerson(index, "ALEX", "morgan", "19750307");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].fileIndex, 0);
  EXPECT_EQ(found[1].fileIndex, 3);
  EXPECT_EQ(ListLine(found[0]), "Saved: 12/06/2007 10:15:00   Self Assessment");
  EXPECT_EQ(ListLine(found[1]), "Saved: 02/01/2008 03:04:05   Observer Assessment by: Jo Observer");
  EXPECT_TRUE(FindPerson(index, "Alex", "Morgan", "19750309").empty());
}

// Names are stored in code page 1252 and typed in UTF-8 on the command line.
TEST_F(RecordSearchTest, AccentedNamesMatchInAnyCase) {
  Write(TestRecord(kSelfReport, {.first = Utf8ToCp1252("José"),
                                 .last = Utf8ToCp1252("Müller"),
                                 .birthDate = "19750307",
                                 .seed = 1}));
  Write(TestRecord(kSelfReport,
                   {.first = "Jose", .last = "Muller", .birthDate = "19750307", .seed = 1}));
  Write(TestRecord(kSelfReport, {.first = Utf8ToCp1252("šárka"),
                                 .last = Utf8ToCp1252("žÿœø"),
                                 .birthDate = "19750307",
                                 .seed = 1}));
  Write(TestRecord(kSelfReport,
                   {.first = "Sarka", .last = "Zyoo", .birthDate = "19750307", .seed = 1}));
  Write(TestRecord(kObserverReport, {.first = Utf8ToCp1252("ŠÁRKA"),
                                     .last = Utf8ToCp1252("ŽŸŒØ"),
                                     .birthDate = "19750307",
                                     .seed = 1}));
  RecordIndex index;
  ASSERT_EQ(BuildRecordIndex(Name(), true, &index), FileStatus::kOk);
  const auto jose = FindPerson(index, Utf8ToCp1252("JOSÉ"), Utf8ToCp1252("MÜLLER"), "19750307");
  ASSERT_EQ(jose.size(), 1u);
  EXPECT_EQ(jose[0].fileIndex, 0);
  // Both spellings sit together in the sorted index, so one search finds both.
  const auto sarka = FindPerson(index, Utf8ToCp1252("Šárka"), Utf8ToCp1252("žŸŒø"), "19750307");
  ASSERT_EQ(sarka.size(), 2u);
  EXPECT_EQ(sarka[0].fileIndex, 2);
  EXPECT_EQ(sarka[1].fileIndex, 4);
  EXPECT_TRUE(std::is_sorted(
      index.entries.begin(), index.entries.end(),
      [](const IndexEntry& a, const IndexEntry& b) { return a.lastName < b.lastName; }));
}

// Every byte against the Unicode capital of its character: a byte whose capital the code page
// holds becomes that capital, every other byte stays.
TEST(Cp1252UpperCaseTest, EveryLetterPairOfTheCodePage) {
  const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  ASSERT_NE(unicode, static_cast<locale_t>(0));
  const locale_t previous = uselocale(unicode);
  int pairs = 0;
  for (int byte = 1; byte < 256; ++byte) {
    const std::string small(1, static_cast<char>(byte));
    const std::string utf8 = Cp1252ToUtf8(small);
    std::mbstate_t state{};
    wchar_t character = 0;
    ASSERT_EQ(std::mbrtowc(&character, utf8.data(), utf8.size(), &state), utf8.size());
    const auto capital = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(character)));
    char capitalUtf8[MB_LEN_MAX] = {};
    state = {};
    const std::size_t length = std::wcrtomb(capitalUtf8, capital, &state);
    std::string expected = small;
    std::size_t unstorable = 0;
    if (capital != character &&
        Utf8ToCp1252Exact(std::string_view(capitalUtf8, length), &expected, &unstorable)) {
      ++pairs;
    } else {
      expected = small;
    }
    EXPECT_EQ(Cp1252UpperCase(small), expected) << "byte " << byte;
  }
  uselocale(previous);
  freelocale(unicode);
  EXPECT_EQ(pairs, 26 + 30 + 4) << "ASCII, Latin-1, and the s caron, oe, z caron and y diaeresis";
  EXPECT_EQ(Cp1252UpperCase(Utf8ToCp1252("šœžÿéüø ß")), Utf8ToCp1252("ŠŒŽŸÉÜØ ß"));
}

TEST_F(RecordSearchTest, CorruptRecordsAreCountedAndLeftOut) {
  Write(TestRecord(kSelfReport,
                   {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1}));
  Write(TestRecord(kObserverReport,
                   {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1}));
  std::string bytes = testing::ReadBytes(Name());
  testing::DamageRecord(&bytes, 0);
  testing::DamageRecord(&bytes, 1);
  testing::WriteBytes(Name(), bytes);
  RecordIndex index;
  ASSERT_EQ(BuildRecordIndex(Name(), true, &index), FileStatus::kOk);
  EXPECT_EQ(index.corruptCount, 2u);
  EXPECT_TRUE(FindPerson(index, "Alex", "Morgan", "19750307").empty());
  EXPECT_EQ(CorruptRecordsMessage(2).text.substr(0, 29), "Unfortunately 2 records faile");
}

TEST_F(RecordSearchTest, OpeningFailuresAreReturned) {
  RecordIndex index;
  EXPECT_EQ(BuildRecordIndex(dir_.File("missing/x.cvr"), true, &index), FileStatus::kNotFound);
  EXPECT_EQ(BuildRecordIndex(Name(), true, &index), FileStatus::kNotFound) << "never created";
  testing::WriteBytes(Name(), std::string(kMinFileSize, 'x'));
  EXPECT_EQ(BuildRecordIndex(Name(), true, &index), FileStatus::kBadMagic);
}

TEST_F(RecordSearchTest, LoadedReportsGetTheirMetFlags) {
  ResponseRecord self = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  testing::AnswerEvery(self, [](int) { return 2; });
  Write(self);
  Analysis analysis;
  ASSERT_EQ(LoadSelfReport(analysis, Name(), 0), FileStatus::kOk);
  EXPECT_TRUE(analysis.ScreenForReport(3, Report::kSelf).positive);
  EXPECT_EQ(LoadObserverReport(analysis, Name(), 1), FileStatus::kIndexBeyondEnd);
  EXPECT_TRUE(analysis.IsObserverAbsent());
}

TEST(DateBoxesTest, FocusOutRules) {
  EXPECT_EQ(NormaliseDayText("7"), "07");
  EXPECT_EQ(NormaliseDayText("31"), "31");
  EXPECT_EQ(NormaliseDayText("32"), "");
  EXPECT_EQ(NormaliseDayText("0"), "");
  EXPECT_EQ(NormaliseDayText(""), "");
  EXPECT_EQ(NormaliseMonthText("13"), "");
  EXPECT_EQ(NormaliseMonthText("3"), "03");
  EXPECT_EQ(CompleteYearText("7", 2007), "2007");
  EXPECT_EQ(CompleteYearText("45", 2007), "1945");
  EXPECT_EQ(CompleteYearText("0", 2007), "2000");
  EXPECT_EQ(CompleteYearText("26", 2026), "2026");
  EXPECT_EQ(CompleteYearText("27", 2026), "1927");
  EXPECT_EQ(CompleteYearText("1975", 2026), "1975");
  EXPECT_EQ(CompleteYearText("2100", 2026), "");
  EXPECT_EQ(CompleteYearText("", 2026), "");
  EXPECT_EQ(CompleteYearText("19a", 2026), "");
}

TEST(DateBoxesTest, BirthDateChecks) {
  const CalendarDate today{2026, 12, 7};
  CalendarDate date;
  EXPECT_EQ(CheckBirthDate("", "03", "1975", today, &date), BirthDateCheck::kEmpty);
  EXPECT_EQ(CheckBirthDate("29", "02", "1976", today, &date), BirthDateCheck::kOk);
  EXPECT_EQ(date, (CalendarDate{1976, 2, 29}));
  EXPECT_EQ(CheckBirthDate("29", "02", "1975", today, &date), BirthDateCheck::kInvalid);
  EXPECT_EQ(CheckBirthDate("01", "01", "1900", today, &date), BirthDateCheck::kInvalid);
  EXPECT_EQ(CheckBirthDate("31", "04", "1980", today, &date), BirthDateCheck::kInvalid);
  EXPECT_EQ(CheckBirthDate("07", "12", "2008", today, &date), BirthDateCheck::kOk)
      << "the 18th birthday itself counts";
  EXPECT_EQ(CheckBirthDate("08", "12", "2008", today, &date), BirthDateCheck::kUnder18);
}

TEST(FileNameTest, TypedResponseFileNames) {
  std::string full;
  EXPECT_EQ(ResolveResponseFileName("", &full), FileNameCheck::kEmpty);
  EXPECT_EQ(ResolveResponseFileName("/data/clinic", &full), FileNameCheck::kOk);
  EXPECT_EQ(full, "/data/clinic.cvr");
  EXPECT_EQ(ResolveResponseFileName("/data/clinic.cvr", &full), FileNameCheck::kOk);
  EXPECT_EQ(full, "/data/clinic.cvr");
  EXPECT_EQ(ResolveResponseFileName("clinic.txt", &full), FileNameCheck::kHasExtension);
  EXPECT_EQ(ResolveResponseFileName("clinic.CVR", &full), FileNameCheck::kHasExtension);
  EXPECT_EQ(ResolveResponseFileName("clinic.", &full), FileNameCheck::kHasExtension);
  EXPECT_EQ(ResolveResponseFileName("/data/", &full), FileNameCheck::kHasExtension);
  EXPECT_EQ(ResolveResponseFileName(".cvr", &full), FileNameCheck::kHasExtension);
  EXPECT_EQ(ResolveResponseFileName("abc", &full), FileNameCheck::kOk);
  EXPECT_EQ(full, "abc.cvr");
  EXPECT_EQ(ResolveResponseFileName("my.data/clinic", &full), FileNameCheck::kOk);
}

TEST(FileNameTest, ChosenPaths) {
  EXPECT_EQ(StripChosenPath("/data/clinic.cvr", ".cvr"), "/data/clinic");
  EXPECT_EQ(StripChosenPath("/data/clinic.csv", ".cvr"), std::nullopt);
  EXPECT_EQ(StripChosenPath("/data/a.b.cvr", ".cvr"), std::nullopt);
  EXPECT_EQ(StripChosenPath(".cvr", ".cvr"), std::nullopt);
  EXPECT_EQ(StripChosenPath("/data/", ".cvr"), std::nullopt);
  EXPECT_EQ(StripChosenPath("/d/export.csv", ".csv"), "/d/export");
}

TEST(MessagesTest, SaveAndOpenMessagesByCode) {
  EXPECT_EQ(SaveFailureMessage(FileStatus::kFull).text,
            "The file has reached its maximum number of records.\nPlease use another file or "
            "create a new file.");
  EXPECT_EQ(SaveFailureMessage(FileStatus::kBadLength).text,
            SaveFailureMessage(FileStatus::kBadMagic).text);
  EXPECT_EQ(SaveFailureMessage(FileStatus::kLockViolation).text,
            "The file is currently is use by someone else.");
  EXPECT_EQ(SaveFailureMessage(FileStatus::kHardIo).text,
            "An error has occurred while writing the details to disk.\nPlease contact your "
            "system administrator.");
  EXPECT_EQ(SaveFailureMessage(FileStatus::kHardIo).caption, "Save Has Failed");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kNotFound, "/d/x").text,
            "The file '/d/x.cvr' was not found.");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kBadPath, "/d/x").caption, "File Not Found");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kSharingViolation, "x").caption, "File In Use");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kTooShort, "x").caption, "Partial File Corruption");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kAccessDenied, "x").caption, "File Access Error");
  EXPECT_EQ(SelectionOpenMessage(FileStatus::kHardIo, "x").text,
            "There was an error attempting to open the file\n'x.cvr'\n\nPlease contact your "
            "system administrator for assistance.");
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const UserMessage saved = SaveSuccessMessage(record, "/d/x.cvr");
  EXPECT_EQ(saved.caption, "Save Was Successful");
  EXPECT_EQ(saved.text,
            "The save has been successful.  The responses for\n\n\tFirst Name:\tAlex\n\tLast "
            "Name:\tMorgan\n\tDate of Birth:\t07/03/1975\n\nhave been saved in the file\n\n\t/d/"
            "x.cvr");
}

// Every text of the table is said once (a text given whole by the caller aside), and a
// message's names go into its marks in order.
TEST(MessagesTest, EachTextOnceAndNamesFillTheirMarks) {
  std::map<std::string, int> seen;
  for (int id = 0; id < static_cast<int>(MessageId::kCount); ++id) {
    const std::string text = Message(static_cast<MessageId>(id)).text;
    if (text == kNameMark) {
      continue;
    }
    const auto [at, added] = seen.emplace(text, id);
    EXPECT_TRUE(added) << "message " << id << " repeats the text of message " << at->second;
  }
  EXPECT_EQ(Message(MessageId::kExportOk, {"a", "b"}).text,
            "The ACV file \n\n\ta.cvr\n\nwas exported to\n\n\tb.csv");
  EXPECT_EQ(Message(MessageId::kReportNotWritten, {"\x1f"}).text, "cannot write \x1f: \x1f")
      << "a name that holds a mark is not filled in again";
}

}  // namespace
}  // namespace acv
