#include "storage/format/verification_mark.h"

#include <algorithm>
#include <string>

#include "storage/format/coding.h"
#include "storage/format/commit_mark.h"

namespace acv {
namespace {

constexpr std::size_t kCheckOffset = kVerificationMarkOffset + kVerificationMarkSize - 1;
constexpr std::size_t kBirthDateChars = 8;

std::uint8_t Check(const PlainImage& image) {
  std::uint8_t check = 0;
  for (std::size_t i = kVerificationMarkOffset; i < kCheckOffset; ++i) {
    check ^= image[i];
  }
  return check;
}

}  // namespace

std::uint32_t VerifiedAnswersCheck(const ResponseRecord& record) {
  std::string answers;
  answers.reserve(kItemCount + kBirthDateChars);
  for (int item = 1; item <= kItemCount; ++item) {
    answers += record.GetResponseChar(item);
  }
  std::string birth(record.Text(TextField::kBirthDate));
  birth.resize(kBirthDateChars, ' ');
  answers += birth;
  return Crc32(reinterpret_cast<const std::uint8_t*>(answers.data()), answers.size());
}

void EncodeVerificationMark(const ResponseRecord& record, PlainImage* image) {
  const std::optional<Verification>& verification = record.GetVerification();
  if (!verification) {
    return;
  }
  PlainImage& bytes = *image;
  std::uint8_t* mark = bytes.data() + kVerificationMarkOffset;
  mark[0] = 'D';
  mark[1] = 'E';
  mark[2] = kVerificationMarkVersion;
  mark[3] = kVerifiedFlag | (verification->byAnotherPerson ? kByAnotherPersonFlag : 0);
  mark[4] = static_cast<std::uint8_t>(std::clamp(verification->differencesResolved, 0, 255));
  mark[5] = Check(bytes);
  bytes[kAnswersCheckOffset] = kAnswersCheckTag;
  EncodeFixed32(bytes.data() + kAnswersCheckOffset + 1, VerifiedAnswersCheck(record));
}

MarkState DecodeVerificationMark(const PlainImage& image, const ResponseRecord& record,
                                 std::optional<Verification>* verification) {
  verification->reset();
  const std::uint8_t* mark = image.data() + kVerificationMarkOffset;
  const std::uint8_t flags = mark[3];
  if (mark[0] != 'D' || mark[1] != 'E' || mark[2] != kVerificationMarkVersion ||
      (flags & ~(kVerifiedFlag | kByAnotherPersonFlag)) != 0 || (flags & kVerifiedFlag) == 0 ||
      mark[5] != Check(image)) {
    return MarkState::kNone;
  }
  const std::uint8_t tag = image[kAnswersCheckOffset];
  const bool vouched = tag == kPadByte || (tag == kAnswersCheckTag &&
                                           DecodeFixed32(image.data() + kAnswersCheckOffset + 1) ==
                                               VerifiedAnswersCheck(record));
  if (!vouched) {
    return MarkState::kBroken;
  }
  *verification = Verification{(flags & kByAnotherPersonFlag) != 0, mark[4]};
  return MarkState::kVerified;
}

}  // namespace acv
