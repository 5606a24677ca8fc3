// Plain images as another program leaves them: bytes changed, then the checksums mended.
#pragma once

#include <algorithm>
#include <functional>

#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"

namespace acv::testing {

// Sets both checksums of `image` right again after a test changed its bytes.
inline void Rechecksum(PlainImage& image) {
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
}

// The image of `verified` after a program that does not know the verification mark applied
// `change` to its fields: the mark's bytes as they were, the checksums mended.
inline PlainImage ChangedBehindTheMark(const ResponseRecord& verified,
                                       const std::function<void(ResponseRecord&)>& change) {
  const PlainImage marked = EncodePlainImage(verified);
  ResponseRecord other = verified;
  change(other);
  PlainImage image = EncodePlainImage(other);
  std::copy_n(marked.begin() + kVerificationMarkOffset, kVerificationMarkSize + kAnswersCheckSize,
              image.begin() + kVerificationMarkOffset);
  Rechecksum(image);
  return image;
}

inline StoredRecord Scrambled(const PlainImage& image) {
  StoredRecord stored{};
  RecordScrambler().Scramble(image, &stored);
  return stored;
}

}  // namespace acv::testing
