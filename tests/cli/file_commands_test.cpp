#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string_view>

#include "cli/commands.h"
#include "engine/cp1252.h"
#include "storage/csv/csv_export.h"
#include "storage/drafts/draft.h"
#include "storage/drafts/draft_folder.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"
#include "storage/format/response_file.h"
#include "storage/history/history_journal.h"
#include "storage/records/analysis_loader.h"
#include "storage/records/record_store.h"
#include "support/plain_image.h"
#include "support/record_builder.h"
#include "support/run_acv.h"
#include "support/run_here.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ReadBytes;
using testing::RunAcv;
using testing::WriteBytes;

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RunAcv({"demo", dir_.path()}).status, 0); }
  std::string Sample() const { return dir_.File("sample.cvr"); }
  testing::TempDir dir_;
};

TEST_F(FileCommandsTest, DemoWritesASampleAndRefusesToOverwrite) {
  const auto again = RunAcv({"demo", dir_.path()});
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(RunAcv({"demo", "--force", dir_.path()}).status, 0);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 0);
  EXPECT_NE(check.out.find("version: ACV 4.0   \n"), std::string::npos);
  EXPECT_NE(check.out.find("records: 8\ncorrupt: 0\n"), std::string::npos);
  EXPECT_NE(check.out.find("history: 9 entries; the chain holds and every record matches it\n"),
            std::string::npos)
      << check.out;
}

// acv history lists who changed what and why, and shows a version replaced as acv show does;
// acv check names a record changed by hand.
TEST_F(FileCommandsTest, HistoryListsTheChangesAndCheckNamesOneMadeOutsideIt) {
  StoredRecord original{};
  ResponseRecord record;
  ASSERT_EQ(ReadRecord(Sample(), 1, &record, MetFlags::kLeave, &original), FileStatus::kOk);
  const std::string before = RunAcv({"show", Sample(), "1"}).out;
  record.SetText(TextField::kComments, "seen again");
  ASSERT_EQ(
      ReplaceRecord(Sample(), 1, original, record, {HistoryAction::kEditReplaced, "wrong\ncomment"})
          .status,
      FileStatus::kOk);
  const auto listed = RunAcv({"history", Sample(), "--index", "1"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find(" UTC), "), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find(", sample, record 1\nentry 10: "), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find(", edit replaced, record 1, fields changed: "), std::string::npos);
  EXPECT_NE(listed.out.find("comments"), std::string::npos);
  EXPECT_NE(listed.out.find(", reason: wrong comment\n"), std::string::npos);
  EXPECT_EQ(listed.out.find("record 0"), std::string::npos) << "only the record asked for";
  const auto earlier = RunAcv({"history", Sample(), "--index", "1", "--version", "1"});
  ASSERT_EQ(earlier.status, 0) << earlier.err;
  EXPECT_EQ(nlohmann::json::parse(earlier.out)["record"], nlohmann::json::parse(before)["record"])
      << "as show printed it before the edit";
  EXPECT_EQ(RunAcv({"history", Sample(), "--index", "1", "--version", "3"}).status, 1);
  EXPECT_EQ(RunAcv({"history", Sample(), "--version", "1"}).status, 2) << "--version needs --index";

  int index = -1;
  ASSERT_EQ(ResponseFile::WriteRecord(Sample(), original, &index, 1), FileStatus::kOk);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("history: record 1 changed outside the history\n"), std::string::npos)
      << check.out;
}

TEST_F(FileCommandsTest, CheckAndListReportCorruption) {
  testing::DamageRecordIn(Sample(), 2);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("corrupt: 1"), std::string::npos);
  const auto list =
      RunAcv({"list", Sample(), "--first", "ALEX", "--last", "morgan", "--dob", "19750307"});
  EXPECT_EQ(list.status, 3);
  EXPECT_NE(list.err.find("Unfortunately 1 records failed to load"), std::string::npos);
  EXPECT_EQ(list.out.rfind("0\tSaved: ", 0), 0u) << list.out;
  EXPECT_NE(list.out.find("\n1\tSaved: "), std::string::npos);
  EXPECT_NE(list.out.find("Observer Assessment by: Jordan Morgan"), std::string::npos);
}

// Listed as the dialogs list it ("Self Assessment"), and flagged as acv analyse flags it.
TEST_F(FileCommandsTest, ARecordOfNoKnownTypeIsFlaggedByListAsByAnalyse) {
  int index = -1;
  ResponseRecord untyped = testing::TestRecord(
      -1, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  ASSERT_EQ(ResponseFile::WriteRecord(Sample(), BuildImage(untyped), &index, -1), FileStatus::kOk);
  const auto list =
      RunAcv({"list", Sample(), "--first", "Alex", "--last", "Morgan", "--dob", "19750307"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.err.find("warning: record " + std::to_string(index) +
                          " is neither a Self-report nor an Observer-report"),
            std::string::npos)
      << list.err;
  EXPECT_NE(RunAcv({"analyse", Sample(), "--self", std::to_string(index)}).err.find("warning"),
            std::string::npos);
}

// A record verified by double entry says so in list and analyse, and keeps its mark in salvage;
// an unmarked record of the same person says nothing.
TEST_F(FileCommandsTest, ListAndAnalyseShowTheVerificationMarkAndSalvageKeepsIt) {
  int index = -1;
  ResponseRecord verified = testing::TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  verified.SetVerification(Verification{true, 2});
  ASSERT_EQ(ResponseFile::WriteRecord(Sample(), BuildImage(verified), &index, -1), FileStatus::kOk);
  const std::string text =
      "Responses verified by double entry (the second typing by another person, 2 differences "
      "resolved)";
  const auto list =
      RunAcv({"list", Sample(), "--first", "Alex", "--last", "Morgan", "--dob", "19750307"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find(std::to_string(index) + "\t"), std::string::npos);
  EXPECT_EQ(list.out.find(text), list.out.rfind(text)) << "only the marked record: " << list.out;
  EXPECT_NE(list.out.find("\t" + text + "\n"), std::string::npos) << list.out;
  const auto analysis = nlohmann::json::parse(
      RunAcv({"analyse", Sample(), "--self", std::to_string(index), "--observer", "1"}).out);
  EXPECT_EQ(analysis["self"]["verification"], text);
  EXPECT_EQ(analysis["observer"]["verification"], "");
  const std::string fresh = dir_.File("fresh.cvr");
  ASSERT_EQ(RunAcv({"salvage", Sample(), fresh}).status, 0);
  const auto again =
      nlohmann::json::parse(RunAcv({"analyse", fresh, "--self", std::to_string(index)}).out);
  EXPECT_EQ(again["self"]["verification"], text);
  const auto shown = nlohmann::json::parse(RunAcv({"show", Sample(), std::to_string(index)}).out);
  EXPECT_EQ(
      shown["record"]["verification"],
      nlohmann::json({{"verified", true}, {"byAnotherPerson", true}, {"differencesResolved", 2}}));
  EXPECT_TRUE(nlohmann::json::parse(RunAcv({"show", Sample(), "0"}).out)["record"]["verification"]
                  .is_null());
}

// The paper records not yet verified, and the counts; a mark another program broke by changing
// an answer is named by check and counts as unverified.
TEST_F(FileCommandsTest, VerifiedListsThePaperRecordsNotYetVerifiedAndCheckNamesABrokenMark) {
  const auto add = [this](const StoredRecord& stored) {
    int index = -1;
    HistoryJournal journal(Sample(), {HistoryAction::kPaperEntry});
    EXPECT_EQ(ResponseFile::WriteRecord(Sample(), stored, &index, -1, &journal), FileStatus::kOk);
    return std::to_string(index);
  };
  ResponseRecord paper = testing::TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  paper.SetEntryMethod(kEnteredFromPaper);
  paper.SetText(TextField::kSavedStamp, "20261208101500");
  const std::string unverified = add(testing::Scrambled(EncodePlainImage(paper)));
  paper.SetVerification(Verification{false, 3});
  add(testing::Scrambled(EncodePlainImage(paper)));
  EXPECT_EQ(RunAcv({"check", Sample()}).status, 0);
  const std::string broken = add(testing::Scrambled(testing::ChangedBehindTheMark(
      paper, [](ResponseRecord& r) { r.SetResponse(3, (r.GetResponse(3) + 1) % 6); })));

  const auto all = RunAcv({"verified", Sample()});
  EXPECT_EQ(all.status, 0) << all.err;
  const std::string line = "\tSaved: 08/12/2026 10:15:00   Observer Assessment";
  EXPECT_EQ(all.out, unverified + line + "\n" + broken + line +
                         "\tverification mark broken: the answers were changed after it was made\n"
                         "paper records: 3\nverified: 1\nunverified: 2\ndifferences resolved: 3\n");
  EXPECT_EQ(all.out.find("Jo Observer"), std::string::npos) << "no name was asked for";
  const auto named =
      RunAcv({"verified", Sample(), "--first", "alex", "--last", "MORGAN", "--dob", "19750307"});
  EXPECT_NE(named.out.find(unverified + line + " by: Jo Observer\n"), std::string::npos)
      << named.out;
  EXPECT_EQ(RunAcv({"verified", Sample(), "--first", "Alex"}).status, 2);

  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("verification mark broken: record " + broken +
                           ": its answers are no longer those that were verified\n"),
            std::string::npos)
      << check.out;
  EXPECT_TRUE(nlohmann::json::parse(
                  RunAcv({"show", Sample(), broken}).out)["record"]["verification"]["verified"] ==
              false);
}

// While the settings require double entry, paper rows (which the export format cannot mark
// verified) are imported only when asked, and said to be unverified.
TEST_F(FileCommandsTest, ImportRefusesUnverifiedPaperRowsWhileDoubleEntryIsRequired) {
  ResponseRecord paper = testing::TestRecord(
      kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1});
  paper.SetEntryMethod(kEnteredFromPaper);
  const std::string data = dir_.File("paper.csv");
  WriteBytes(data, CsvHeaderLine() + "\r\n" + CsvRecordLine(paper));
  const std::string administrator = dir_.File("administrator.conf");
  WriteBytes(administrator, "[General]\nRequireDoubleEntry=T\n");
  const std::string before = ReadBytes(Sample());
  cli::ImportOptions options{Sample(), data};
  options.administratorFile = administrator;
  const testing::RunResult refused = testing::RunHere("import", cli::RunImport, options);
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("1 paper records not verified by double entry"), std::string::npos)
      << refused.err;
  EXPECT_EQ(ReadBytes(Sample()), before);
  options.unverified = true;
  const testing::RunResult taken = testing::RunHere("import", cli::RunImport, options);
  EXPECT_EQ(taken.status, 0);
  EXPECT_NE(taken.err.find("imported unverified"), std::string::npos);
  // Without the rule, as ever.
  options = cli::ImportOptions{Sample(), data};
  options.administratorFile = dir_.File("none.conf");
  const testing::RunResult plain = testing::RunHere("import", cli::RunImport, options);
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "imported 1 records as records 9 to 9\n");
}

TEST_F(FileCommandsTest, ListNeedsAPersonOfAge) {
  const auto none =
      RunAcv({"list", Sample(), "--first", "Alex", "--last", "Morgan", "--dob", "19750308"});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("No Matching Records"), std::string::npos);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(
      RunAcv({"list", Sample(), "--first", "Alex", "--last", "Morgan", "--dob", "19750229"}).status,
      2);
  const auto young = RunAcv({"list", Sample(), "--first", "A", "--last", "B", "--dob", "20200101"});
  EXPECT_EQ(young.status, 2);
  EXPECT_NE(young.err.find("18 or more"), std::string::npos);
  EXPECT_EQ(RunAcv({"list", Sample(), "--first", "Alex", "--last", "Morgan"}).status, 2);
  const auto missing =
      RunAcv({"list", dir_.File("nope/x.cvr"), "--first", "A", "--last", "B", "--dob", "19750307"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("File Not Found"), std::string::npos);
}

TEST_F(FileCommandsTest, AnalyseGivesTheEngineTexts) {
  const auto run = RunAcv({"analyse", Sample(), "--self", "0", "--observer", "1"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  Analysis analysis;
  ASSERT_EQ(LoadSelfReport(analysis, Sample(), 0), FileStatus::kOk);
  ASSERT_EQ(LoadObserverReport(analysis, Sample(), 1), FileStatus::kOk);
  EXPECT_EQ(json["details"]["respondentName"], analysis.RespondentNameText());
  EXPECT_EQ(json["details"]["address"], analysis.AddressText());
  EXPECT_EQ(json["details"]["birthDate"], "07 March 1975");
  EXPECT_EQ(json["comments"]["all"], analysis.CommentsText());
  EXPECT_EQ(json["self"]["positiveCount"], analysis.PositiveScreenCountText(Report::kSelf));
  EXPECT_EQ(json["observer"]["omega"], analysis.ObserverOmegaText());
  EXPECT_EQ(json["reliabilityComment"], analysis.ReliabilityCommentText());
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenResult screen = analysis.ScreenForReport(row, Report::kObserver);
    EXPECT_EQ(json["observer"]["screens"][row - 1]["itemsMet"], screen.itemsMet);
    EXPECT_EQ(json["observer"]["screens"][row - 1]["positive"], screen.positive);
  }
  const auto selfOnly = nlohmann::json::parse(RunAcv({"analyse", Sample(), "--self", "2"}).out);
  EXPECT_TRUE(selfOnly["observerAbsent"]);
  EXPECT_EQ(selfOnly["observer"]["omega"], " ");
  EXPECT_EQ(RunAcv({"analyse", Sample()}).status, 2);
  const auto beyond = RunAcv({"analyse", Sample(), "--self", "99"});
  EXPECT_EQ(beyond.status, 2);
  EXPECT_NE(beyond.err.find("Read Error"), std::string::npos);
  EXPECT_NE(RunAcv({"analyse", Sample(), "--self", "1"}).err.find("warning"), std::string::npos);
}

TEST_F(FileCommandsTest, SalvageKeepsEveryGoodRecord) {
  std::string bytes = ReadBytes(Sample());
  testing::DamageRecord(&bytes, 3);
  bytes[0] = 'X';                   // and the header
  bytes += std::string(1000, 'z');  // and tear the tail
  WriteBytes(Sample(), bytes);
  const std::string fresh = dir_.File("fresh.cvr");
  const auto run = RunAcv({"salvage", Sample(), fresh});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out, "kept 7, lost 2\n");
  const auto check = RunAcv({"check", fresh});
  EXPECT_EQ(check.status, 0);
  EXPECT_NE(check.out.find("records: 7"), std::string::npos);
  EXPECT_EQ(RunAcv({"salvage", Sample(), fresh}).status, 2) << "never overwrites";

  // A full disk is said in the words of every writer, and leaves no part of the new file.
  const std::string sample = Sample();
  const std::string full = dir_.File("full.cvr");
  EXPECT_EQ(testing::InChild([&] {
              const rlimit limit{10000, 10000};
              setrlimit(RLIMIT_FSIZE, &limit);
              const auto run = RunAcv({"salvage", sample, full});
              return run.err.find("The disk is full.") != std::string::npos ? run.status : 99;
            }),
            2);
  EXPECT_NE(access(full.c_str(), F_OK), 0);
}

TEST_F(FileCommandsTest, SalvageNamesEachRecordLeftOut) {
  std::string bytes = ReadBytes(Sample());
  testing::DamageRecord(&bytes, 3);
  WriteBytes(Sample(), bytes + std::string(1000, 'z'));
  const auto run = RunAcv({"salvage", Sample(), dir_.File("fresh.cvr")});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err,
            "acv salvage: left out bytes 6804-8990 (record 3): checksum mismatch\n"
            "acv salvage: left out bytes 17739-18738 (record 8): torn record\n");
}

// Another program appends three whole records without a new commit mark: they are reported,
// kept by salvage and never cut by a write, which is refused instead.
TEST_F(FileCommandsTest, RecordsAddedAfterTheCommitMarkAreReportedSalvagedAndNeverCut) {
  const std::string bytes = ReadBytes(Sample());
  const std::string added = bytes + bytes.substr(kFileHeaderSize, 3 * kRecordSize);
  WriteBytes(Sample(), added);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("records: 8\ncorrupt: 0\nunread: 3\n"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("damaged: bytes 17739-19925 (record 8): beyond commit mark\n"),
            std::string::npos)
      << check.out;
  // acv show gives such a record as what it is.
  const auto shown = RunAcv({"show", Sample(), "8"});
  EXPECT_EQ(shown.status, 3) << shown.err;
  EXPECT_EQ(nlohmann::json::parse(shown.out)["committed"], false);
  EXPECT_NE(shown.err.find("record 8 is beyond commit mark"), std::string::npos) << shown.err;
  const std::string data = dir_.File("one.csv");
  WriteBytes(data, CsvHeaderLine() + "\r\n" +
                       CsvRecordLine(testing::TestRecord(
                           kSelfReport,
                           {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1})));
  const auto import = RunAcv({"import", Sample(), data});
  EXPECT_EQ(import.status, 2);
  EXPECT_NE(import.err.find("'acv salvage'"), std::string::npos) << import.err;
  EXPECT_EQ(ReadBytes(Sample()), added);
  const auto run = RunAcv({"salvage", Sample(), dir_.File("fresh.cvr")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "kept 11, lost 0\n");
}

// A record in the last slot another program left half-written, and a whole record that fails
// its checksum: each byte range counted once and named.
TEST_F(FileCommandsTest, CheckNamesEveryDamagedPartOnce) {
  std::string bytes = testing::WithoutCommitMark(ReadBytes(Sample()).substr(0, kMinFileSize));
  testing::DamageRecord(&bytes, 0);
  WriteBytes(Sample(), bytes + std::string(570, 'z'));  // 3,000 bytes
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("records: 1\ncorrupt: 1\nunread: 1\n"
                           "damaged: bytes 243-2429 (record 0): checksum mismatch\n"
                           "damaged: bytes 2430-2999 (record 1): torn record\n"),
            std::string::npos)
      << check.out;
}

// Crafted files: check lists every part it does not read as salvage names what it takes in and
// leaves out, byte for byte, and both say when the file holds no record at all.
TEST_F(FileCommandsTest, CheckAndSalvageAgreeOnEveryCraftedFile) {
  const std::string sample = ReadBytes(Sample());
  const std::string header = sample.substr(0, kFileHeaderSize);
  const std::string record = sample.substr(kFileHeaderSize, kRecordSize);
  std::string damaged = sample;
  testing::DamageRecord(&damaged, 4);
  std::string beyondLimit = testing::WithoutCommitMark(header);
  for (int i = 0; i < kMaxRecords + 1; ++i) {
    beyondLimit += record;
  }
  const struct {
    const char* name;
    std::string bytes;
    int salvageStatus;
    const char* found;  // what check says of it
  } files[] = {
      {"torn tail", sample + std::string(1000, '\0'), 3, "(record 8): torn record"},
      {"damaged middle", damaged, 3, "(record 4): checksum mismatch"},
      {"beyond the mark", sample + record + record, 0, "(record 9): beyond commit mark"},
      {"beyond 657", beyondLimit + "xyz", 3, "bytes 1437102-1439291 (record 657): beyond 657"},
      {"cut short", sample.substr(0, RecordOffset(5)), 3, "records 5-7: 3 saved records missing"},
      {"header alone", header, 3, "records 0-7: 8 saved records missing"},
      {"zero bytes", "", 3, "holds no records"},
  };
  for (const auto& [name, bytes, salvageStatus, found] : files) {
    WriteBytes(Sample(), bytes);
    const auto check = RunAcv({"check", Sample()});
    EXPECT_EQ(check.status, 3) << name;
    EXPECT_NE((check.out + check.err).find(found), std::string::npos) << name << check.out;
    const std::string fresh = dir_.File(std::string(name) + ".cvr");
    const auto salvage = RunAcv({"salvage", Sample(), fresh});
    EXPECT_EQ(salvage.status, salvageStatus) << name << salvage.err;
    std::string listed;  // salvage's parts, in check's words
    std::istringstream lines(salvage.err);
    for (std::string line; std::getline(lines, line);) {
      for (const std::string_view lead : {"acv salvage: left out ", "acv salvage: took in "}) {
        if (line.starts_with(lead)) {
          listed += "damaged: " + line.substr(lead.size()) + "\n";
        }
      }
    }
    std::string damage;
    for (std::size_t at = check.out.find("damaged: "); at != std::string::npos;
         at = check.out.find("damaged: ", at + 1)) {
      damage += check.out.substr(at, check.out.find('\n', at) + 1 - at);
    }
    EXPECT_EQ(listed, damage) << name;
    if (bytes.empty()) {
      EXPECT_NE(salvage.err.find("holds no records"), std::string::npos) << name;
    }
  }
}

// A file cut short of the records its mark counts: named by check, exported in part, written by
// no command until it is salvaged, so that the shorter count never hides the loss.
TEST_F(FileCommandsTest, AFileCutShortOfItsMarkIsNamedAndTakesNoWrite) {
  const std::string cut = ReadBytes(Sample()).substr(0, RecordOffset(5));
  WriteBytes(Sample(), cut);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 3);
  EXPECT_NE(check.out.find("records: 5\ncorrupt: 0\nunread: 1\n"
                           "damaged: records 5-7: 3 saved records missing\n"),
            std::string::npos)
      << check.out;
  const std::string data = dir_.File("one.csv");
  WriteBytes(data, CsvHeaderLine() + "\r\n" +
                       CsvRecordLine(testing::TestRecord(
                           kSelfReport,
                           {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1})));
  const auto import = RunAcv({"import", Sample(), data});
  EXPECT_EQ(import.status, 2);
  EXPECT_NE(import.err.find("fewer records than its last complete save"), std::string::npos)
      << import.err;
  EXPECT_EQ(ReadBytes(Sample()), cut);
  StoredRecord first{};
  ASSERT_EQ(ResponseFile::ReadAt(Sample(), 0, &first), FileStatus::kOk);
  int index = -1;
  EXPECT_EQ(ResponseFile::WriteRecord(Sample(), first, &index, 1), FileStatus::kRecordsMissing)
      << "nor is a record rewritten";
  const std::string fresh = dir_.File("fresh.cvr");
  EXPECT_EQ(RunAcv({"salvage", Sample(), fresh}).out, "kept 5, lost 3\n");
  EXPECT_EQ(RunAcv({"check", fresh}).status, 0);
  EXPECT_EQ(RunAcv({"import", fresh, data}).status, 0);
}

// A file without records gives the selection dialogs' words for it, and check its own.
TEST_F(FileCommandsTest, AFileWithoutRecordsIsNoResponseFileToRead) {
  for (const std::string& bytes : {std::string(), ReadBytes(Sample()).substr(0, kFileHeaderSize)}) {
    WriteBytes(Sample(), bytes);
    const auto check = RunAcv({"check", Sample()});
    EXPECT_EQ(check.status, 3);
    EXPECT_NE(check.err.find(" holds no records"), std::string::npos) << check.err;
    const auto list =
        RunAcv({"list", Sample(), "--first", "ALEX", "--last", "morgan", "--dob", "19750307"});
    EXPECT_EQ(list.status, 2);
    EXPECT_NE(list.err.find("Partial File Corruption: There was a read error or file validation"),
              std::string::npos)
        << list.err;
    const auto show = RunAcv({"show", Sample(), "0"});
    EXPECT_EQ(show.status, 2);
    EXPECT_NE(show.err.find("Partial File Corruption"), std::string::npos) << show.err;
  }
}

TEST_F(FileCommandsTest, ATornFileIsReadAndMendedByTheNextWrite) {
  WriteBytes(Sample(), testing::WithoutCommitMark(ReadBytes(Sample())) + std::string(1500, 'z'));
  const auto torn = RunAcv({"check", Sample()});
  EXPECT_EQ(torn.status, 3);
  EXPECT_NE(torn.out.find("records: 8\ncorrupt: 0\nunread: 1\n"), std::string::npos) << torn.out;
  const std::string data = dir_.File("one.csv");
  WriteBytes(data, CsvHeaderLine() + "\r\n" +
                       CsvRecordLine(testing::TestRecord(
                           kSelfReport,
                           {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1})));
  EXPECT_EQ(RunAcv({"import", Sample(), data}).out, "imported 1 records as records 8 to 8\n");
  const auto mended = RunAcv({"check", Sample()});
  EXPECT_EQ(mended.status, 0);
  EXPECT_NE(mended.out.find("records: 9\ncorrupt: 0\n"), std::string::npos) << mended.out;
}

TEST_F(FileCommandsTest, OnlyRegularFilesThatAreThereAreRead) {
  const std::string fifo = dir_.File("pipe.cvr");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string fresh = dir_.File("fresh.cvr");
  for (const std::string& name : {fifo, std::string("/dev/zero"), dir_.File("missing.cvr")}) {
    const bool missing = name.ends_with("missing.cvr");
    const auto check = RunAcv({"check", name});
    EXPECT_EQ(check.status, 2) << name;
    EXPECT_NE(check.err.find(missing ? "File Not Found" : "not a file"), std::string::npos)
        << check.err;
    EXPECT_EQ(RunAcv({"list", name, "--first", "A", "--last", "B", "--dob", "19750307"}).status, 2);
    const auto salvage = RunAcv({"salvage", name, fresh});
    EXPECT_EQ(salvage.status, 2) << name;
    EXPECT_NE(salvage.err.find(missing ? "not found" : "not a regular file"), std::string::npos)
        << salvage.err;
    EXPECT_NE(access(fresh.c_str(), F_OK), 0) << "salvage made nothing";
    EXPECT_EQ(RunAcv({"import", dir_.File("x.cvr"), name}).status, 2) << name;
  }
  EXPECT_NE(access(dir_.File("x.cvr").c_str(), F_OK), 0) << "import made nothing";
}

// A message names the path the command opened, as it was typed: no ".cvr" added.
TEST_F(FileCommandsTest, MessagesNameThePathAsGiven) {
  for (const std::string& name : {dir_.File("sample"), dir_.path(), dir_.File("GONE.CVR")}) {
    for (const char* command : {"check", "show"}) {
      const auto run =
          command == std::string("check") ? RunAcv({command, name}) : RunAcv({command, name, "0"});
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("'" + name + "'"), std::string::npos) << run.err;
      EXPECT_EQ(run.err.find(name + ".cvr"), std::string::npos) << run.err;
    }
  }
}

// Output that cannot be written is an error, said once; a reader that stopped reading is not.
TEST_F(FileCommandsTest, OutputThatCannotBeWrittenIsAnError) {
  const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"check", Sample()},
                                               {"analyse", Sample(), "--self", "0"},
                                               {"--help"},
                                               {"--version"}}) {
    const auto run = RunAcv(args, full);
    EXPECT_EQ(run.status, 2) << args.front();
    EXPECT_EQ(run.err, "acv: the output could not be written: No space left on device\n");
  }
  close(full);
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  close(ends[0]);
  const auto ignored = std::signal(SIGPIPE, SIG_IGN);  // the child's writes then get EPIPE
  const auto closed = RunAcv({"check", Sample()}, ends[1]);
  std::signal(SIGPIPE, ignored);
  close(ends[1]);
  EXPECT_EQ(closed.status, 0);
  EXPECT_EQ(closed.err, "");
}

TEST_F(FileCommandsTest, WhatIsPrintedIsSafeAndPlain) {
  std::string bytes = ReadBytes(Sample());
  bytes.replace(10, 4, "\x1b[2J");  // the creation stamp, which nothing checks
  WriteBytes(Sample(), bytes);
  const auto check = RunAcv({"check", Sample()});
  EXPECT_EQ(check.status, 0);
  EXPECT_NE(check.out.find("created: \\x1B[2J"), std::string::npos) << check.out;
  EXPECT_EQ(check.out.find('\x1b'), std::string::npos);
  const auto huge = RunAcv({"analyse", Sample(), "--self", std::string(300, '9')});
  EXPECT_EQ(huge.status, 2);
  const std::string index =
      " is not a record index: an index is a record's place in the file, 0 for the first "
      "record up to 656, as acv list prints it\n";
  EXPECT_EQ(huge.err, "acv: --self: '" + std::string(20, '9') + "...'" + index);
  EXPECT_EQ(RunAcv({"analyse", Sample(), "--observer", "657"}).err,
            "acv: --observer: '657'" + index);
}

// One record with every field its own, some with texts a terminal must not see raw.
// A clinician looks at the unfinished questionnaires before removing one; no answer is shown.
TEST_F(FileCommandsTest, DraftsAreListedWithoutAnswersAndDiscardedOneByOne) {
  setenv("XDG_DATA_HOME", dir_.File("data").c_str(), 1);
  const DraftFolder folder = DraftFolder::ForUser();
  ASSERT_EQ(folder.Prepare(), FileStatus::kOk);
  Draft draft;
  draft.wizard = DraftWizard::kPaper;
  draft.page = 2;
  draft.pageCount = 5;
  draft.record.SetReportType(kSelfReport);
  draft.record.SetText(TextField::kFirstName, "Ann");
  draft.record.SetText(TextField::kLastName, "Lee");
  draft.record.SetText(TextField::kComments, "answers stay private");
  RecordScrambler scrambler(3);
  ASSERT_EQ(folder.Write("first", EncodeDraft(draft, scrambler)), FileStatus::kOk);
  ASSERT_EQ(folder.Write("torn", EncodeDraft(draft, scrambler).substr(0, 100)), FileStatus::kOk);

  const auto listed = RunAcv({"drafts"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out.find("first\tAnn Lee, Self-report, from paper, page 3 of 5, started "), 0u)
      << listed.out;
  EXPECT_EQ(listed.out.find("private"), std::string::npos);
  EXPECT_NE(listed.err.find("torn.draft is "), std::string::npos) << listed.err;

  EXPECT_EQ(RunAcv({"drafts", "--discard", "other"}).status, 1);
  const auto discarded = RunAcv({"drafts", "--discard", "first"});
  EXPECT_EQ(discarded.out, "discarded first\n");
  EXPECT_EQ(RunAcv({"drafts"}).status, 1);
  unsetenv("XDG_DATA_HOME");
}

TEST_F(FileCommandsTest, ShowGivesEveryStoredFieldAndTheHeader) {
  ResponseRecord record = testing::TestRecord(kObserverReport, {.first = Utf8ToCp1252("José"),
                                                                .last = Utf8ToCp1252("Müller"),
                                                                .birthDate = "19750307",
                                                                .seed = 1});
  const char* const texts[] = {
      "2 Side Lane",          "Ashby", "NSW", "2000", "555 0100",   "555 0199", "Australia",
      "jose@example.com\x01", "",      "",    "",     "Sam Müller", "Partner",  "sam@example.com",
      "Line one\r\nTwo"};
  for (int field = static_cast<int>(TextField::kStreetAddress), i = 0; field < kTextFieldCount;
       ++field, ++i) {
    if (*texts[i] != '\0') {
      record.SetText(static_cast<TextField>(field), Utf8ToCp1252(texts[i]));
    }
  }
  record.SetEntryMethod(kEnteredFromPaper);
  const std::string file = dir_.File("one.cvr");
  int index = -1;
  ASSERT_EQ(ResponseFile::WriteRecord(file, BuildImage(record, "20070612101500"), &index, -1),
            FileStatus::kOk);
  const auto shown = RunAcv({"show", file, "0"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto json = nlohmann::json::parse(shown.out);
  EXPECT_EQ(json["header"].get<std::string>().substr(0, 7), "ACV 4.0");
  const auto& fields = json["record"];
  EXPECT_EQ(fields["firstName"], "José");
  EXPECT_EQ(fields["email"], "jose@example.com\\x01");
  EXPECT_EQ(fields["phone2"], "555 0199");
  EXPECT_EQ(fields["observerRelationship"], "Partner");
  EXPECT_EQ(fields["observerContact"], "sam@example.com");
  EXPECT_EQ(fields["comments"], "Line one\\x0D\\x0ATwo");
  EXPECT_EQ(fields["savedStamp"], "20070612101500");
  EXPECT_EQ(fields["entryMethod"], nlohmann::json({{"stored", "1"}, {"known", true}}));
  EXPECT_EQ(fields["reportType"], nlohmann::json({{"stored", "O"}, {"known", true}}));
  EXPECT_EQ(fields["gender"]["stored"], "F");
  ASSERT_EQ(fields["responses"].size(), static_cast<std::size_t>(kItemCount));
  for (int item = 1; item <= kItemCount; ++item) {
    EXPECT_EQ(fields["responses"][item - 1], record.StoredResponse(item)) << item;
  }
  EXPECT_TRUE(fields["unknownResponses"].empty());
  EXPECT_TRUE(fields["verification"].is_null());
  EXPECT_EQ(fields.size(), static_cast<std::size_t>(kTextFieldCount + 6));
  EXPECT_EQ(json["header"].get<std::string>().find('\x1b'), std::string::npos);

  // Bytes no reader takes as they stand are shown as the file holds them.
  PlainImage image = EncodePlainImage(record);
  image[kGenderOffset] = 'q';
  image[kReportTypeOffset] = 'X';
  image[kEntryMethodOffset] = 7;
  image[kResponsesOffset] = 0xF9;  // item 1 holds 9, item 2 15 (never set)
  image[kImageXorOffset] = 0;
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < kImageXorOffset; ++i) {
    image[kImageXorOffset] ^= image[i];
    sum += image[i];
  }
  for (int k = 0; k < 4; ++k) {
    image[kImageSumOffset + k] = static_cast<std::uint8_t>(sum >> (8 * k));
  }
  StoredRecord odd{};
  RecordScrambler().Scramble(image, &odd);
  ASSERT_EQ(ResponseFile::WriteRecord(file, odd, &index, -1), FileStatus::kOk);
  const auto oddFields = nlohmann::json::parse(RunAcv({"show", file, "1"}).out)["record"];
  EXPECT_EQ(oddFields["gender"], nlohmann::json({{"stored", "q"}, {"known", false}}));
  EXPECT_EQ(oddFields["reportType"], nlohmann::json({{"stored", "X"}, {"known", false}}));
  EXPECT_EQ(oddFields["entryMethod"], nlohmann::json({{"stored", "\\x07"}, {"known", false}}));
  EXPECT_EQ(oddFields["responses"][0], 9);
  EXPECT_EQ(oddFields["responses"][1], 15);
  EXPECT_EQ(oddFields["unknownResponses"], nlohmann::json::array({1}));

  const auto beyond = RunAcv({"show", file, "2"});
  EXPECT_EQ(beyond.status, 2);
  EXPECT_NE(beyond.err.find("record 2 is beyond the file's end"), std::string::npos);
  EXPECT_EQ(RunAcv({"show", file, "657"}).status, 2);
  EXPECT_EQ(RunAcv({"show", dir_.File("none.cvr"), "0"}).status, 2);

  // The person is found however the accented names are typed.
  const auto listed =
      RunAcv({"list", file, "--first", "JOSÉ", "--last", "mÜLLER", "--dob", "19750307"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out.rfind("0\tSaved: 12/06/2007 10:15:00", 0), 0u) << listed.out;
}

}  // namespace
}  // namespace acv

namespace acv {
namespace {

class ImportCommandTest : public ::testing::Test {
 protected:
  std::string Target() const { return dir_.File("imported.cvr"); }
  std::string Data() const { return dir_.File("data.csv"); }

  static std::string Line(const ResponseRecord& record) { return CsvRecordLine(record) + "\r\n"; }

  testing::TempDir dir_;
};

TEST_F(ImportCommandTest, ImportedRecordsAreFoundAndKeepTheirSaveTime) {
  ResponseRecord self = testing::TestRecord(
      kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 2});
  self.SetText(TextField::kSavedStamp, "20070612093005");
  const ResponseRecord observer = testing::TestRecord(
      kObserverReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 3});
  WriteBytes(Data(), CsvHeaderLine() + "\r\n" + Line(self) + Line(observer));
  const auto imported = RunAcv({"import", Target(), Data()});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, "imported 2 records as records 0 to 1\n");
  const auto list =
      RunAcv({"list", Target(), "--first", "robin", "--last", "ASH", "--dob", "19700415"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("0\tSaved: 12/06/2007 09:30:05   Self Assessment\n"), std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("1\tSaved: "), std::string::npos);
  EXPECT_NE(list.out.find("Observer Assessment by: Jo Observer"), std::string::npos);
  // Importing again appends after what is there.
  EXPECT_EQ(RunAcv({"import", Target(), Data()}).out, "imported 2 records as records 2 to 3\n");
}

TEST_F(ImportCommandTest, ABadLineLeavesTheFileUntouched) {
  const ResponseRecord record = testing::TestRecord(
      kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1});
  WriteBytes(Data(), CsvHeaderLine() + "\r\n" + Line(record));
  ASSERT_EQ(RunAcv({"import", Target(), Data()}).status, 0);
  const std::string before = ReadBytes(Target());
  std::string bad = Line(record);
  bad.replace(bad.find(",F,"), 3, ",Z,");
  WriteBytes(Data(), CsvHeaderLine() + "\r\n" + Line(record) + bad);
  const auto refused = RunAcv({"import", Target(), Data()});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("line 3, column 13 (Gender): expected M, F, X or U"),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(ReadBytes(Target()), before);
  EXPECT_EQ(RunAcv({"import", Target(), dir_.File("missing.csv")}).status, 2);
}

TEST_F(ImportCommandTest, TheRecordLimitHoldsForTheWholeImport) {
  const ResponseRecord record = testing::TestRecord(
      kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1});
  std::string many = CsvHeaderLine() + "\r\n";
  for (int i = 0; i < 600; ++i) {
    many += Line(record);
  }
  WriteBytes(Data(), many);
  ASSERT_EQ(RunAcv({"import", Target(), Data()}).status, 0);
  const std::string before = ReadBytes(Target());
  WriteBytes(Data(), many.substr(0, many.size() - 542 * Line(record).size()));  // 58 records
  const auto full = RunAcv({"import", Target(), Data()});
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("can take 57 more records, and the file has 58"), std::string::npos)
      << full.err;
  EXPECT_EQ(ReadBytes(Target()), before);
}

TEST_F(ImportCommandTest, AFailedImportCostsLittleAndLeavesNoFile) {
  std::string lines = CsvHeaderLine() + "\r\n";
  for (int i = 0; i < 100000; ++i) {
    lines += "x\n";
  }
  WriteBytes(Data(), lines);
  const auto many = RunAcv({"import", Target(), Data()});
  EXPECT_EQ(many.status, 2);
  EXPECT_NE(many.err.find("can take 657 more records, and the file has 100000"), std::string::npos)
      << many.err;
  EXPECT_NE(access(Target().c_str(), F_OK), 0);

  // Over the file-size limit the write fails and is undone; the program is not killed.
  const ResponseRecord record = testing::TestRecord(
      kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1});
  WriteBytes(Data(), CsvHeaderLine() + "\r\n" + Line(record));
  const std::string target = Target();
  const std::string data = Data();
  EXPECT_EQ(testing::InChild([&] {
              rlimit limit{3000, 3000};
              setrlimit(RLIMIT_FSIZE, &limit);
              WriteBytes(data, CsvHeaderLine() + "\r\n" + Line(record) + Line(record));
              return RunAcv({"import", target, data}).status;
            }),
            2);
  EXPECT_NE(access(Target().c_str(), F_OK), 0);
}

TEST_F(ImportCommandTest, RecordsNoSearchCanFindAreNamed) {
  WriteBytes(
      Data(),
      CsvHeaderLine() + "\r\n" +
          Line(testing::TestRecord(
              kSelfReport, {.first = "Robin", .last = "Ash", .birthDate = "19700415", .seed = 1})) +
          Line(testing::TestRecord(
              kSelfReport, {.first = "Robin", .last = "", .birthDate = "19700415", .seed = 1})));
  const auto run = RunAcv({"import", Target(), Data()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "acv import: " + Data() +
                         " line 3: warning: no first or last name: no search can find it\n");
}

}  // namespace
}  // namespace acv
