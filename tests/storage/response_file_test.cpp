#include "storage/format/response_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/text/messages.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::InChild;
using testing::ReadBytes;
using testing::TestRecord;
using testing::WriteBytes;

// The pipes of a process held between opening a file and locking it.
int heldAtLock[2];
int releasedFromLock[2];
void WaitAtLock() {
  char byte = 0;
  // A pipe that fails leaves the two processes out of step: nothing after it would mean anything.
  if (write(heldAtLock[1], &byte, 1) != 1 || read(releasedFromLock[0], &byte, 1) != 1) {
    std::abort();
  }
}

class ResponseFileTest : public ::testing::Test {
 protected:
  std::string Name() const { return dir_.File("responses.cvr"); }

  int Append(const std::string& name, int seed = 1) {
    ResponseRecord record = TestRecord(
        seed % 2, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = seed});
    int index = -1;
    const FileStatus status = ResponseFile::WriteRecord(name, BuildImage(record), &index, -1);
    return status == FileStatus::kOk ? index : Code(status);
  }

  testing::TempDir dir_;
};

TEST_F(ResponseFileTest, FirstRecordWritesHeaderAndRecord) {
  ASSERT_EQ(Append(Name()), 0);
  const std::string bytes = ReadBytes(Name());
  ASSERT_EQ(bytes.size(), kMinFileSize);
  EXPECT_EQ(bytes.substr(0, 10), "ACV 4.0   ");
  EXPECT_EQ(bytes.substr(10, 14), bytes.substr(24, 14));  // created and modified together
  EXPECT_EQ(bytes.substr(38, 42), std::string(42, ' '));
  EXPECT_EQ(bytes[80], '\0');
  struct stat info {};
  ASSERT_EQ(stat(Name().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0007, 0u) << "no access for others";
  EXPECT_EQ(Append(Name(), 2), 1);
  EXPECT_EQ(ReadBytes(Name()).size(), kMinFileSize + kRecordSize);
}

// Enough records that reading crosses from one run of records read at once into the next.
TEST_F(ResponseFileTest, RecordsReadBackInOrder) {
  constexpr int kCount = 70;
  std::vector<ResponseRecord> written;
  for (int i = 0; i < 5; ++i) {
    ResponseRecord record = TestRecord(i % 2, {.first = "P" + std::to_string(i),
                                               .last = "Morgan",
                                               .birthDate = "19750307",
                                               .seed = i + 1});
    int index = -1;
    ASSERT_EQ(ResponseFile::WriteRecord(Name(), BuildImage(record), &index, -1), FileStatus::kOk);
    EXPECT_EQ(index, i);
    written.push_back(record);
  }
  std::vector<StoredRecord> more;
  for (int i = 5; i < kCount; ++i) {
    written.push_back(TestRecord(i % 2, {.first = "P" + std::to_string(i),
                                         .last = "Morgan",
                                         .birthDate = "19750307",
                                         .seed = i + 1}));
    more.push_back(BuildImage(written.back()));
  }
  int first = -1;
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), more, &first), FileStatus::kOk);
  EXPECT_EQ(first, 5);
  ResponseFile file;
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_EQ(file.recordCount(), kCount);
  EXPECT_EQ(file.header().version, "ACV 4.0   ");
  StoredRecord bytes{};
  for (int i = 0; i < kCount; ++i) {
    int index = -1;
    ASSERT_EQ(file.ReadNext(&bytes, &index), FileStatus::kOk);
    EXPECT_EQ(index, i);
    ResponseRecord back;
    ASSERT_EQ(LoadImage(back, bytes.data()), FileStatus::kOk);
    EXPECT_TRUE(back.IsSameAs(written[i])) << "record " << i;
  }
  int index = -1;
  EXPECT_EQ(file.ReadNext(&bytes, &index), FileStatus::kNoMoreRecords);
  StoredRecord one{};
  EXPECT_EQ(ResponseFile::ReadAt(Name(), 3, &one), FileStatus::kOk);
  ResponseRecord back;
  ASSERT_EQ(LoadImage(back, one.data()), FileStatus::kOk);
  EXPECT_TRUE(back.IsSameAs(written[3]));
  EXPECT_EQ(ResponseFile::ReadAt(Name(), kCount, &one), FileStatus::kIndexBeyondEnd);
  EXPECT_EQ(ResponseFile::ReadAt(Name(), -1, &one), FileStatus::kIndexBeyondEnd);
}

TEST_F(ResponseFileTest, AMissingFileIsNotFoundAndNeverCreated) {
  ResponseFile file;
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kNotFound);
  EXPECT_EQ(file.OpenForReading(Name(), false), FileStatus::kNotFound);
  StoredRecord bytes{};
  EXPECT_EQ(ResponseFile::ReadAt(Name(), 0, &bytes), FileStatus::kNotFound);
  int index = -1;
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), bytes, &index, 0), FileStatus::kNotFound)
      << "a rewrite has nothing to rewrite";
  EXPECT_NE(access(Name().c_str(), F_OK), 0);
  WriteBytes(Name(), "");
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kTooShort) << "empty: no records";
}

TEST_F(ResponseFileTest, MalformedFilesAreRefusedInOrder) {
  StoredRecord bytes{};
  ResponseFile file;
  WriteBytes(Name(), std::string(kFileHeaderSize, 'A'));
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kTooShort);
  WriteBytes(Name(), "XYZ" + std::string(kMinFileSize - 3, 'x'));
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kBadMagic);
  WriteBytes(Name(), "ACVwhatever" + std::string(2419, 'x'));  // only three letters count
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_EQ(file.recordCount(), 1);
  file.Close();
  int index = -1;
  WriteBytes(Name(), "XYZ" + std::string(kMinFileSize - 3, 'x'));
  const std::string before = ReadBytes(Name());
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), bytes, &index, -1), FileStatus::kBadMagic);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(ReadBytes(Name()), before);
}

TEST_F(ResponseFileTest, PathFailuresHaveTheirCodes) {
  StoredRecord bytes{};
  int index = 0;
  // A save into a folder that is not there: the path is wrong, not the disk.
  EXPECT_EQ(ResponseFile::WriteRecord(dir_.File("missing/x.cvr"), bytes, &index, -1),
            FileStatus::kBadPath);
  EXPECT_EQ(SaveFailureMessage(FileStatus::kBadPath).text, "The path for the file is not correct.");
  WriteBytes(dir_.File("plain"), "x");
  EXPECT_EQ(ResponseFile::WriteRecord(dir_.File("plain/x.cvr"), bytes, &index, -1),
            FileStatus::kBadPath);
  EXPECT_EQ(ResponseFile::WriteRecord(dir_.path(), bytes, &index, -1), FileStatus::kNotRegularFile);
  EXPECT_EQ(ResponseFile::WriteRecord("", bytes, &index, -1), FileStatus::kBadPath);
}

// A file and its history are flushed together with one flush of the disk where it takes both,
// and each in turn where they lie on different disks (here one in memory): a failure of either
// file fails the flush.
TEST_F(ResponseFileTest, TwoFilesFlushedTogetherReportEitherFailure) {
  char inMemory[] = "/dev/shm/acv-test-XXXXXX";
  const int elsewhere = mkstemp(inMemory);
  unlink(inMemory);
  const int here = open(Name().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  const int beside = open(dir_.File("beside").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  const int closed = open(dir_.File("closed").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_TRUE(here >= 0 && beside >= 0 && elsewhere >= 0 && closed >= 0);
  close(closed);
  EXPECT_EQ(SyncFiles(here, beside), FileStatus::kOk);
  EXPECT_EQ(SyncFiles(here, elsewhere), FileStatus::kOk);
  EXPECT_EQ(SyncFiles(here, closed), FileStatus::kInvalid);
  EXPECT_EQ(SyncFiles(closed, here), FileStatus::kInvalid);
  for (const int fd : {here, beside, elsewhere}) {
    close(fd);
  }
}

TEST_F(ResponseFileTest, PermissionDenied) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "permission bits do not stop root";
  }
  ASSERT_EQ(Append(Name()), 0);
  chmod(Name().c_str(), 0440);
  int index = 0;
  StoredRecord bytes{};
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), bytes, &index, -1), FileStatus::kAccessDenied);
}

TEST_F(ResponseFileTest, CapacityIs657RecordsWhateverTheLength) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const StoredRecord stored = BuildImage(record);
  const std::string one(stored.begin(), stored.end());
  int index = -1;
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), std::vector(kMaxRecords - 1, stored), &index),
            FileStatus::kOk);
  WriteBytes(Name(), testing::WithoutCommitMark(ReadBytes(Name())));
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, -1), FileStatus::kOk);
  EXPECT_EQ(index, kMaxRecords - 1);
  const std::string full = ReadBytes(Name());
  EXPECT_EQ(full.size(), kMaxFileSize);
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, -1), FileStatus::kFull);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(ReadBytes(Name()), full);
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, 600), FileStatus::kOk)
      << "rewrites still work";

  // 658 records written by some other program: readable up to the limit, never added to, never
  // cut. The count must not wrap round.
  WriteBytes(Name(), testing::WithoutCommitMark(ReadBytes(Name())) + one);
  const std::string over = ReadBytes(Name());
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, -1), FileStatus::kFull);
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, 0), FileStatus::kFull);
  EXPECT_EQ(ReadBytes(Name()), over);
  ResponseFile file;
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_EQ(file.recordCount(), kMaxRecords);
  EXPECT_TRUE(file.hasUnreadTail());
  file.Close();

  // A sparse file of 9.4 TB: no overflow anywhere.
  ASSERT_EQ(truncate(Name().c_str(), 9'400'000'000'000LL), 0);
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_EQ(file.recordCount(), kMaxRecords);
  file.Close();
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, -1), FileStatus::kFull);
}

TEST_F(ResponseFileTest, ATornTailIsReportedAndCutByTheNextWrite) {
  ASSERT_EQ(Append(Name(), 1), 0);
  ASSERT_EQ(Append(Name(), 2), 1);
  const std::string whole = testing::WithoutCommitMark(ReadBytes(Name()));
  WriteBytes(Name(), whole + std::string(1000, 'x'));
  ResponseFile file;
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_EQ(file.recordCount(), 2);
  EXPECT_TRUE(file.hasUnreadTail());
  EXPECT_FALSE(file.hasCommitMark());
  file.Close();
  EXPECT_EQ(Append(Name(), 3), 2);
  const std::string after = ReadBytes(Name());
  EXPECT_EQ(after.size(), whole.size() + kRecordSize);
  EXPECT_EQ(after.substr(kFileHeaderSize, 2 * kRecordSize),
            whole.substr(kFileHeaderSize, 2 * kRecordSize));
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_FALSE(file.hasUnreadTail());
  EXPECT_TRUE(file.hasCommitMark());
  file.Close();

  // A header alone, as a write cut short by an older version left it: no records to read, but
  // it takes new ones.
  WriteBytes(Name(), whole.substr(0, kFileHeaderSize) + std::string(100, 'x'));
  EXPECT_EQ(file.OpenForReading(Name(), true), FileStatus::kTooShort);
  EXPECT_EQ(Append(Name(), 4), 0);
  EXPECT_EQ(ReadBytes(Name()).size(), kMinFileSize);
}

// Another program that appends and rewrites the header as the format says, but knows nothing of
// the mark: its records are never hidden.
TEST_F(ResponseFileTest, AMarkWhoseStampNoLongerMatchesIsIgnored) {
  ASSERT_EQ(Append(Name(), 1), 0);
  std::string bytes = ReadBytes(Name());
  const std::string record = bytes.substr(kFileHeaderSize, kRecordSize);
  bytes.replace(kModifiedStampOffset, kStampSize, "20300101000000");
  WriteBytes(Name(), bytes + record + record);
  ResponseFile file;
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_FALSE(file.hasCommitMark());
  EXPECT_EQ(file.recordCount(), 3);
  file.Close();
  bytes = ReadBytes(Name());
  bytes[kMarkCountOffset] = 2;  // a damaged mark counts for nothing either
  bytes.replace(kModifiedStampOffset, kStampSize, bytes.substr(kMarkStampOffset, kStampSize));
  WriteBytes(Name(), bytes);
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  EXPECT_FALSE(file.hasCommitMark());
  EXPECT_EQ(file.recordCount(), 3);
}

TEST_F(ResponseFileTest, OnlyRegularFilesAreOpened) {
  const std::string fifo = dir_.File("pipe.cvr");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  StoredRecord bytes{};
  int index = -1;
  for (const std::string& name : {fifo, dir_.path(), std::string("/dev/zero")}) {
    ResponseFile file;
    EXPECT_EQ(file.OpenForReading(name, true), FileStatus::kNotRegularFile) << name;
    EXPECT_EQ(ResponseFile::ReadAt(name, 0, &bytes), FileStatus::kNotRegularFile) << name;
    EXPECT_EQ(ResponseFile::WriteRecord(name, bytes, &index, -1), FileStatus::kNotRegularFile)
        << name;
  }
}

TEST_F(ResponseFileTest, RewriteInPlaceKeepsCreationStamp) {
  ASSERT_EQ(Append(Name(), 1), 0);
  ASSERT_EQ(Append(Name(), 2), 1);
  std::string bytes = ReadBytes(Name());
  bytes.replace(10, 28, "2001010100000020010101000000");  // old stamps
  WriteBytes(Name(), bytes);
  ResponseRecord edited = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 3});
  int index = -1;
  ASSERT_EQ(ResponseFile::WriteRecord(Name(), BuildImage(edited, "20070101120000"), &index, 0),
            FileStatus::kOk);
  EXPECT_EQ(index, 0);
  const std::string after = ReadBytes(Name());
  EXPECT_EQ(after.size(), bytes.size());
  EXPECT_EQ(after.substr(10, 14), "20010101000000");
  EXPECT_NE(after.substr(24, 14), "20010101000000");
  EXPECT_EQ(after.substr(RecordOffset(1)), bytes.substr(RecordOffset(1)));  // record 1 kept
  StoredRecord stored{};
  ASSERT_EQ(ResponseFile::ReadAt(Name(), 0, &stored), FileStatus::kOk);
  ResponseRecord back;
  ASSERT_EQ(LoadImage(back, stored.data()), FileStatus::kOk);
  EXPECT_TRUE(back.IsSameAs(edited));
  EXPECT_EQ(back.Text(TextField::kSavedStamp), "20070101120000");
  EXPECT_EQ(ResponseFile::WriteRecord(Name(), stored, &index, 2), FileStatus::kIndexBeyondEnd);
}

TEST_F(ResponseFileTest, AnOpenFileIsLockedAgainstOtherProcesses) {
  ASSERT_EQ(Append(Name()), 0);
  const std::string name = Name();
  // The negated code another process gets when it tries to append.
  const auto appendElsewhere = [&name] {
    return InChild([&name] {
      StoredRecord bytes{};
      int index = 0;
      return -Code(ResponseFile::WriteRecord(name, bytes, &index, -1));
    });
  };
  {
    ResponseFile holder;
    ASSERT_EQ(holder.OpenForReading(Name(), false), FileStatus::kOk);
    EXPECT_EQ(appendElsewhere(), 11);
    EXPECT_EQ(InChild([&] {
                StoredRecord bytes{};
                return -Code(ResponseFile::ReadAt(name, 0, &bytes));
              }),
              11);
  }
  {
    ResponseFile reader;
    ASSERT_EQ(reader.OpenForReading(Name(), true), FileStatus::kOk);
    EXPECT_EQ(appendElsewhere(), 11);
  }
  EXPECT_EQ(Append(Name(), 2), 1) << "the lock ends with the open";
}

TEST_F(ResponseFileTest, FailedAppendLeavesTheFileAsItWas) {
  ASSERT_EQ(Append(Name()), 0);
  const std::string before = ReadBytes(Name());
  const std::string name = Name();
  const int code = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{before.size() + 100, before.size() + 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    ResponseRecord record = TestRecord(
        kSelfReport, {.first = "Sam", .last = "Other", .birthDate = "19800101", .seed = 1});
    int index = 0;
    return -Code(ResponseFile::WriteRecord(name, BuildImage(record), &index, -1));
  });
  EXPECT_EQ(code, 13);  // disk full
  EXPECT_EQ(ReadBytes(Name()), before);
}

TEST_F(ResponseFileTest, ANewFileWhoseFirstRecordFailedIsRemoved) {
  const std::string name = Name();
  const int code = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    ResponseRecord record = TestRecord(
        kSelfReport, {.first = "Sam", .last = "Other", .birthDate = "19800101", .seed = 1});
    int index = 0;
    return -Code(ResponseFile::WriteRecord(name, BuildImage(record), &index, -1));
  });
  EXPECT_EQ(code, 13);
  EXPECT_NE(access(Name().c_str(), F_OK), 0) << "no file left behind";
  WriteBytes(Name(), "");
  EXPECT_EQ(Append(Name()), 0) << "an empty file is accepted as new";
}

// Two programs save to the same new file at the same moment: one makes it, the other opens it
// and takes the lock first. Whatever becomes of the maker's own write, the other's saved records
// stay.
TEST_F(ResponseFileTest, RecordsSavedByAnotherProcessSurviveTheMakersFailedFirstWrite) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const StoredRecord stored = BuildImage(record);
  const std::vector<std::vector<StoredRecord>> makerWrites = {
      {},                                              // nothing to write
      std::vector<StoredRecord>(kMaxRecords, stored),  // refused: one too many
  };
  for (const std::vector<StoredRecord>& makerWrite : makerWrites) {
    const std::string name = Name();
    unlink(name.c_str());
    ASSERT_EQ(pipe(heldAtLock), 0);
    ASSERT_EQ(pipe(releasedFromLock), 0);
    const pid_t maker = fork();
    if (maker == 0) {
      SetLockHookForTesting(WaitAtLock);
      int first = 0;
      _exit(-Code(ResponseFile::AppendRecords(name, makerWrite, &first)));
    }
    char byte = 0;
    ASSERT_EQ(read(heldAtLock[0], &byte, 1), 1);  // the maker has made the file, unlocked
    int first = -1;
    EXPECT_EQ(ResponseFile::AppendRecords(name, {stored, stored}, &first), FileStatus::kOk);
    EXPECT_EQ(first, 0);
    ASSERT_EQ(write(releasedFromLock[1], &byte, 1), 1);
    int status = 0;
    waitpid(maker, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), makerWrite.empty() ? 0 : -Code(FileStatus::kFull) & 0xFF);
    ResponseFile file;
    ASSERT_EQ(file.OpenForReading(name, true), FileStatus::kOk) << makerWrite.size();
    EXPECT_EQ(file.recordCount(), 2);
    for (int* end : {heldAtLock, releasedFromLock}) {
      close(end[0]);
      close(end[1]);
    }
  }
}

TEST_F(ResponseFileTest, AppendingManyIsAllOrNothing) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const StoredRecord stored = BuildImage(record);
  int first = -1;
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), std::vector<StoredRecord>(600, stored), &first),
            FileStatus::kOk);
  EXPECT_EQ(first, 0);
  const std::string before = ReadBytes(Name());
  EXPECT_EQ(before.size(), kFileHeaderSize + 600 * kRecordSize);
  // 600 + 58 would be one too many: nothing is written.
  EXPECT_EQ(ResponseFile::AppendRecords(Name(), std::vector<StoredRecord>(58, stored), &first),
            FileStatus::kFull);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(ReadBytes(Name()), before);
  ASSERT_EQ(ResponseFile::AppendRecords(Name(), std::vector<StoredRecord>(57, stored), &first),
            FileStatus::kOk);
  EXPECT_EQ(first, 600);
  EXPECT_EQ(ReadBytes(Name()).size(), kMaxFileSize);

  // A run that fails part-way is cut off again.
  const std::string other = dir_.File("other.cvr");
  ASSERT_EQ(ResponseFile::AppendRecords(other, {stored}, &first), FileStatus::kOk);
  const std::string one = ReadBytes(other);
  const int code = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{one.size() + 3 * kRecordSize, one.size() + 3 * kRecordSize};
    setrlimit(RLIMIT_FSIZE, &limit);
    int index = 0;
    return -Code(ResponseFile::AppendRecords(other, std::vector<StoredRecord>(5, stored), &index));
  });
  EXPECT_EQ(code, 13);
  EXPECT_EQ(ReadBytes(other), one);
}

}  // namespace
}  // namespace acv
