// The reader names each damaged part of a file and why, and tells a failed read from a record
// whose writing was cut short.
#include <gtest/gtest.h>

#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/record_search.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {

void PrintTo(const Damage& damage, std::ostream* out) {
  *out << "{slot " << damage.slot << ", bytes " << damage.offset << "+" << damage.size << ", "
       << DamageReasonText(damage.reason) << "}";
}

namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// The record slot whose reads fail with an I/O error while FailReadsOf is set.
long long failingOffset = -1;
FileStatus FailReadsOf(long long offset, std::size_t size) {
  const bool covers =
      offset <= failingOffset && failingOffset < offset + static_cast<long long>(size);
  return covers ? FileStatus::kHardIo : FileStatus::kOk;
}

class DamageReportTest : public ::testing::Test {
 protected:
  ~DamageReportTest() override { SetReadHookForTesting(nullptr); }

  std::string Name() const { return dir_.File("responses.cvr"); }
  void Write(int count) {
    std::vector<StoredRecord> records;
    for (int i = 0; i < count; ++i) {
      ResponseRecord record = testing::TestRecord(
          kSelfReport,
          {.first = "P" + std::to_string(i), .last = "Ash", .birthDate = "19700415", .seed = 1});
      records.push_back(BuildImage(record));
    }
    int first = -1;
    ASSERT_EQ(ResponseFile::AppendRecords(Name(), records, &first), FileStatus::kOk);
  }
  static Damage WholeRecord(int slot, DamageReason reason) {
    return {slot, RecordOffset(slot), static_cast<long long>(kRecordSize), reason};
  }

  testing::TempDir dir_;
};

// Record 33 lies in the second run of records read at once; only it is lost.
TEST_F(DamageReportTest, AFailedReadIsNamedApartFromATornRecord) {
  Write(40);
  failingOffset = RecordOffset(33) + 100;
  SetReadHookForTesting(FailReadsOf);
  std::vector<Damage> told;
  ResponseFile file([&](const Damage& damage) { told.push_back(damage); });
  ASSERT_EQ(file.OpenForReading(Name(), true), FileStatus::kOk);
  StoredRecord bytes{};
  int index = -1;
  int read = 0;
  for (FileStatus status = file.ReadNext(&bytes, &index); status != FileStatus::kNoMoreRecords;
       status = file.ReadNext(&bytes, &index), ++read) {
    EXPECT_EQ(status, index == 33 ? FileStatus::kHardIo : FileStatus::kOk) << index;
  }
  EXPECT_EQ(read, 40);
  EXPECT_EQ(told, std::vector{WholeRecord(33, DamageReason::kReadFailed)});
  file.Close();

  RecordIndex search;
  ASSERT_EQ(BuildRecordIndex(Name(), true, &search), FileStatus::kOk);
  EXPECT_EQ(search.entries.size(), 39u);
  EXPECT_EQ(search.damage, told);
  EXPECT_EQ(ResponseFile::ReadAt(Name(), 33, &bytes), FileStatus::kHardIo);
  EXPECT_EQ(ResponseFile::ReadAt(Name(), 34, &bytes), FileStatus::kOk);
  std::vector<StoredRecord> good;
  unsigned lost = 0;
  EXPECT_EQ(ResponseFile::Salvage(Name(), &good, &lost), FileStatus::kHardIo)
      << "a salvage that cannot read the file makes nothing";

  // The same record cut short instead: torn, the records before it read, and the six after it
  // that the mark counts missing.
  SetReadHookForTesting(nullptr);
  WriteBytes(Name(), ReadBytes(Name()).substr(0, RecordOffset(33) + 100));
  ASSERT_EQ(BuildRecordIndex(Name(), true, &search), FileStatus::kOk);
  EXPECT_EQ(search.entries.size(), 33u);
  const Damage torn{33, RecordOffset(33), 100, DamageReason::kTornRecord};
  const Damage missing{34, RecordOffset(34), 6LL * kRecordSize, DamageReason::kRecordsMissing};
  EXPECT_EQ(search.damage, (std::vector{torn, missing}));
}

TEST_F(DamageReportTest, SalvageNamesEachRecordLeftOut) {
  Write(5);
  std::string bytes = ReadBytes(Name());
  testing::DamageRecord(&bytes, 1);
  WriteBytes(Name(), bytes + std::string(100, 'z'));
  std::vector<Damage> told;
  const auto tell = [&](const Damage& damage) { told.push_back(damage); };
  std::vector<StoredRecord> good;
  unsigned lost = 0;
  ASSERT_EQ(ResponseFile::Salvage(Name(), &good, &lost, tell), FileStatus::kOk);
  EXPECT_EQ(good.size(), 4u);
  EXPECT_EQ(lost, 2u);
  EXPECT_EQ(told, (std::vector<Damage>{WholeRecord(1, DamageReason::kChecksumMismatch),
                                       {5, RecordOffset(5), 100, DamageReason::kTornRecord}}));

  // Without the mark, records after the 657th are never read.
  told.clear();
  std::string many = testing::WithoutCommitMark(bytes.substr(0, kFileHeaderSize));
  for (int i = 0; i < kMaxRecords + 3; ++i) {
    many += bytes.substr(kFileHeaderSize, kRecordSize);
  }
  WriteBytes(Name(), many);
  ASSERT_EQ(ResponseFile::Salvage(Name(), &good, &lost, tell), FileStatus::kOk);
  EXPECT_EQ(good.size(), static_cast<std::size_t>(kMaxRecords));
  EXPECT_EQ(lost, 3u);
  const Damage beyond{kMaxRecords, RecordOffset(kMaxRecords), 3LL * kRecordSize,
                      DamageReason::kBeyondLimit};
  EXPECT_EQ(told, std::vector{beyond});
}

}  // namespace
}  // namespace acv
