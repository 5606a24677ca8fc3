// acv export and acv set-export-password, run through their Run functions with a password file
// of the test's own (the program itself only ever reads the machine's).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cli/commands.h"
#include "storage/format/file_layout.h"
#include "support/run_acv.h"
#include "support/run_here.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ReadBytes;
using testing::RunAcv;
using testing::RunHere;
using testing::RunResult;
using testing::WriteBytes;

class ExportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RunAcv({"demo", dir_.path()}).status, 0); }

  RunResult SetPassword(int slot, const std::string& typed) {
    cli::SetExportPasswordOptions options;
    options.slot = slot;
    options.passwordStdin = true;
    options.passwordFile = Passwords();
    options.passwordOwner = geteuid();
    return RunHere("set-export-password", cli::RunSetExportPassword, options, typed);
  }
  RunResult Export(const std::string& typed, const std::string& from, const std::string& to,
                   bool force = false, bool passwordStdin = true) {
    const cli::ExportOptions options{from, to, force, passwordStdin, Passwords(), geteuid()};
    return RunHere("export", cli::RunExport, options, typed);
  }
  std::string Passwords() const { return dir_.File("machine/acv-export-passwords"); }
  std::string File(const std::string& name) const { return dir_.File(name); }
  testing::TempDir dir_;
};

TEST_F(ExportCommandTest, WithoutAPasswordSetNothingIsExported) {
  const RunResult ran = Export("anything\n", File("sample.cvr"), File("out.csv"));
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("Export Password Not Set"), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("sudo acv set-export-password 1"), std::string::npos);
  EXPECT_EQ(access(File("out.csv").c_str(), F_OK), -1);
}

TEST_F(ExportCommandTest, ExportsBehindThePasswordAndImportsBackUnchanged) {
  ASSERT_EQ(SetPassword(2, "Clinic 7\n").status, 0);
  EXPECT_EQ(ReadBytes(Passwords()).find("Clinic 7"), std::string::npos);

  const RunResult wrong = Export("clinic 7\n", File("sample.cvr"), File("out.csv"));
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("Wrong Password: Sorry, but the password you entered is not correct."),
            std::string::npos);
  EXPECT_EQ(Export("Clinic 7\n", File("sample.cvr"), File("out.csv"), false, false).status, 2)
      << "a password must come from the terminal or be asked for on standard input";
  EXPECT_EQ(access(File("out.csv").c_str(), F_OK), -1);

  const RunResult done = Export("Clinic 7\n", File("sample.cvr"), File("out.csv"));
  ASSERT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out, "Export OK\nThe ACV file \n\n\t" + File("sample") +
                          ".cvr\n\nwas exported to\n\n\t" + File("out") + ".csv\n");
  const std::string csv = ReadBytes(File("out.csv"));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 9);
  // The export is in the history, with the records it took; check still finds the chain whole.
  const auto listed = RunAcv({"history", File("sample.cvr")});
  EXPECT_NE(listed.out.find(", exported as CSV, records 0-7\n"), std::string::npos) << listed.out;
  EXPECT_EQ(RunAcv({"check", File("sample.cvr")}).status, 0);

  const RunResult again = Export("Clinic 7\n", File("sample.cvr"), File("out.csv"));
  EXPECT_EQ(again.status, 2);
  EXPECT_NE(again.err.find("already exists; pass --force"), std::string::npos);

  ASSERT_EQ(RunAcv({"import", File("back.cvr"), File("out.csv")}).status, 0);
  ASSERT_EQ(Export("Clinic 7\n", File("back.cvr"), File("out.csv"), true).status, 0);
  EXPECT_EQ(ReadBytes(File("out.csv")), csv);
}

// A history that cannot be written (here a folder in its place) does not stop an export: it says
// once that the export went unrecorded.
TEST_F(ExportCommandTest, AnExportTheHistoryCannotNoteGoesAheadAndSaysSo) {
  ASSERT_EQ(SetPassword(1, "Clinic 7\n").status, 0);
  std::filesystem::remove(File("sample.cvh"));
  ASSERT_EQ(mkdir(File("sample.cvh").c_str(), 0700), 0);
  const RunResult done = Export("Clinic 7\n", File("sample.cvr"), File("out.csv"));
  EXPECT_EQ(done.status, 0);
  EXPECT_TRUE(done.out.starts_with("Export OK\n")) << done.out;
  EXPECT_EQ(done.err, "acv export: note: the history beside " + File("sample.cvr") +
                          " could not be written (the folder or the history may be read-only), "
                          "so this is not recorded in it; everything else went ahead\n");
}

// What the file holds but does not give, and what its mark counts that is gone, is counted.
TEST_F(ExportCommandTest, ADamagedFileGivesThePartialSummary) {
  ASSERT_EQ(SetPassword(1, "pw\n").status, 0);
  const std::string sample = ReadBytes(File("sample.cvr"));
  const std::string record = sample.substr(kFileHeaderSize, kRecordSize);
  std::string damaged = sample;
  testing::DamageRecord(&damaged, 3);
  const struct {
    std::string bytes;
    const char* counts;
  } files[] = {
      {damaged,
       "Number of Records:\t    8\nRecords Written:\t    7\nCould Not Read:\t    0\n"
       "Could Not Import:\t    1\n"},
      {sample + record + record,  // two whole records another program added after the mark
       "Number of Records:\t   10\nRecords Written:\t    8\nCould Not Read:\t    2\n"},
      {sample.substr(0, RecordOffset(5)),  // cut short of three of the mark's records
       "Number of Records:\t    8\nRecords Written:\t    5\nCould Not Read:\t    3\n"},
  };
  for (const auto& [bytes, counts] : files) {
    WriteBytes(File("sample.cvr"), bytes);
    const RunResult ran = Export("pw\n", File("sample.cvr"), File("out.csv"), true);
    EXPECT_EQ(ran.status, 3);
    EXPECT_NE(ran.out.find("Export File Problem\n"), std::string::npos);
    EXPECT_NE(ran.out.find(counts), std::string::npos) << ran.out;
  }
  // A file without records is no response file to export.
  for (const std::string& bytes : {std::string(), sample.substr(0, kFileHeaderSize)}) {
    WriteBytes(File("sample.cvr"), bytes);
    const RunResult ran = Export("pw\n", File("sample.cvr"), File("out.csv"), true);
    EXPECT_EQ(ran.status, 2);
    EXPECT_NE(ran.err.find("ACV File Error: The file  '" + File("sample") +
                           ".cvr' is not in an ACV file format"),
              std::string::npos)
        << ran.err;
  }
}

TEST_F(ExportCommandTest, NamesAndSlotsAreChecked) {
  ASSERT_EQ(SetPassword(1, "pw\n").status, 0);
  EXPECT_NE(Export("pw\n", File("sample"), File("out.csv"))
                .err.find("You must enter an ACV "
                          "filename (*.cvr)."),
            std::string::npos);
  EXPECT_NE(Export("pw\n", File("sample.cvr"), File("out.txt")).err.find("(*.csv)"),
            std::string::npos);
  const RunResult missing = Export("pw\n", File("none.cvr"), File("out.csv"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("ACV File Error: The file  '" + File("none") + ".cvr' was not found"),
            std::string::npos)
      << missing.err;
  ASSERT_EQ(chmod(Passwords().c_str(), 0666), 0);  // anyone could add a hash
  const RunResult untrusted = Export("pw\n", File("sample.cvr"), File("out.csv"));
  EXPECT_EQ(untrusted.status, 2);
  EXPECT_NE(untrusted.err.find("Export Password File Refused"), std::string::npos) << untrusted.err;
  ASSERT_EQ(chmod(Passwords().c_str(), 0644), 0);
  EXPECT_EQ(SetPassword(1, "\n").status, 2);
  cli::SetExportPasswordOptions clear;
  clear.slot = 1;
  clear.clear = true;
  clear.passwordFile = Passwords();
  clear.passwordOwner = geteuid();
  ASSERT_EQ(RunHere("set-export-password", cli::RunSetExportPassword, clear).status, 0);
  EXPECT_NE(Export("pw\n", File("sample.cvr"), File("out.csv")).err.find("Not Set"),
            std::string::npos);
  EXPECT_EQ(RunAcv({"set-export-password", "4", "--password-stdin"}).status, 2);
}

}  // namespace
}  // namespace acv
