#include "storage/records/record_store.h"

#include <gtest/gtest.h>

#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/text/messages.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::InChild;
using testing::ReadBytes;
using testing::TestRecord;

class RecordStoreTest : public ::testing::Test {
 protected:
  std::string Stem() const { return dir_.File("clinic"); }
  testing::TempDir dir_;
};

TEST_F(RecordStoreTest, SaveResolvesTheTypedNameThenAppends) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const SaveResult first = SaveRecord(Stem(), record);
  EXPECT_EQ(first.status, FileStatus::kOk);
  EXPECT_EQ(first.fileName, Stem() + ".cvr");
  EXPECT_EQ(first.index, 0);
  EXPECT_EQ(record.Text(TextField::kSavedStamp).size(), 14u) << "stamped when saved";
  const SaveResult second = SaveRecord(Stem() + ".cvr", record);
  EXPECT_EQ(second.fileName, Stem() + ".cvr") << "a .cvr name is kept as it is";
  EXPECT_EQ(second.index, 1);

  ResponseRecord back;
  ASSERT_EQ(ReadRecord(first.fileName, 1, &back), FileStatus::kOk);
  EXPECT_EQ(back.Text(TextField::kFirstName), "Alex");
  back.SetText(TextField::kFirstName, "Sam");
  EXPECT_EQ(ReadRecord(first.fileName, 2, &back), FileStatus::kIndexBeyondEnd);
  EXPECT_EQ(back.Text(TextField::kFirstName), "Sam") << "unchanged by a failed read";

  for (const char* refused : {"clinic.txt", "clinic.CVR", "/data/", ".cvr"}) {
    const SaveResult result = SaveRecord(refused, record);
    EXPECT_EQ(result.status, FileStatus::kNameHasExtension) << refused;
    EXPECT_EQ(result.fileName, "");
    EXPECT_EQ(SaveFailureMessage(result.status).text,
              Message(MessageId::kFileNameWithExtension).text);
    EXPECT_EQ(SaveFailureMessage(result.status).caption, "Incorrect File Name");
  }
  EXPECT_EQ(SaveRecord("", record).status, FileStatus::kNoFileName);
  EXPECT_EQ(SaveFailureMessage(FileStatus::kNoFileName).text, "You have not entered a filename.");
}

TEST_F(RecordStoreTest, ReadRecordDerivesMetFlagsOnRequestAndGivesTheStoredBytes) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  record.SetResponse(1, 4);
  const SaveResult saved = SaveRecord(Stem(), record);
  ASSERT_EQ(saved.status, FileStatus::kOk);
  ResponseRecord plain;
  ResponseRecord derived;
  StoredRecord stored{};
  ASSERT_EQ(ReadRecord(saved.fileName, 0, &plain), FileStatus::kOk);
  ASSERT_EQ(ReadRecord(saved.fileName, 0, &derived, MetFlags::kDerive, &stored), FileStatus::kOk);
  EXPECT_FALSE(plain.IsMet(1));
  EXPECT_TRUE(derived.IsMet(1));
  EXPECT_EQ(ReadBytes(saved.fileName).substr(kFileHeaderSize, kRecordSize),
            std::string(stored.begin(), stored.end()));

  testing::DamageRecordIn(saved.fileName, 0);
  EXPECT_EQ(ReadRecord(saved.fileName, 0, &plain), FileStatus::kCorruptRecord);
}

// The edit of one user must never silently undo the edit of another.
TEST_F(RecordStoreTest, ReplaceWritesOnlyWhileTheRecordIsAsRead) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const std::string name = SaveRecord(Stem(), record).fileName;
  ASSERT_EQ(SaveRecord(name, record).index, 1);
  ResponseRecord mine;
  StoredRecord original{};
  ASSERT_EQ(ReadRecord(name, 1, &mine, MetFlags::kLeave, &original), FileStatus::kOk);

  // Another program replaces the same record first, through its own open.
  ASSERT_EQ(InChild([&] {
              ResponseRecord theirs = mine;
              theirs.SetText(TextField::kComments, "their edit");
              return ReplaceRecord(name, 1, original, theirs).status == FileStatus::kOk ? 0 : 1;
            }),
            0);
  const std::string afterTheirs = ReadBytes(name);
  mine.SetText(TextField::kComments, "my edit");
  const SaveResult refused = ReplaceRecord(name, 1, original, mine);
  EXPECT_EQ(refused.status, FileStatus::kRecordChanged);
  EXPECT_EQ(refused.index, -1);
  EXPECT_EQ(ReadBytes(name), afterTheirs) << "nothing written";
  EXPECT_EQ(SaveFailureMessage(refused.status).caption, "Save Has Failed");
  EXPECT_TRUE(SaveFailureMessage(refused.status).text.starts_with("Someone else has changed"));
  EXPECT_EQ(ReplaceRecord(name, 2, original, mine).status, FileStatus::kIndexBeyondEnd);

  StoredRecord current{};
  ResponseRecord theirs;
  ASSERT_EQ(ReadRecord(name, 1, &theirs, MetFlags::kLeave, &current), FileStatus::kOk);
  EXPECT_EQ(theirs.Text(TextField::kComments), "their edit");
  const SaveResult replaced = ReplaceRecord(name, 1, current, mine);
  EXPECT_EQ(replaced.status, FileStatus::kOk);
  EXPECT_EQ(replaced.index, 1);
  const std::string after = ReadBytes(name);
  EXPECT_EQ(after.substr(kFileHeaderSize, kRecordSize),
            afterTheirs.substr(kFileHeaderSize, kRecordSize))
      << "record 0 kept";
  EXPECT_EQ(after.substr(0, kModifiedStampOffset), afterTheirs.substr(0, kModifiedStampOffset))
      << "creation stamp kept";
}

}  // namespace
}  // namespace acv
