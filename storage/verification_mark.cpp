#include "storage/verification_mark.h"

#include <algorithm>

namespace acv {
namespace {

constexpr std::size_t kCheckOffset = kVerificationMarkOffset + kVerificationMarkSize - 1;

std::uint8_t Check(const PlainImage& image) {
  std::uint8_t check = 0;
  for (std::size_t i = kVerificationMarkOffset; i < kCheckOffset; ++i) {
    check ^= image[i];
  }
  return check;
}

}  // namespace

void EncodeVerificationMark(const std::optional<Verification>& verification, PlainImage* image) {
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
}

std::optional<Verification> DecodeVerificationMark(const PlainImage& image) {
  const std::uint8_t* mark = image.data() + kVerificationMarkOffset;
  const std::uint8_t flags = mark[3];
  if (mark[0] != 'D' || mark[1] != 'E' || mark[2] != kVerificationMarkVersion ||
      (flags & ~(kVerifiedFlag | kByAnotherPersonFlag)) != 0 || (flags & kVerifiedFlag) == 0 ||
      mark[5] != Check(image)) {
    return std::nullopt;
  }
  return Verification{(flags & kByAnotherPersonFlag) != 0, mark[4]};
}

}  // namespace acv
