// tests/data/known_good.cvr, written once by this program: every field it holds still reads as
// written (its verification mark of old too), and the same records are still written to the
// same bytes. A record's stored bytes carry random filler, so records are compared as the plain
// images they unscramble to. tests/data/hand_laid.cvr holds one record laid out byte by byte by
// tests/data/lay_record.py, with none of the program's code, so that a misreading of the layout
// shared by the program's reader and writer would still be caught.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/format/file_layout.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"
#include "storage/format/response_file.h"
#include "storage/records/record_store.h"
#include "support/plain_image.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

struct KnownRecord {
  int type;
  char gender;
  char entryMethod;
  std::optional<Verification> verification;
  std::array<std::string_view, kTextFieldCount> texts;  // in field order, the saved stamp too
  std::string_view responses;                           // items 1..190, a blank as ' '
};

const std::vector<KnownRecord>& KnownRecords() {
  static const std::vector<KnownRecord> records = {
      {kSelfReport,
       'F',
       kEnteredOnScreen,
       std::nullopt,
       {"Harriet", "Okonkwo-Lindqvist", "Flat 3, 27 Larch Street", "Northcote", "VIC", "3070",
        "03 5550 0142", "0400 555 017", "Australia", "h.okonkwo@example.com", "19610923",
        "20261204093012", "20261203", "", "", "",
        "Typed on screen; caf\xe9 \"quoted\", {braces} and a back\\slash\r\nsecond line"},
       "11043150552012024145535040422311044540524221325412"
       "25513024032424335124234024444435430032033014130031"
       "10432122513004155155001301430035414255335055204200"
       "1425020155435210012501423010204341320541"},
      {kObserverReport,
       'M',
       kEnteredFromPaper,
       Verification{true, 2},
       {"Tomasz", "Brennan", "PO Box 88", "Geelong", "VIC", "3220", "03 5550 0177", "", "Australia",
        "", "19880215", "20261204093107", "20261129", "Siobhan Brennan", "Spouse", "03 5550 0178",
        "Entered from paper and checked by a second typing."},
       "03 033  0  43314122500 240 0403 3  25540 125443442"
       "5  23  51 3210 530235050101112445 5503540330154051"
       "1 522 4  52 43350 4312342 04321 52 153 2  0   5340"
       "112 13 42024335  2   4333440335 5135 522"},
      {kSelfReport,
       'U',
       kEnteredFromPaper,
       std::nullopt,
       {"Li", "Wei", "", "", "", "", "", "", "", "", "20000101", "20261204093158", "20261204", "",
        "", "", ""},
       "0      4      4      4      2      5      0      1"
       "      5      4      5      1      3      1      0 "
       "     2      4      5      5      2      0      0  "
       "    1      3      2      1      3      1"},
  };
  return records;
}

// The record of hand_laid.cvr, as lay_record.py lays it out.
KnownRecord HandLaidRecord() {
  std::string responses;
  for (int item = 1; item <= kItemCount; ++item) {
    responses += item >= 189 || item % 7 == 0 ? ' ' : static_cast<char>('0' + item % 6);
  }
  static const std::string kept = responses;
  return {
      kSelfReport,
      'F',
      kEnteredFromPaper,
      std::nullopt,
      {"Marguerite", "Nakamura-O'Dwyer", "Unit 12, 400 Wattle Grove Road", "Bendigo", "VIC", "3550",
       "03 5550 0199", "", "Australia", "m.nakamura@example.org", "19790611", "20261208154233",
       "20261207", "", "", "", "Laid out by hand: Z\xfcrich, na\xefve, \xa3 and \xe9"},
      kept};
}

std::string KnownGoodFile() {
  return std::string(ACV_TEST_DATA) + "/known_good.cvr";
}

void ExpectFields(const ResponseRecord& record, const KnownRecord& known);
ResponseRecord FromKnown(const KnownRecord& known);

std::string Responses(const ResponseRecord& record) {
  std::string responses;
  for (int item = 1; item <= kItemCount; ++item) {
    responses += record.GetResponseChar(item);
  }
  return responses;
}

// The plain images of the records of a response file's bytes.
std::vector<PlainImage> PlainImages(const std::string& bytes) {
  std::vector<PlainImage> images;
  for (long long at = RecordOffset(0); at < static_cast<long long>(bytes.size());
       at += static_cast<long long>(kRecordSize)) {
    RecordScrambler::Unscramble(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at,
                                &images.emplace_back());
  }
  return images;
}

std::string HeaderAsWritten(const std::string& bytes, int count) {
  const auto header = EncodeHeader(bytes.substr(kCreatedStampOffset, kStampSize),
                                   bytes.substr(kModifiedStampOffset, kStampSize), {count});
  return std::string(header.begin(), header.end());
}

TEST(KnownGoodFileTest, EveryFieldReadsAsWritten) {
  const std::vector<KnownRecord>& known = KnownRecords();
  for (std::size_t i = 0; i < known.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    ResponseRecord record;
    ASSERT_EQ(ReadRecord(KnownGoodFile(), static_cast<int>(i), &record), FileStatus::kOk);
    ExpectFields(record, known[i]);
  }
  ResponseRecord beyond;
  EXPECT_EQ(ReadRecord(KnownGoodFile(), static_cast<int>(known.size()), &beyond),
            FileStatus::kIndexBeyondEnd);
}

TEST(KnownGoodFileTest, TheSameRecordsAreWrittenToTheSameBytes) {
  std::vector<StoredRecord> stored;
  for (const KnownRecord& known : KnownRecords()) {
    ResponseRecord record = FromKnown(known);
    stored.push_back(
        BuildImage(record, std::string(known.texts[static_cast<int>(TextField::kSavedStamp)])));
  }
  const testing::TempDir dir;
  const std::string name = dir.File("again.cvr");
  ASSERT_EQ(ResponseFile::WriteNewFile(name, stored), FileStatus::kOk);

  // The header differs only by its stamps, which the commit mark repeats; the records not at
  // all.
  const std::string fixture = testing::ReadBytes(KnownGoodFile());
  const std::string again = testing::ReadBytes(name);
  const int count = static_cast<int>(stored.size());
  EXPECT_EQ(fixture.substr(0, kFileHeaderSize), HeaderAsWritten(fixture, count));
  EXPECT_EQ(again.substr(0, kFileHeaderSize), HeaderAsWritten(again, count));
  EXPECT_EQ(again.size(), fixture.size());
  // The one change since the file was written: a verification mark now vouches for its answers
  // in the five bytes after it, where the fixture's mark of old has filler (and still reads as
  // verified, above). Set aside, the images are the same.
  std::vector<PlainImage> images = PlainImages(again);
  for (std::size_t i = 0; i < images.size(); ++i) {
    PlainImage& image = images[i];
    ResponseRecord record;
    ASSERT_TRUE(DecodePlainImage(image, &record));
    ASSERT_EQ(image[kAnswersCheckOffset] == kAnswersCheckTag,
              KnownRecords()[i].verification.has_value());
    if (image[kAnswersCheckOffset] == kAnswersCheckTag) {
      std::fill_n(image.begin() + kAnswersCheckOffset, kAnswersCheckSize, kPadByte);
      testing::Rechecksum(image);
    }
  }
  EXPECT_EQ(images, PlainImages(fixture));
}

TEST(KnownGoodFileTest, ARecordLaidOutByHandReadsAndIsWrittenAsLaid) {
  const std::string file = std::string(ACV_TEST_DATA) + "/hand_laid.cvr";
  const KnownRecord known = HandLaidRecord();
  ResponseRecord record;
  ASSERT_EQ(ReadRecord(file, 0, &record), FileStatus::kOk);
  ExpectFields(record, known);
  // Written by the program, the same fields make the same plain image; only the scrambler's
  // random filler differs in the stored bytes. The two never-set answers are written as blanks.
  ResponseRecord again = FromKnown(known);
  const StoredRecord written = BuildImage(again, "20261208154233");
  const std::string laid = testing::ReadBytes(file);
  PlainImage expected = PlainImages(laid).front();
  constexpr int kItem189Byte = 533 + 94;  // items 189 and 190: never set (15), then blank (7)
  ASSERT_EQ(expected[kItem189Byte], 0xFF);
  expected[kItem189Byte] = 0x77;
  testing::Rechecksum(expected);
  EXPECT_EQ(PlainImages(std::string(laid.substr(0, kFileHeaderSize)) +
                        std::string(written.begin(), written.end()))
                .front(),
            expected);
}

void ExpectFields(const ResponseRecord& record, const KnownRecord& known) {
  for (int field = 0; field < kTextFieldCount; ++field) {
    EXPECT_EQ(record.Text(static_cast<TextField>(field)), known.texts[field]) << "field " << field;
  }
  EXPECT_EQ(record.ReportType(), known.type);
  EXPECT_EQ(record.Gender(), known.gender);
  EXPECT_EQ(record.EntryMethod(), known.entryMethod);
  EXPECT_EQ(record.GetVerification(), known.verification);
  EXPECT_EQ(Responses(record), known.responses);
}

ResponseRecord FromKnown(const KnownRecord& known) {
  ResponseRecord record;
  record.SetReportType(known.type);
  record.SetGender(known.gender);
  record.SetEntryMethod(known.entryMethod);
  for (int field = 0; field < kTextFieldCount; ++field) {
    record.SetText(static_cast<TextField>(field), known.texts[field]);
  }
  testing::AnswerEvery(record, [&](int item) {
    return ResponseRecord::ParsePaperResponse(
        known.responses.substr(static_cast<std::size_t>(item - 1), 1));
  });
  record.SetVerification(known.verification);
  return record;
}

}  // namespace
}  // namespace acv
