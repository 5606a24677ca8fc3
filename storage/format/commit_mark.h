// The commit mark: a small checksummed record in header bytes 81..242, which readers of the
// format ignore. It says how many records the last completed write left in the file, so that
// bytes of a write that was cut short (a crash, a kill, a full disk) are never read as records.
//
//   81..88    "ACVMARK1"
//   89..92    committed record count, 32-bit little-endian
//   93..96    a record being rewritten in place (0xFFFFFFFF: none); its new bytes wait in the
//             slot just after the committed records until they are copied into place
//   97..110   the header's modified stamp when the mark was written
//   111..114  CRC-32 of bytes 81..110, little-endian
//   115..116  records of an append under way, written after the committed ones but not yet
//             committed (0 for none), 16-bit little-endian
//   117..120  CRC-32 of bytes 81..116, little-endian
//   121..242  zero
//
// An append first says, in the mark, how many records it is about to write; whole records found
// after the committed ones beyond that number were put there by someone else, and are never cut.
// A mark is honoured only while its checksum holds and its stamp is the header's modified
// stamp: a program that rewrites the header without knowing the mark changes the stamp, and its
// records are then counted by the file's length as before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "storage/format/format.h"

namespace acv {

inline constexpr std::string_view kMarkTag = "ACVMARK1";
inline constexpr std::size_t kMarkOffset = kIgnoredOffset;  // 81
inline constexpr std::size_t kMarkCountOffset = kMarkOffset + 8;
inline constexpr std::size_t kMarkPendingOffset = kMarkCountOffset + 4;
inline constexpr std::size_t kMarkStampOffset = kMarkPendingOffset + 4;
inline constexpr std::size_t kMarkCrcOffset = kMarkStampOffset + kStampSize;
inline constexpr std::size_t kMarkSize = kMarkCrcOffset + 4 - kMarkOffset;    // 34
inline constexpr std::size_t kMarkAppendingOffset = kMarkOffset + kMarkSize;  // 115
inline constexpr std::size_t kMarkAppendingCrcOffset = kMarkAppendingOffset + 2;
static_assert(kMarkAppendingCrcOffset + 4 <= kFileHeaderSize);

struct CommitMark {
  int count = 0;      // committed records
  int pending = -1;   // record whose rewrite waits in slot `count`, or -1
  int appending = 0;  // records an append is writing after slot `count` - 1, not committed
};

// CRC-32 (the polynomial of zip and PNG) of `size` bytes. Given the CRC of the bytes before
// them as `previous`, the CRC of both runs together.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous = 0);

// Writes `mark` into a 243-byte header whose modified stamp is already in place.
void EncodeCommitMark(const CommitMark& mark, std::uint8_t* header);
// The mark of a 243-byte header, when it has one that holds (tag, checksum, stamp, sane count).
std::optional<CommitMark> DecodeCommitMark(const std::uint8_t* header);

}  // namespace acv
