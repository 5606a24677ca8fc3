#include "storage/csv/csv_export.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>

#include "storage/format/file_status.h"
#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/format/whole_file_writer.h"
#include "storage/text/messages.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::InChild;
using testing::ReadBytes;
using testing::TestRecord;
using testing::WriteBytes;

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
    columns.push_back(line.substr(start, comma - start));
  }
  columns.push_back(line.substr(start));
  return columns;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

TEST(CsvLineTest, HeaderHas220NamedColumns) {
  const std::vector<std::string> columns = Columns(CsvHeaderLine());
  ASSERT_EQ(columns.size(), 220u);
  EXPECT_EQ(columns[0], "Version");
  EXPECT_EQ(columns[8], "Country");
  EXPECT_EQ(columns[9], "Phone");
  EXPECT_EQ(columns[25], "Reporter");
  EXPECT_EQ(columns[29], "Observer Comment");
  EXPECT_EQ(columns[30], "1");
  EXPECT_EQ(columns[219], "190");
}

TEST(CsvLineTest, RecordLineColumns) {
  ResponseRecord record = TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  record.SetText(TextField::kCountry, "Exampleland");
  record.SetText(TextField::kPhone, "555 0100");
  record.SetText(TextField::kSavedStamp, "20070612093005");
  record.SetEntryMethod(kEnteredFromPaper);
  record.SetResponse(1, 5);
  record.SetResponse(2, -1);
  record.RestoreResponse(3, 9);  // outside 0..5
  const std::vector<std::string> columns = Columns(CsvRecordLine(record));
  ASSERT_EQ(columns.size(), 220u);
  EXPECT_EQ(columns[0], "ACV 4.0   ");
  EXPECT_EQ(columns[1], "Paper");
  EXPECT_EQ(columns[2], "Alex");
  EXPECT_EQ(columns[3], "Morgan");
  EXPECT_EQ(columns[8], "Exampleland");  // country comes before the phones
  EXPECT_EQ(columns[9], "555 0100");
  EXPECT_EQ(columns[12], "F");
  EXPECT_EQ((std::vector<std::string>(columns.begin() + 13, columns.begin() + 16)),
            (std::vector<std::string>{"1975", "03", "07"}));
  EXPECT_EQ((std::vector<std::string>(columns.begin() + 19, columns.begin() + 25)),
            (std::vector<std::string>{"2007", "06", "12", "09", "30", "05"}));
  EXPECT_EQ(columns[25], "Observer");
  EXPECT_EQ(columns[26], "Jo Observer");
  EXPECT_EQ(columns[30], "5");
  EXPECT_EQ(columns[31], "");
  EXPECT_EQ(columns[32], "");
}

TEST(CsvLineTest, AwkwardRecordsStillGive220Columns) {
  ResponseRecord record;
  record.SetText(TextField::kComments, "one, two\r\nsaid \"three\" it's");
  record.SetText(TextField::kBirthDate, "");
  record.SetText(TextField::kCompletionDate, "2007061");  // not 8 characters
  const std::vector<std::string> columns = Columns(CsvRecordLine(record));
  ASSERT_EQ(columns.size(), 220u);
  EXPECT_EQ(columns[1], "On-Screen");
  EXPECT_EQ(columns[29], "one  two  said `three` it`s");
  for (int column = 13; column < 25; ++column) {
    EXPECT_EQ(columns[column], "") << column;
  }
  EXPECT_EQ(columns[25], "Self") << "an unknown report type is exported as Self";
}

TEST(CsvLineTest, CleaningAndTheFormulaGuard) {
  EXPECT_EQ(CleanCsvText("a,b\nc\rd"), "a b c d");
  EXPECT_EQ(CleanCsvText("\"x\" 'y'"), "`x` `y`");
  EXPECT_EQ(CleanCsvText("\xE9t\xE9"), "\xE9t\xE9") << "other bytes are kept";
  EXPECT_EQ(CleanCsvText("=SUM(A1)"), "`=SUM(A1)");
  EXPECT_EQ(CleanCsvText("+61 2 5550 0100"), "`+61 2 5550 0100");
  EXPECT_EQ(CleanCsvText("-x"), "`-x");
  EXPECT_EQ(CleanCsvText("@home"), "`@home");
  EXPECT_EQ(CleanCsvText("\t=SUM(A1)"), "`\t=SUM(A1)");
  EXPECT_EQ(CleanCsvText("\r+1"), "` +1");
  EXPECT_EQ(CleanCsvText("a=b"), "a=b");
  EXPECT_EQ(CleanCsvText(""), "");
}

TEST(CsvNamesTest, DefaultExportNameAndPasswords) {
  EXPECT_EQ(FileNamePart("/data/clinic/acv_2007"), "acv_2007");
  EXPECT_EQ(FileNamePart("c:\\data\\acv"), "acv");
  EXPECT_EQ(FileNamePart("plain"), "plain");
  EXPECT_EQ(DefaultExportName("/exports/old", "/data/acv_2007"), "/exports/acv_2007");
  EXPECT_EQ(DefaultExportName("c:\\exports\\old", "d:/x/new"), "c:\\exports\\new");
  EXPECT_EQ(DefaultExportName("old", "/data/new"), "new");
}

TEST(CsvMessagesTest, OpenFailureTables) {
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kNotFound, "d/x").text,
            "The file\n\t'd/x.cvr'\nwas not found");
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kBadPath, "d/x").caption, "ACV File Error");
  EXPECT_EQ(ExportFileOpenMessage(FileStatus::kBadPath, "d/x").text,
            "The path to file\n\t'd/x.csv'\nwas not found");
  EXPECT_EQ(ExportFileOpenMessage(FileStatus::kAccessDenied, "e").text,
            "You do not have access to the file\n\t'e.csv'");
  EXPECT_EQ(ExportFileOpenMessage(FileStatus::kLockViolation, "e").caption, "Export File Error");
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kSharingViolation, "a").text,
            "The file\n\t'a.cvr'\nis in use by another application");
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kTooShort, "a").text,
            "The file\n\t'a.cvr'\nis not in an ACV file format");
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kBadMagic, "a").text,
            AcvFileOpenMessage(FileStatus::kTooShort, "a").text);
  EXPECT_EQ(AcvFileOpenMessage(FileStatus::kBadLength, "a").text,
            "There was an error opening or reading the file\n\t'a.cvr'");
}

TEST(CsvMessagesTest, Summaries) {
  ExportCounts all{3, 3, 0, 0, 0};
  EXPECT_EQ(ExportSummaryMessage("a", "b", all).caption, "Export OK");
  EXPECT_EQ(ExportSummaryMessage("a", "b", all).text,
            "The ACV file \n\n\ta.cvr\n\nwas exported to\n\n\tb.csv");
  ExportCounts some{12, 9, 1, 2, 0};
  EXPECT_EQ(ExportSummaryMessage("a", "b", some).caption, "Export File Problem");
  EXPECT_EQ(ExportSummaryMessage("a", "b", some).text,
            "The ACV file \n\ta.cvr\n\nwas partially exported to\n\tb.csv\n\nNumber of "
            "Records:\t   12\nRecords Written:\t    9\nCould Not Read:\t    1\nCould Not "
            "Import:\t    2\nCould Not Write:\t    0");
}

class CsvExportTest : public ::testing::Test {
 protected:
  std::string Acv() const { return dir_.File("clinic"); }
  std::string Csv() const { return dir_.File("export"); }

  // Appends `count` records; every record whose index is in `corrupt` is damaged afterwards.
  std::vector<ResponseRecord> MakeFile(int count, std::vector<int> corrupt = {}) {
    std::vector<ResponseRecord> records;
    for (int i = 0; i < count; ++i) {
      ResponseRecord record = TestRecord(i % 2, {.first = "Pat",
                                                 .last = "Lee" + std::to_string(i),
                                                 .birthDate = "19800101",
                                                 .seed = i + 1});
      int index = -1;
      EXPECT_EQ(ResponseFile::WriteRecord(Acv() + ".cvr", BuildImage(record), &index, -1),
                FileStatus::kOk);
      records.push_back(record);
    }
    std::string bytes = ReadBytes(Acv() + ".cvr");
    for (const int index : corrupt) {
      testing::DamageRecord(&bytes, index);
    }
    WriteBytes(Acv() + ".cvr", bytes);
    return records;
  }

  ExportOutcome Export(bool replace = true) {
    asked_ = 0;
    return ExportResponseFile(Acv(), Csv(), [this, replace] {
      ++asked_;
      return replace;
    });
  }

  testing::TempDir dir_;
  int asked_ = 0;
};

TEST_F(CsvExportTest, EveryGoodRecordIsExportedInFileOrder) {
  const std::vector<ResponseRecord> records = MakeFile(4);
  const ExportOutcome outcome = Export();
  EXPECT_EQ(outcome.result, ExportResult::kDone);
  EXPECT_EQ(outcome.counts.records, 4u);
  EXPECT_EQ(outcome.counts.written, 4u);
  EXPECT_EQ(outcome.counts.couldNotRead, 0u);
  EXPECT_EQ(asked_, 0) << "a new file needs no question";
  const std::vector<std::string> lines = Lines(ReadBytes(Csv() + ".csv"));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], CsvHeaderLine());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i) + 1],
              CsvRecordLine(records[static_cast<std::size_t>(i)]));
  }
  struct stat info {};
  ASSERT_EQ(stat((Csv() + ".csv").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0007, 0u) << "others get no access to exported details";
  EXPECT_EQ(ExportSummaryMessage("a", "b", outcome.counts).caption, "Export OK");
}

TEST_F(CsvExportTest, CorruptRecordsAreSkippedAndCounted) {
  MakeFile(5, {0, 3});
  const ExportOutcome outcome = Export();
  EXPECT_EQ(outcome.counts.written, 3u);
  EXPECT_EQ(outcome.counts.couldNotImport, 2u);
  const std::vector<std::string> lines = Lines(ReadBytes(Csv() + ".csv"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Columns(lines[1])[3], "Lee1");
  EXPECT_EQ(Columns(lines[3])[3], "Lee4");
}

TEST_F(CsvExportTest, AllCorruptMakesNoFile) {
  MakeFile(3, {0, 1, 2});
  const ExportOutcome outcome = Export();
  EXPECT_EQ(outcome.result, ExportResult::kDone);
  EXPECT_EQ(outcome.counts.written, 0u);
  EXPECT_EQ(outcome.counts.couldNotImport, 3u);
  EXPECT_EQ(access((Csv() + ".csv").c_str(), F_OK), -1);
  EXPECT_EQ(ExportSummaryMessage("a", "b", outcome.counts).caption, "Export File Problem");
}

TEST_F(CsvExportTest, ExistingFileIsReplacedOnlyWhenAllowed) {
  MakeFile(2);
  WriteBytes(Csv() + ".csv", "old contents");
  const ExportOutcome declined = Export(false);
  EXPECT_EQ(declined.result, ExportResult::kDeclined);
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(ReadBytes(Csv() + ".csv"), "old contents");

  const ExportOutcome replaced = Export(true);
  EXPECT_EQ(replaced.result, ExportResult::kDone);
  EXPECT_EQ(asked_, 1) << "asked once, not once a record";
  EXPECT_EQ(Lines(ReadBytes(Csv() + ".csv")).size(), 3u);
  // Nothing is left beside the export: the response file, its history (which notes the export)
  // and the export file.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    ++files;
  }
  EXPECT_EQ(files, 3u);
}

int changesLeft = 0;
void KillAtChange() {
  if (--changesLeft == 0) {
    raise(SIGKILL);
  }
}

// Personal data never lies about in a readable file that is not the finished export: killed at
// every change, an export leaves no file beside the response file and its history, or the whole
// export under its name.
TEST_F(CsvExportTest, AKilledExportLeavesNothingReadable) {
  MakeFile(5);
  ASSERT_EQ(Export().result, ExportResult::kDone);
  const std::string whole = ReadBytes(Csv() + ".csv");
  for (int kill = 1;; ++kill) {
    std::filesystem::remove(Csv() + ".csv");
    const pid_t pid = fork();
    if (pid == 0) {
      changesLeft = kill;
      SetFaultHookForTesting(KillAtChange);
      _exit(Export().result == ExportResult::kDone ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0);
      EXPECT_GT(kill, 3) << "too few points to be a test";
      break;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename();
      EXPECT_TRUE(name == "clinic.cvr" || name == "clinic.cvh" || name == "export.csv")
          << name << " left by a kill at change " << kill;
    }
    const std::string found = ReadBytes(Csv() + ".csv");
    EXPECT_TRUE(found.empty() || found == whole) << "killed at change " << kill;
  }
  // A part file left where unnamed files cannot be made is removed by the next export.
  WriteBytes(Csv() + ".csv.part", "Pat,Lee0,...");
  EXPECT_EQ(Export().result, ExportResult::kDone);
  EXPECT_NE(access((Csv() + ".csv.part").c_str(), F_OK), 0);
  struct stat info {};
  ASSERT_EQ(stat((Csv() + ".csv").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0007, 0u);
}

TEST_F(CsvExportTest, FailedExportKeepsThePreviousFile) {
  MakeFile(30);
  WriteBytes(Csv() + ".csv", "previous export");
  const std::string acv = Acv();
  const std::string csv = Csv();
  const int code = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{8000, 8000};  // room for a few lines only
    setrlimit(RLIMIT_FSIZE, &limit);
    const ExportOutcome outcome = ExportResponseFile(acv, csv, [] { return true; });
    return outcome.result == ExportResult::kCsvWriteError && outcome.code == FileStatus::kDiskFull
               ? 0
               : 1;
  });
  EXPECT_EQ(code, 0) << "a full disk is a failure to write, not a partial export";
  EXPECT_EQ(ExportFileWriteMessage(FileStatus::kDiskFull, "x").text,
            "The file\n\t'x.csv'\ncould not be written because the disk is full.\n\nNothing "
            "was exported.");
  EXPECT_EQ(ReadBytes(Csv() + ".csv"), "previous export");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    ++files;
  }
  EXPECT_EQ(files, 2u) << "the unfinished file is removed";
}

TEST_F(CsvExportTest, OpenFailuresHaveTheirCodes) {
  EXPECT_EQ(Export().code, FileStatus::kNotFound);
  const ExportOutcome missingFolder =
      ExportResponseFile(dir_.File("none/clinic"), Csv(), [] { return true; });
  EXPECT_EQ(missingFolder.result, ExportResult::kAcvOpenError);
  EXPECT_EQ(missingFolder.code, FileStatus::kNotFound);

  MakeFile(1);
  const ExportOutcome noPath =
      ExportResponseFile(Acv(), dir_.File("none/export"), [] { return true; });
  EXPECT_EQ(noPath.result, ExportResult::kCsvOpenError);
  EXPECT_EQ(noPath.code, FileStatus::kNotFound);
  EXPECT_EQ(ExportFileOpenMessage(noPath.code, "x").text,
            "The path to file\n\t'x.csv'\nwas not found");
  // 3,000 bytes starting as a response file: not a whole number of records.
  const std::string whole = ReadBytes(Acv() + ".cvr");
  // Written by another program.
  const std::string odd = testing::WithoutCommitMark(whole.substr(0, kMinFileSize) +
                                                     std::string(3000 - kMinFileSize, 'z'));
  WriteBytes(Acv() + ".cvr", odd);
  const ExportOutcome oddLength = ExportResponseFile(Acv(), Csv(), [] { return true; });
  EXPECT_EQ(oddLength.result, ExportResult::kAcvOpenError);
  EXPECT_EQ(oddLength.code, FileStatus::kBadLength);
  EXPECT_NE(access((Csv() + ".csv").c_str(), F_OK), 0) << "nothing written";
  WriteBytes(Acv() + ".cvr", whole);
  ASSERT_EQ(mkfifo((Csv() + ".csv").c_str(), 0600), 0);
  EXPECT_EQ(ExportResponseFile(Acv(), Csv(), [] { return true; }).code, FileStatus::kNotRegularFile)
      << "a pipe is refused at once";
}

TEST_F(CsvExportTest, FilesInUseAreRefused) {
  MakeFile(1);
  WriteBytes(Csv() + ".csv", "held");
  WholeFileWriter holder;
  ASSERT_EQ(holder.Open(Csv() + ".csv", true), FileStatus::kOk);
  const std::string acv = Acv();
  const std::string csv = Csv();
  EXPECT_EQ(InChild([&] { return -Code(ExportResponseFile(acv, csv, [] { return true; }).code); }),
            11);
  {
    ResponseFile reader;
    ASSERT_EQ(reader.OpenForReading(Acv() + ".cvr", false), FileStatus::kOk);
    EXPECT_EQ(
        InChild([&] { return -Code(ExportResponseFile(acv, csv, [] { return true; }).code); }), 11);
  }
  holder.Abandon();
  EXPECT_EQ(ReadBytes(Csv() + ".csv"), "held");
}

}  // namespace
}  // namespace acv
