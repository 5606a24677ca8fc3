// The verification mark: that a record's responses and date of birth were checked by double
// entry, kept in the plain image's filler (bytes 629..714, 0x80, which readers ignore and the
// checksums cover), so that a reader without the mark still reads a marked record.
//
//   629-630  "DE"
//   631      version (1)
//   632      flags: 1 verified (always set), 2 the second typing by another person
//   633      differences resolved (up to 255)
//   634      XOR of bytes 629..633
//
// The rest of the filler stays 0x80. Any other bytes at 629..634 read as not marked, so an
// unmarked record is written exactly as before.
#pragma once

#include <optional>

#include "engine/response_record.h"
#include "storage/format.h"

namespace acv {

inline constexpr std::size_t kVerificationMarkOffset = kImageFieldsSize;  // 629
inline constexpr std::size_t kVerificationMarkSize = 6;
inline constexpr std::uint8_t kVerificationMarkVersion = 1;
inline constexpr std::uint8_t kVerifiedFlag = 1;
inline constexpr std::uint8_t kByAnotherPersonFlag = 2;
static_assert(kVerificationMarkOffset + kVerificationMarkSize <= kImageXorOffset);

// Writes the mark of `verification` into `image`; nothing leaves the filler as it is.
void EncodeVerificationMark(const std::optional<Verification>& verification, PlainImage* image);
// The mark `image` holds; nothing when the bytes are not a whole mark of this version.
std::optional<Verification> DecodeVerificationMark(const PlainImage& image);

}  // namespace acv
