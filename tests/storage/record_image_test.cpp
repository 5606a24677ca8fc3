#include "storage/record_image.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::Person;

TEST(RecordImageTest, RoundTripKeepsEveryField) {
  ResponseRecord record = Person("Alex", "Morgan", "19750307", kObserverReport);
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
  ResponseRecord record = Person("A", "B", "19700101", kSelfReport);
  PlainImage image = EncodePlainImage(record);
  image[532] = 'Q';  // report type
  image[628] = '9';  // entry method
  // Keep the checksums right so only the codes differ.
  std::uint8_t x = 0;
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < kImageXorOffset; ++i) {
    x ^= image[i];
    sum += image[i];
  }
  image[kImageXorOffset] = x;
  for (int b = 0; b < 4; ++b) {
    image[kImageSumOffset + b] = static_cast<std::uint8_t>(sum >> (8 * b));
  }
  ResponseRecord back;
  ASSERT_TRUE(DecodePlainImage(image, &back));
  EXPECT_EQ(back.ReportType(), kReportTypeUnset);
  EXPECT_EQ(back.EntryMethod(), kEnteredOnScreen);
}

TEST(RecordImageTest, AnySingleChangedByteIsCorruptAndChangesNothing) {
  const ResponseRecord record = Person("Alex", "Morgan", "19750307", kSelfReport);
  const PlainImage image = EncodePlainImage(record);
  const ResponseRecord before = Person("Sam", "Other", "19800101", kObserverReport);
  for (std::size_t i = 0; i < kPlainImageSize; ++i) {
    PlainImage damaged = image;
    damaged[i] ^= 0x01;
    ResponseRecord target = before;
    ASSERT_FALSE(DecodePlainImage(damaged, &target)) << "byte " << i;
    EXPECT_TRUE(target.IsSameAs(before));
  }
}

TEST(RecordImageTest, DamagedStoredBytesAreReportedCorrupt) {
  ResponseRecord record = Person("Alex", "Morgan", "19750307", kSelfReport);
  StoredRecord stored = BuildImage(record);
  EXPECT_EQ(record.Text(TextField::kSavedStamp).size(), 14u);  // stamped now
  stored[100] ^= 0x10;
  ResponseRecord target;
  EXPECT_EQ(LoadImage(target, stored.data()), FileStatus::kCorruptRecord);
  EXPECT_TRUE(target.Text(TextField::kLastName).empty());
}

}  // namespace
}  // namespace acv
