// Sizes and offsets of the response file, shared by its reader and writer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace acv {

inline constexpr std::size_t kPlainBlockSize = 80;    // one scrambler input block
inline constexpr std::size_t kStoredBlockSize = 243;  // 81 three-byte integers
inline constexpr std::size_t kBlocksPerRecord = 9;
inline constexpr std::size_t kPlainImageSize = kPlainBlockSize * kBlocksPerRecord;  // 720
inline constexpr std::size_t kRecordSize = kStoredBlockSize * kBlocksPerRecord;     // 2187
inline constexpr std::size_t kFileHeaderSize = 243;  // plain header, zero byte, ignored bytes
inline constexpr std::size_t kHeaderTextSize = 80;   // the plain header proper
inline constexpr int kMaxRecords = 657;
inline constexpr std::size_t kMinFileSize = kFileHeaderSize + kRecordSize;  // 2430
inline constexpr std::size_t kMaxFileSize = kFileHeaderSize + kRecordSize * kMaxRecords;

// Plain image layout: the fields end at 629, then filler, then the two checksums.
inline constexpr std::size_t kImageFieldsSize = 629;
inline constexpr std::size_t kImageXorOffset = 715;
inline constexpr std::size_t kImageSumOffset = 716;
inline constexpr std::uint8_t kPadByte = 0x80;

inline constexpr std::string_view kVersionText = "ACV 4.0   ";  // header bytes 0..9
inline constexpr std::string_view kMagic = "ACV";               // all that is checked
inline constexpr std::size_t kCreatedStampOffset = 10;
inline constexpr std::size_t kModifiedStampOffset = 24;
inline constexpr std::size_t kStampSize = 14;

inline constexpr std::string_view kResponseFileSuffix = ".cvr";

using PlainBlock = std::array<std::uint8_t, kPlainBlockSize>;
using StoredBlock = std::array<std::uint8_t, kStoredBlockSize>;
using PlainImage = std::array<std::uint8_t, kPlainImageSize>;
using StoredRecord = std::array<std::uint8_t, kRecordSize>;

}  // namespace acv
