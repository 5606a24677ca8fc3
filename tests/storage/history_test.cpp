// The history beside a response file: each write's entries, the versions it keeps, and what the
// review names when the history or the file was changed by hand.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_file.h"
#include "storage/history/history_journal.h"
#include "storage/history/history_review.h"
#include "storage/records/record_store.h"
#include "storage/text/messages.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ReadBytes;
using testing::TestRecord;
using testing::WriteBytes;

StoredRecord Stored(std::string_view last) {
  ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Cy", .last = last, .birthDate = "19700303", .seed = 1});
  return BuildImage(record);
}

class HistoryTest : public ::testing::Test {
 protected:
  std::string Name() const { return dir_.File("clinic.cvr"); }
  std::string History() const { return dir_.File("clinic.cvh"); }

  HistoryReview Review(const std::string& name) const {
    HistoryReview review;
    EXPECT_EQ(ReviewHistory(name, &review), FileStatus::kOk);
    return review;
  }
  // What the review names, as check prints it.
  std::vector<std::string> Problems(const std::string& name) const {
    std::vector<std::string> texts;
    for (const HistoryProblem& problem : Review(name).problems) {
      texts.push_back(ProblemText(problem));
    }
    return texts;
  }
  // Two records saved, the second then replaced with a new last name: four entries.
  void SaveAndEdit() {
    ResponseRecord first = TestRecord(
        kSelfReport, {.first = "Ann", .last = "Quill", .birthDate = "19800101", .seed = 1});
    ResponseRecord second = TestRecord(
        kSelfReport, {.first = "Bo", .last = "Zephyrine", .birthDate = "19810202", .seed = 2});
    ASSERT_EQ(SaveRecord(Name(), first).status, FileStatus::kOk);
    ASSERT_EQ(SaveRecord(Name(), second, {HistoryAction::kPaperEntry}).status, FileStatus::kOk);
    ASSERT_EQ(ResponseFile::ReadAt(Name(), 1, &original_), FileStatus::kOk);
    second.SetText(TextField::kLastName, "Zephyrina");
    ASSERT_EQ(
        ReplaceRecord(Name(), 1, original_, second, {HistoryAction::kEditReplaced, "typo"}).status,
        FileStatus::kOk);
  }

  testing::TempDir dir_;
  StoredRecord original_{};
};

TEST_F(HistoryTest, EveryWriteLeavesItsEntryAndEveryVersionComesBack) {
  SaveAndEdit();
  const HistoryReview review = Review(Name());
  EXPECT_TRUE(review.exists);
  EXPECT_TRUE(review.problems.empty());
  ASSERT_EQ(review.entries.size(), 4u);
  EXPECT_EQ(review.entries[0].action, HistoryAction::kHistoryBegun);
  EXPECT_EQ(review.entries[1].action, HistoryAction::kNewRecord);
  EXPECT_EQ(review.entries[2].action, HistoryAction::kPaperEntry);
  const HistoryEntry& edit = review.entries[3];
  EXPECT_EQ(edit.action, HistoryAction::kEditReplaced);
  EXPECT_EQ(edit.index, 1);
  EXPECT_EQ(edit.reason, "typo");
  EXPECT_TRUE(edit.fields == "lastName" || edit.fields == "lastName, savedStamp") << edit.fields;
  EXPECT_EQ(edit.before, RecordDigest(original_));
  EXPECT_FALSE(edit.user.empty());
  EXPECT_TRUE(edit.program.starts_with(std::string(program_invocation_short_name) + " 4."));
  EXPECT_LE(std::abs(edit.time - static_cast<std::int64_t>(std::time(nullptr))), 60);
  // The version replaced, byte for byte, then the one in the file.
  StoredRecord now{};
  ASSERT_EQ(ResponseFile::ReadAt(Name(), 1, &now), FileStatus::kOk);
  EXPECT_EQ(RecordVersions(review, 1),
            (std::vector<RecordVersion>{{original_, true}, {now, true}}));
  EXPECT_EQ(RecordVersions(review, 0).size(), 1u);

  // Imported records and a salvaged file: an entry a record, the new file's history its own.
  const StoredRecord more = Stored("Ode");
  HistoryJournal imported(Name(), {HistoryAction::kImported});
  int first = -1;
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), {more, more}, &first, &imported), FileStatus::kOk);
  const std::string fresh = dir_.File("fresh.cvr");
  HistoryJournal salvaged(fresh, {HistoryAction::kSalvaged});
  ASSERT_EQ(ResponseFile::WriteNewFile(fresh, {more}, &salvaged), FileStatus::kOk);
  const HistoryReview after = Review(Name());
  ASSERT_EQ(after.entries.size(), 6u);
  EXPECT_EQ(after.entries[5].action, HistoryAction::kImported);
  EXPECT_EQ(after.entries[5].index, 3);
  const HistoryReview salvage = Review(fresh);
  EXPECT_TRUE(salvage.problems.empty());
  ASSERT_EQ(salvage.entries.size(), 2u);
  EXPECT_EQ(salvage.entries[1].action, HistoryAction::kSalvaged);
}

TEST_F(HistoryTest, AFileWithoutHistoryGetsOneAtItsFirstChange) {
  const StoredRecord one = Stored("Ash");
  int index = -1;
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), {one, one, one}, &index), FileStatus::kOk);
  EXPECT_FALSE(Review(Name()).exists);
  HistoryJournal journal(Name(), {HistoryAction::kNewRecord});
  ASSERT_EQ(ResponseFile::WriteRecord(Name(), one, &index, kAppend, &journal), FileStatus::kOk);
  const HistoryReview review = Review(Name());
  EXPECT_TRUE(review.problems.empty());
  ASSERT_EQ(review.entries.size(), 2u);
  EXPECT_EQ(review.entries[0].records, std::vector<Digest>(3, RecordDigest(one)));
}

TEST_F(HistoryTest, ChangesByHandAreNamed) {
  SaveAndEdit();
  const std::string file = ReadBytes(Name());
  const std::string history = ReadBytes(History());
  {
    SCOPED_TRACE("a record rewritten by a program that keeps no history");
    int index = -1;
    ASSERT_EQ(ResponseFile::WriteRecord(Name(), original_, &index, 0), FileStatus::kOk);
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"record 0 changed outside the history"});
    // The next recorded change of that record names it too, where it was found.
    ResponseRecord again = TestRecord(
        kSelfReport, {.first = "Ann", .last = "Quill", .birthDate = "19800101", .seed = 3});
    ASSERT_EQ(SaveRecord(Name(), again).status, FileStatus::kOk);
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"record 0 changed outside the history"});
  }
  // Each entry's frame, found by its payload's stored length and whether the record it replaced
  // follows: the entries of each write, then the one that says it committed.
  const auto payloadSize = [&](std::size_t at) -> std::size_t {
    return static_cast<std::uint8_t>(history[at]) | static_cast<std::uint8_t>(history[at + 1]) << 8;
  };
  std::vector<std::size_t> starts;
  for (std::size_t at = kHistoryTag.size(); at < history.size();) {
    starts.push_back(at);
    at += 40 + payloadSize(at) + (history[at + 4 + 110] == 1 ? kRecordSize : 0);
  }
  ASSERT_EQ(starts.size(), 7u);
  {
    SCOPED_TRACE("an entry's reason changed");
    WriteBytes(Name(), file);
    std::string tampered = history;
    tampered.replace(tampered.find("typo"), 4, "fine");
    WriteBytes(History(), tampered);
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"history altered at entry 4"});
  }
  {
    SCOPED_TRACE("the version an entry keeps changed");
    std::string tampered = history;
    tampered[starts[5] + 4 + payloadSize(starts[5]) + 100] ^= 1;  // the record the edit replaced
    WriteBytes(History(), tampered);
    const HistoryReview review = Review(Name());
    EXPECT_TRUE(review.problems.empty()) << "found only where the version is used";
    ASSERT_EQ(ChangedVersions(review).size(), 1u);
    EXPECT_EQ(ProblemText(ChangedVersions(review)[0]),
              "history altered at entry 4: the version of record 1 it keeps no longer matches "
              "its hash");
    EXPECT_FALSE(RecordVersions(review, 1)[0].intact);
  }
  {
    SCOPED_TRACE("an entry taken out");
    WriteBytes(History(), history.substr(0, starts[1]) + history.substr(starts[2]));
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"history altered at entry 2"});
  }
  {
    SCOPED_TRACE("the last entry taken out");
    WriteBytes(History(), history.substr(0, starts[5]));
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"record 1 changed outside the history"});
  }
  {
    SCOPED_TRACE("a file the history does not fit");
    WriteBytes(History(), "not a history");
    EXPECT_EQ(Problems(Name()), std::vector<std::string>{"history altered at entry 1"});
    // and it is never written over: the change is refused
    ResponseRecord record =
        TestRecord(kSelfReport, {.first = "Eve", .last = "Ng", .birthDate = "19900101", .seed = 1});
    EXPECT_EQ(SaveRecord(Name(), record).status, FileStatus::kHistoryUnusable);
    EXPECT_EQ(ReadBytes(Name()), file);
  }
}

TEST_F(HistoryTest, AMovedFileStillVerifiesAndTwoWritersKeepOneChain) {
  SaveAndEdit();
  const std::string moved = dir_.File("elsewhere");
  ASSERT_EQ(mkdir(moved.c_str(), 0700), 0);
  std::filesystem::rename(Name(), moved + "/renamed.cvr");
  std::filesystem::rename(History(), moved + "/renamed.cvh");
  EXPECT_TRUE(Problems(moved + "/renamed.cvr").empty());

  constexpr int kEach = 15;
  const auto writer = [&](int seed) {
    int saved = 0;
    while (saved < kEach) {
      ResponseRecord record =
          TestRecord(kSelfReport,
                     {.first = "Fay", .last = "Ro", .birthDate = "19700101", .seed = seed + saved});
      const FileStatus status = SaveRecord(Name(), record).status;
      if (status != FileStatus::kOk && status != FileStatus::kSharingViolation) {
        return 1;
      }
      saved += status == FileStatus::kOk ? 1 : 0;
    }
    return 0;
  };
  const pid_t other = fork();
  if (other == 0) {
    _exit(writer(100));
  }
  EXPECT_EQ(writer(200), 0);
  int status = 0;
  waitpid(other, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const HistoryReview review = Review(Name());
  EXPECT_TRUE(review.problems.empty());
  EXPECT_EQ(review.entries.size(), 1u + 2 * kEach);
}

TEST_F(HistoryTest, TheHistoryIsPrivateAndAChangeWithoutItIsRefused) {
  umask(0);
  SaveAndEdit();
  struct stat info {};
  ASSERT_EQ(stat(History().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  umask(022);
  const std::string bytes = ReadBytes(History());
  for (const char* typed : {"Zephyrin", "Quill", "Example Street", "Made-up"}) {
    EXPECT_EQ(bytes.find(typed), std::string::npos) << typed;
  }
  // A history that cannot be written (a folder in its place) refuses the save, in words.
  const std::string file = ReadBytes(Name());
  std::filesystem::remove(History());
  ASSERT_EQ(mkdir(History().c_str(), 0700), 0);
  ResponseRecord record =
      TestRecord(kSelfReport, {.first = "Gus", .last = "Vale", .birthDate = "19750505", .seed = 1});
  const SaveResult refused = SaveRecord(Name(), record);
  EXPECT_EQ(refused.status, FileStatus::kHistoryUnusable);
  EXPECT_EQ(ReadBytes(Name()), file);
  EXPECT_NE(SaveFailureMessage(refused.status).text.find("Nothing was saved"), std::string::npos);
}

}  // namespace
}  // namespace acv
