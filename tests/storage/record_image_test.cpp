#include "storage/format/record_image.h"

#include <gtest/gtest.h>

#include "storage/format/verification_mark.h"

#include "support/plain_image.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ChangedBehindTheMark;
using testing::Rechecksum;
using testing::TestRecord;

ResponseRecord Verified(Verification verification) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  record.SetEntryMethod(kEnteredFromPaper);
  record.SetVerification(verification);
  return record;
}

TEST(RecordImageTest, RoundTripKeepsEveryField) {
  ResponseRecord record = TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  record.SetEntryMethod(kEnteredFromPaper);
  record.SetText(TextField::kComments, std::string(200, 'c'));  // exactly the width
  const StoredRecord stored = BuildImage(record, "20070612101500");
  ResponseRecord back;
  ASSERT_EQ(LoadImage(back, stored.data()), FileStatus::kOk);
  EXPECT_TRUE(back.IsSameAs(record));
  EXPECT_EQ(back.Text(TextField::kSavedStamp), "20070612101500");
  EXPECT_EQ(back.Text(TextField::kComments).size(), 200u);
  EXPECT_EQ(back.EntryMethod(), kEnteredFromPaper);
  EXPECT_EQ(back.ReportType(), kObserverReport);
  EXPECT_EQ(back.Text(TextField::kObserverName), "Jo Observer");
}

TEST(RecordImageTest, LayoutPadsAndPacksAsStored) {
  ResponseRecord record;
  record.SetReportType(kSelfReport);
  record.SetText(TextField::kFirstName, "Al");
  record.SetResponse(2, 3);   // item 1 never set: 15 in the low nibble
  record.SetResponse(3, -1);  // blank
  record.SetResponse(4, 3);
  const PlainImage image = EncodePlainImage(record);
  EXPECT_EQ(image[0], 'A');
  EXPECT_EQ(image[2], kPadByte);
  EXPECT_EQ(image[19], kPadByte);
  EXPECT_EQ(image[531], 'U');  // gender
  EXPECT_EQ(image[532], 'S');  // report type
  EXPECT_EQ(image[533], 0x3F);
  EXPECT_EQ(image[534], 0x37);
  EXPECT_EQ(image[628], '0');  // entry method
  for (std::size_t i = 629; i < kImageXorOffset; ++i) {
    EXPECT_EQ(image[i], kPadByte);
  }
  ResponseRecord back;
  ASSERT_TRUE(DecodePlainImage(image, &back));
  EXPECT_EQ(back.StoredResponse(1), 15);
  EXPECT_EQ(back.StoredResponse(2), 3);
  EXPECT_EQ(back.StoredResponse(3), 7);
  EXPECT_EQ(back.Text(TextField::kFirstName), "Al");
}

TEST(RecordImageTest, UnknownCodesReadAsDefaults) {
  ResponseRecord record =
      TestRecord(kSelfReport, {.first = "A", .last = "B", .birthDate = "19700101", .seed = 1});
  PlainImage image = EncodePlainImage(record);
  image[532] = 'Q';   // report type
  image[628] = '9';   // entry method
  Rechecksum(image);  // so that only the codes differ
  ResponseRecord back;
  ASSERT_TRUE(DecodePlainImage(image, &back));
  EXPECT_EQ(back.ReportType(), kReportTypeUnset);
  EXPECT_EQ(back.EntryMethod(), kEnteredOnScreen);
}

TEST(RecordImageTest, AnySingleChangedByteIsCorruptAndChangesNothing) {
  const ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  const PlainImage image = EncodePlainImage(record);
  const ResponseRecord before = TestRecord(
      kObserverReport, {.first = "Sam", .last = "Other", .birthDate = "19800101", .seed = 1});
  for (std::size_t i = 0; i < kPlainImageSize; ++i) {
    PlainImage damaged = image;
    damaged[i] ^= 0x01;
    ResponseRecord target = before;
    ASSERT_FALSE(DecodePlainImage(damaged, &target)) << "byte " << i;
    EXPECT_TRUE(target.IsSameAs(before));
  }
}

TEST(RecordImageTest, DamagedStoredBytesAreReportedCorrupt) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
  StoredRecord stored = BuildImage(record);
  EXPECT_EQ(record.Text(TextField::kSavedStamp).size(), 14u);  // stamped now
  stored[100] ^= 0x10;
  ResponseRecord target;
  EXPECT_EQ(LoadImage(target, stored.data()), FileStatus::kCorruptRecord);
  EXPECT_TRUE(target.Text(TextField::kLastName).empty());
}

TEST(RecordImageTest, VerificationMarkRoundTripsInTheFiller) {
  const ResponseRecord record = Verified({true, 300});
  const PlainImage image = EncodePlainImage(record);
  const std::uint8_t expected[] = {'D', 'E', 1, 3, 255, 'D' ^ 'E' ^ 1 ^ 3 ^ 255};
  for (std::size_t i = 0; i < kVerificationMarkSize; ++i) {
    EXPECT_EQ(image[kVerificationMarkOffset + i], expected[i]) << "byte " << i;
  }
  // Then the answers it vouches for: 'A' and their CRC, little-endian.
  const std::uint32_t answers = VerifiedAnswersCheck(record);
  const std::uint8_t vouched[] = {
      'A', static_cast<std::uint8_t>(answers), static_cast<std::uint8_t>(answers >> 8),
      static_cast<std::uint8_t>(answers >> 16), static_cast<std::uint8_t>(answers >> 24)};
  for (std::size_t i = 0; i < kAnswersCheckSize; ++i) {
    EXPECT_EQ(image[kAnswersCheckOffset + i], vouched[i]) << "answers byte " << i;
  }
  for (std::size_t i = kAnswersCheckOffset + kAnswersCheckSize; i < kImageXorOffset; ++i) {
    EXPECT_EQ(image[i], kPadByte);
  }
  // Everything but the mark is the image of the same record unmarked, so a reader that
  // ignores the filler reads the same record (its checksums are right).
  ResponseRecord unmarked = record;
  unmarked.SetVerification(std::nullopt);
  PlainImage plain = EncodePlainImage(unmarked);
  std::copy_n(image.begin() + kVerificationMarkOffset, kVerificationMarkSize + kAnswersCheckSize,
              plain.begin() + kVerificationMarkOffset);
  Rechecksum(plain);
  EXPECT_EQ(plain, image);

  ResponseRecord back;
  ResponseRecord toStore = record;
  const StoredRecord stored = BuildImage(toStore, "20261208101500");
  ASSERT_EQ(LoadImage(back, stored.data()), FileStatus::kOk);
  EXPECT_EQ(back.GetVerification(), (Verification{true, 255}));
  ASSERT_TRUE(DecodePlainImage(EncodePlainImage(Verified({false, 2})), &back));
  EXPECT_EQ(back.GetVerification(), (Verification{false, 2}));
  ASSERT_TRUE(DecodePlainImage(EncodePlainImage(unmarked), &back));
  EXPECT_FALSE(back.GetVerification());
}

TEST(RecordImageTest, DamagedOrForeignMarkReadsAsNotMarked) {
  const PlainImage marked = EncodePlainImage(Verified({true, 3}));
  const auto at = [](std::size_t i) { return kVerificationMarkOffset + i; };
  struct Damage {
    const char* what;
    std::size_t byte;
    std::uint8_t value;
  };
  const Damage damages[] = {{"first letter", at(0), 'X'},
                            {"second letter", at(1), 'X'},
                            {"version 0", at(2), 0},
                            {"version 2", at(2), 2},
                            {"not verified", at(3), 2},
                            {"unknown flag", at(3), 0x07},
                            {"count", at(4), 4},
                            {"check byte", at(5), 0xFF},
                            {"filler start", at(0), kPadByte}};
  for (const Damage& damage : damages) {
    PlainImage image = marked;
    image[damage.byte] = damage.value;
    Rechecksum(image);
    ResponseRecord back;
    ASSERT_TRUE(DecodePlainImage(image, &back)) << damage.what;
    EXPECT_FALSE(back.GetVerification()) << damage.what;
    EXPECT_TRUE(back.IsSameAs(Verified({true, 3}))) << damage.what;  // the rest reads as ever
  }
}

TEST(RecordImageTest, TheMarkHoldsOnlyForTheAnswersItVouchesFor) {
  const ResponseRecord record = Verified({false, 2});
  const PlainImage marked = EncodePlainImage(record);
  // Another program changes a response or the date of birth and mends the checksums.
  const PlainImage images[] = {
      ChangedBehindTheMark(record,
                           [](ResponseRecord& r) { r.SetResponse(7, (r.GetResponse(7) + 1) % 6); }),
      ChangedBehindTheMark(record, [](ResponseRecord& r) { r.SetResponse(190, -1); }),
      ChangedBehindTheMark(
          record, [](ResponseRecord& r) { r.SetText(TextField::kBirthDate, "19750308"); })};
  for (const PlainImage& image : images) {
    ResponseRecord back;
    MarkState state = MarkState::kVerified;
    ASSERT_TRUE(DecodePlainImage(image, &back, &state));
    EXPECT_EQ(state, MarkState::kBroken);
    EXPECT_FALSE(back.GetVerification());
  }
  // A mark of old, six bytes and filler after them, still reads as verified.
  PlainImage old = marked;
  std::fill_n(old.begin() + kAnswersCheckOffset, kAnswersCheckSize, kPadByte);
  Rechecksum(old);
  ResponseRecord back;
  MarkState state = MarkState::kNone;
  ASSERT_TRUE(DecodePlainImage(old, &back, &state));
  EXPECT_EQ(state, MarkState::kVerified);
  EXPECT_EQ(back.GetVerification(), (Verification{false, 2}));
  ASSERT_TRUE(DecodePlainImage(marked, &back, &state));
  EXPECT_EQ(state, MarkState::kVerified);
}

TEST(RecordImageTest, ChangingAResponseOrTheBirthDateDropsTheMark) {
  ResponseRecord record = Verified({false, 1});
  record.SetResponse(5, record.GetResponse(5));  // the same answer again
  record.SetText(TextField::kBirthDate, "19750307");
  record.SetText(TextField::kComments, "a note");
  EXPECT_TRUE(record.GetVerification());
  record.SetResponse(5, (record.GetResponse(5) + 2) % 6);
  EXPECT_FALSE(record.GetVerification());
  record = Verified({false, 1});
  record.SetText(TextField::kBirthDate, "19750308");
  EXPECT_FALSE(record.GetVerification());
  record = Verified({false, 1});
  record.Clear();
  EXPECT_FALSE(record.GetVerification());
}

}  // namespace
}  // namespace acv
