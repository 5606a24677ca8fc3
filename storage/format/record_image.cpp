#include "storage/format/record_image.h"

#include <cstring>
#include <ctime>

#include "storage/format/coding.h"
#include "storage/format/record_scrambler.h"
#include "storage/format/verification_mark.h"

namespace acv {
namespace {

constexpr std::uint8_t kNeverSetNibble = 15;

// Offset of each text field in the image; the fields follow one another in TextField order.
constexpr std::array<std::size_t, kTextFieldCount> TextOffsets() {
  std::array<std::size_t, kTextFieldCount> offsets{};
  std::size_t at = 0;
  for (int i = 0; i < kTextFieldCount; ++i) {
    offsets[i] = at;
    at += kTextFieldWidth[i];
  }
  return offsets;
}
constexpr auto kTextOffsets = TextOffsets();
static_assert(kTextOffsets[kTextFieldCount - 1] + kTextFieldWidth[kTextFieldCount - 1] ==
              kGenderOffset);

struct Checksums {
  std::uint8_t xorByte = 0;
  std::uint32_t sum = 0;
};

Checksums Compute(const PlainImage& image) {
  Checksums checks;
  for (std::size_t i = 0; i < kImageXorOffset; ++i) {
    checks.xorByte ^= image[i];
    checks.sum += image[i];
  }
  return checks;
}

std::uint8_t Nibble(const ResponseRecord& record, int item) {
  const int value = record.StoredResponse(item);
  if (value == kResponseUnset) {
    return kNeverSetNibble;
  }
  return static_cast<std::uint8_t>(value & 0x0F);
}

char ReportTypeCode(int type) {
  switch (type) {
    case kSelfReport:
      return 'S';
    case kObserverReport:
      return 'O';
    default:
      return 'U';
  }
}

}  // namespace

PlainImage EncodePlainImage(const ResponseRecord& record) {
  PlainImage image;
  image.fill(kPadByte);
  for (int i = 0; i < kTextFieldCount; ++i) {
    const std::string_view text = record.Text(static_cast<TextField>(i));
    for (std::size_t k = 0; k < text.size() && k < static_cast<std::size_t>(kTextFieldWidth[i]);
         ++k) {
      image[kTextOffsets[i] + k] = static_cast<std::uint8_t>(text[k]);
    }
  }
  image[kGenderOffset] = static_cast<std::uint8_t>(record.Gender());
  image[kReportTypeOffset] = static_cast<std::uint8_t>(ReportTypeCode(record.ReportType()));
  for (std::size_t k = 0; k < kResponseBytes; ++k) {
    const int item = static_cast<int>(2 * k + 1);
    image[kResponsesOffset + k] =
        static_cast<std::uint8_t>(Nibble(record, item) | (Nibble(record, item + 1) << 4));
  }
  image[kEntryMethodOffset] = static_cast<std::uint8_t>(record.EntryMethod());
  EncodeVerificationMark(record, &image);
  const Checksums checks = Compute(image);
  image[kImageXorOffset] = checks.xorByte;
  EncodeFixed32(image.data() + kImageSumOffset, checks.sum);
  return image;
}

bool DecodePlainImage(const PlainImage& image, ResponseRecord* record, MarkState* mark) {
  const Checksums checks = Compute(image);
  if (checks.xorByte != image[kImageXorOffset] ||
      checks.sum != DecodeFixed32(image.data() + kImageSumOffset)) {
    return false;
  }
  ResponseRecord& decoded = *record;
  decoded.Clear();
  for (int i = 0; i < kTextFieldCount; ++i) {
    // Padding ends the text.
    const auto* start = reinterpret_cast<const char*>(image.data() + kTextOffsets[i]);
    const auto width = static_cast<std::size_t>(kTextFieldWidth[i]);
    const void* pad = std::memchr(start, kPadByte, width);
    const std::size_t length =
        pad == nullptr ? width : static_cast<std::size_t>(static_cast<const char*>(pad) - start);
    decoded.SetText(static_cast<TextField>(i), std::string_view(start, length));
  }
  const std::uint8_t gender = image[kGenderOffset];
  decoded.RestoreGender(gender == kPadByte ? 'U' : static_cast<char>(gender));
  const std::uint8_t type = image[kReportTypeOffset];
  decoded.RestoreReportType(type == 'S' ? kSelfReport
                                        : (type == 'O' ? kObserverReport : kReportTypeUnset));
  for (std::size_t k = 0; k < kResponseBytes; ++k) {
    const std::uint8_t byte = image[kResponsesOffset + k];
    decoded.RestoreResponse(static_cast<int>(2 * k + 1), byte & 0x0F);
    decoded.RestoreResponse(static_cast<int>(2 * k + 2), byte >> 4);
  }
  decoded.SetEntryMethod(static_cast<char>(image[kEntryMethodOffset]));
  std::optional<Verification> verification;
  const MarkState state = DecodeVerificationMark(image, decoded, &verification);
  decoded.SetVerification(verification);
  if (mark != nullptr) {
    *mark = state;
  }
  return true;
}

std::string LocalStamp(std::int64_t seconds) {
  return FormatLocalTime(seconds, "%Y%m%d%H%M%S");
}

std::string CurrentStamp() {
  return LocalStamp(std::time(nullptr));
}

StoredRecord BuildImage(ResponseRecord& record) {
  return BuildImage(record, CurrentStamp());
}

StoredRecord BuildImage(ResponseRecord& record, const std::string& savedStamp) {
  record.SetText(TextField::kSavedStamp, savedStamp);
  StoredRecord stored{};
  RecordScrambler scrambler;
  scrambler.Scramble(EncodePlainImage(record), &stored);
  return stored;
}

FileStatus LoadImage(ResponseRecord& record, const std::uint8_t* stored, MarkState* mark) {
  PlainImage image{};
  RecordScrambler::Unscramble(stored, &image);
  return DecodePlainImage(image, &record, mark) ? FileStatus::kOk : FileStatus::kCorruptRecord;
}

}  // namespace acv
