// storage/format/: the ground floor of storage, the .cvr file itself (layout, record image,
// scrambler, commit and verification marks, locked files, reader, writer, whole-file writer).
//
// Sizes, offsets and fixed texts of the response file, shared by its reader and writer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace acv {

// Records: 80-byte plain blocks, each scrambled into 81 three-byte integers.
inline constexpr std::size_t kPlainBlockSize = 80;    // one scrambler input block
inline constexpr std::size_t kStoredBlockSize = 243;  // 81 three-byte integers
inline constexpr std::size_t kBlocksPerRecord = 9;
inline constexpr std::size_t kPlainImageSize = kPlainBlockSize * kBlocksPerRecord;  // 720
inline constexpr std::size_t kRecordSize = kStoredBlockSize * kBlocksPerRecord;     // 2187

// The file: a 243-byte header, then at most 657 records.
inline constexpr std::size_t kFileHeaderSize = 243;  // plain header, zero byte, ignored bytes
inline constexpr std::size_t kHeaderTextSize = 80;   // the plain header proper
inline constexpr int kMaxRecords = 657;
inline constexpr std::size_t kMinFileSize = kFileHeaderSize + kRecordSize;  // 2430
inline constexpr std::size_t kMaxFileSize = kFileHeaderSize + kRecordSize * kMaxRecords;

// Header bytes 0..79: version text, two stamps, blanks; byte 80 is zero.
inline constexpr std::string_view kVersionText = "ACV 4.0   ";  // header bytes 0..9
inline constexpr std::string_view kMagic = "ACV";               // all that is checked
inline constexpr std::size_t kCreatedStampOffset = 10;
inline constexpr std::size_t kModifiedStampOffset = 24;
inline constexpr std::size_t kStampSize = 14;  // YYYYMMDDhhmmss, local time
inline constexpr std::size_t kHeaderBlanksOffset = kModifiedStampOffset + kStampSize;  // 38
inline constexpr std::size_t kHeaderBlanks = kHeaderTextSize - kHeaderBlanksOffset;    // 42
// Header bytes 81..242 are ignored by readers; this program keeps its commit mark there.
inline constexpr std::size_t kIgnoredOffset = kHeaderTextSize + 1;  // 81

// Plain image layout: the text fields from 0 in field order, then gender, report type, the
// responses two to a byte, the entry method; filler to 715, then the two checksums.
inline constexpr std::size_t kGenderOffset = 531;
inline constexpr std::size_t kReportTypeOffset = 532;
inline constexpr std::size_t kResponsesOffset = 533;
inline constexpr std::size_t kResponseBytes = 95;  // 190 four-bit responses
inline constexpr std::size_t kEntryMethodOffset = 628;
inline constexpr std::size_t kImageFieldsSize = 629;
inline constexpr std::size_t kImageXorOffset = 715;  // XOR of bytes 0..714
inline constexpr std::size_t kImageSumOffset = 716;  // their 32-bit sum, little-endian
inline constexpr std::uint8_t kPadByte = 0x80;
static_assert(kEntryMethodOffset + 1 == kImageFieldsSize);
static_assert(kResponsesOffset + kResponseBytes == kEntryMethodOffset);

inline constexpr std::string_view kResponseFileSuffix = ".cvr";

using PlainBlock = std::array<std::uint8_t, kPlainBlockSize>;
using StoredBlock = std::array<std::uint8_t, kStoredBlockSize>;
using PlainImage = std::array<std::uint8_t, kPlainImageSize>;
using StoredRecord = std::array<std::uint8_t, kRecordSize>;

}  // namespace acv
