// Writes cut short at every point where the file layer changes a file: each write (and the
// middle of each write), each cut and each flush, of the response file and of its history.
// After every such kill the file must open and hold exactly the records of the last completed
// operation, its history must agree with it, and it must take new records.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/format/whole_file_writer.h"
#include "storage/history/history_file.h"
#include "storage/history/history_journal.h"
#include "storage/history/history_review.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ReadBytes;
using testing::TestRecord;
using testing::WriteBytes;

using Records = std::vector<std::string>;

int changesLeft = 0;
void KillAtChange() {
  if (--changesLeft == 0) {
    raise(SIGKILL);
  }
}

// Every record as stored, in order; nothing when the file cannot be read.
std::optional<Records> ReadAll(const std::string& name) {
  ResponseFile file;
  const FileStatus opened = file.OpenForReading(name, true);
  if (opened == FileStatus::kNotFound || opened == FileStatus::kTooShort) {
    return Records();
  }
  if (opened != FileStatus::kOk) {
    return std::nullopt;
  }
  Records records;
  StoredRecord bytes{};
  int index = 0;
  for (FileStatus read = file.ReadNext(&bytes, &index); read != FileStatus::kNoMoreRecords;
       read = file.ReadNext(&bytes, &index)) {
    ResponseRecord record;
    if (read != FileStatus::kOk || LoadImage(record, bytes.data()) != FileStatus::kOk) {
      return std::nullopt;
    }
    records.emplace_back(bytes.begin(), bytes.end());
  }
  return records;
}

StoredRecord Stored(int seed) {
  ResponseRecord record = TestRecord(seed % 2, {.first = "Pat",
                                                .last = "Lee" + std::to_string(seed),
                                                .birthDate = "19800101",
                                                .seed = seed});
  return BuildImage(record, "20261207100000");
}

// The file and its history agree: the chain holds and every record is what it last made it.
void ExpectHistoryAgrees(const std::string& name, int kill) {
  HistoryReview review;
  ASSERT_EQ(ReviewHistory(name, &review), FileStatus::kOk);
  for (const HistoryProblem& problem : review.problems) {
    ADD_FAILURE() << ProblemText(problem) << " after a kill at change " << kill;
  }
}

// A write with its history, as every program that keeps one makes it.
FileStatus Recorded(const std::string& name,
                    const std::function<FileStatus(WriteJournal*)>& write) {
  HistoryJournal journal(name, {HistoryAction::kWritten});
  return write(&journal);
}

class InterruptedWriteTest : public ::testing::Test {
 protected:
  std::string Name() const { return dir_.File("clinic.cvr"); }
  std::string History() const { return HistoryNameFor(Name()); }

  // Runs `operation` on a file that starts as `base` (none when empty), killed at the first,
  // second, ... change, until it completes; checks the file after each kill.
  void KillAtEveryPoint(const std::string& base, const std::function<FileStatus()>& operation,
                        const Records& before, const Records& after) {
    for (int kill = 1;; ++kill) {
      unlink(Name().c_str());
      unlink(History().c_str());
      if (!base.empty()) {
        WriteBytes(Name(), base);
        WriteBytes(History(), baseHistory_);
      }
      const pid_t pid = fork();
      if (pid == 0) {
        changesLeft = kill;
        SetFaultHookForTesting(KillAtChange);
        _exit(operation() == FileStatus::kOk ? 0 : 1);
      }
      int status = 0;
      waitpid(pid, &status, 0);
      const std::optional<Records> found = ReadAll(Name());
      ASSERT_TRUE(found) << "unreadable after a kill at change " << kill;
      if (WIFEXITED(status)) {
        ASSERT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(*found == after) << "completed";
        ExpectHistoryAgrees(Name(), kill);
        EXPECT_GT(kill, 4) << "too few points to be a test";
        return;
      }
      ASSERT_TRUE(*found == before || *found == after) << "kill at change " << kill;
      ExpectHistoryAgrees(Name(), kill);
      // The file takes records again, and keeps what it held, its history with it.
      int index = -1;
      const StoredRecord extra = Stored(99);
      ASSERT_EQ(Recorded(Name(),
                         [&](WriteJournal* journal) {
                           return ResponseFile::WriteRecord(Name(), extra, &index, -1, journal);
                         }),
                FileStatus::kOk)
          << "kill at change " << kill;
      Records more = *found;
      more.emplace_back(extra.begin(), extra.end());
      ASSERT_TRUE(ReadAll(Name()) == more) << "kill at change " << kill;
      ExpectHistoryAgrees(Name(), kill);
    }
  }

  testing::TempDir dir_;
  std::string baseHistory_;  // the history of the file each kill starts from
};

TEST_F(InterruptedWriteTest, EveryWriteIsAllOrNothing) {
  const std::vector<StoredRecord> two = {Stored(1), Stored(2)};
  const std::vector<StoredRecord> many(40, Stored(3));
  const auto records = [](const std::vector<StoredRecord>& stored) {
    Records list;
    for (const StoredRecord& one : stored) {
      list.emplace_back(one.begin(), one.end());
    }
    return list;
  };
  const std::string name = Name();
  int index = -1;
  {
    SCOPED_TRACE("the first record of a new file");
    KillAtEveryPoint(
        "",
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::WriteRecord(name, two[0], &index, -1, journal);
          });
        },
        {}, records({two[0]}));
  }

  unlink(Name().c_str());
  unlink(History().c_str());
  ASSERT_EQ(Recorded(name,
                     [&](WriteJournal* journal) {
                       return ResponseFile::AppendRecords(Name(), two, &index, journal);
                     }),
            FileStatus::kOk);
  const std::string base = ReadBytes(Name());
  baseHistory_ = ReadBytes(History());
  std::vector<StoredRecord> three = two;
  three.push_back(Stored(4));
  std::vector<StoredRecord> imported = two;
  imported.insert(imported.end(), many.begin(), many.end());
  std::vector<StoredRecord> rewritten = {two[0], Stored(5)};
  {
    SCOPED_TRACE("one record appended");
    KillAtEveryPoint(
        base,
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::WriteRecord(name, three[2], &index, -1, journal);
          });
        },
        records(two), records(three));
  }
  {
    SCOPED_TRACE("an import of 40 records");
    KillAtEveryPoint(
        base,
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::AppendRecords(name, many, &index, journal);
          });
        },
        records(two), records(imported));
  }
  {
    SCOPED_TRACE("a record rewritten in place");
    KillAtEveryPoint(
        base,
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::WriteRecord(name, rewritten[1], &index, 1, journal);
          });
        },
        records(two), records(rewritten));
  }
  {
    SCOPED_TRACE("a record replaced after comparing");
    KillAtEveryPoint(
        base,
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::ReplaceRecord(name, 1, two[1], rewritten[1], journal);
          });
        },
        records(two), records(rewritten));
  }
  {
    SCOPED_TRACE("the first write to a file without the mark, with a torn tail");
    KillAtEveryPoint(
        testing::WithoutCommitMark(base) + std::string(700, 'x'),
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::WriteRecord(name, three[2], &index, -1, journal);
          });
        },
        records(two), records(three));
  }
  {
    SCOPED_TRACE("a new file written whole, as salvage writes it");
    KillAtEveryPoint(
        "",
        [&] {
          return Recorded(name, [&](WriteJournal* journal) {
            return ResponseFile::WriteNewFile(name, two, journal);
          });
        },
        {}, records(two));
  }
}

// An export that replaces an older one, killed at every change: the target holds the old or
// the new text, a part file left behind is readable by its owner alone, and the next export to
// the same name leaves none.
TEST_F(InterruptedWriteTest, AReplacingExportLeavesNoReadablePart) {
  const std::string target = dir_.File("out.csv");
  const std::string part = target + ".part";
  const auto exportText = [&](const std::string& text) {
    WholeFileWriter file;
    FileStatus status = file.Open(target, true);
    if (status == FileStatus::kOk) {
      status = file.Write(text);
    }
    return status == FileStatus::kOk ? file.Commit() : status;
  };
  for (int kill = 1;; ++kill) {
    WriteBytes(target, "old");
    const pid_t pid = fork();
    if (pid == 0) {
      changesLeft = kill;
      SetFaultHookForTesting(KillAtChange);
      _exit(exportText("new") == FileStatus::kOk ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string found = ReadBytes(target);
    ASSERT_TRUE(found == "old" || found == "new") << "kill at change " << kill;
    struct stat info {};
    if (stat(part.c_str(), &info) == 0) {
      EXPECT_EQ(info.st_mode & 0077, 0u) << "kill at change " << kill;
    }
    ASSERT_EQ(exportText("again"), FileStatus::kOk) << "kill at change " << kill;
    EXPECT_EQ(ReadBytes(target), "again");
    EXPECT_NE(access(part.c_str(), F_OK), 0) << "kill at change " << kill;
    if (WIFEXITED(status)) {
      EXPECT_GT(kill, 2) << "too few points to be a test";
      return;
    }
  }
}

// A long file is written behind, a run at a time: it comes back byte for byte, and a disk that
// fills under a run written behind fails the whole write and keeps the old file.
TEST_F(InterruptedWriteTest, ALongFileWrittenBehindIsWholeOrNotWritten) {
  const std::string target = dir_.File("long.json");
  // Three runs of a megabyte exactly, so that the last one written behind is the one the disk
  // fills under, with nothing written after it.
  std::string text;
  for (int i = 0; text.size() < 3 << 20; ++i) {
    text += std::to_string(i) + std::string(static_cast<std::size_t>(i % 997), 'a') + "\n";
  }
  text.resize(3 << 20);
  const auto write = [&] {
    WholeFileWriter file;
    FileStatus status = file.Open(target, true);
    for (std::size_t at = 0; status == FileStatus::kOk && at < text.size(); at += 4096) {
      status = file.Write(std::string_view(text).substr(at, 4096));
    }
    return status == FileStatus::kOk ? file.Commit() : status;
  };
  WriteBytes(target, "old");
  EXPECT_EQ(testing::InChild([&] {
              signal(SIGXFSZ, SIG_IGN);
              const rlimit limit{5 << 19, 5 << 19};
              setrlimit(RLIMIT_FSIZE, &limit);
              return write() == FileStatus::kDiskFull ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadBytes(target), "old");
  ASSERT_EQ(write(), FileStatus::kOk);
  EXPECT_TRUE(ReadBytes(target) == text);
}

}  // namespace
}  // namespace acv
