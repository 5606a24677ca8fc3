// The verification mark: that a record's responses and date of birth were checked by double
// entry, kept in the plain image's filler (bytes 629..714, 0x80, which readers ignore and the
// checksums cover), so that a reader without the mark still reads a marked record.
//
//   629-630  "DE"
//   631      version (1)
//   632      flags: 1 verified (always set), 2 the second typing by another person
//   633      differences resolved (up to 255)
//   634      XOR of bytes 629..633
//   635      'A': the answers the mark vouches for follow
//   636-639  CRC-32 (little-endian) of those answers: the 190 responses as the characters
//            '0'..'5' (a blank as ' ') in item order, then the date of birth as its eight
//            stored characters (blanks after a shorter text)
//
// The rest of the filler stays 0x80. Any other bytes at 629..634 read as not marked, so an
// unmarked record is written exactly as before. A mark written before the answers were vouched
// for has 0x80 at 635 and still reads as verified; a mark whose answers no longer match (another
// program changed a response and mended the checksums) reads as broken: the record is read as
// unverified.
#pragma once

#include <optional>

#include "engine/response_record.h"
#include "storage/format/format.h"

namespace acv {

inline constexpr std::size_t kVerificationMarkOffset = kImageFieldsSize;  // 629
inline constexpr std::size_t kVerificationMarkSize = 6;                   // the mark of old
inline constexpr std::size_t kAnswersCheckOffset = kVerificationMarkOffset + kVerificationMarkSize;
inline constexpr std::size_t kAnswersCheckSize = 5;  // 'A' and the CRC
inline constexpr std::uint8_t kVerificationMarkVersion = 1;
inline constexpr std::uint8_t kVerifiedFlag = 1;
inline constexpr std::uint8_t kByAnotherPersonFlag = 2;
inline constexpr std::uint8_t kAnswersCheckTag = 'A';
static_assert(kAnswersCheckOffset + kAnswersCheckSize <= kImageXorOffset);

// What a record's filler says of its verification.
enum class MarkState {
  kNone,      // no mark (or bytes that are not one)
  kVerified,  // a whole mark, its answers those of the record (or a mark of old)
  kBroken,    // a whole mark whose answers are no longer the record's
};

// The CRC-32 of the answers a mark vouches for, as laid out above.
std::uint32_t VerifiedAnswersCheck(const ResponseRecord& record);

// Writes the mark of `record`'s verification, with its answers, into `image`, whose fields are
// in place; an unverified record leaves the filler as it is.
void EncodeVerificationMark(const ResponseRecord& record, PlainImage* image);
// What the mark of `image` says of `record`, read from its fields; `verification` is set only
// for kVerified.
MarkState DecodeVerificationMark(const PlainImage& image, const ResponseRecord& record,
                                 std::optional<Verification>* verification);

}  // namespace acv
