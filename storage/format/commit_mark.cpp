#include "storage/format/commit_mark.h"

#include <array>
#include <cstring>

#include "storage/format/coding.h"

namespace acv {
namespace {

constexpr std::uint32_t kNoPending = 0xFFFFFFFF;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) {
      c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    table[n] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t previous) {
  std::uint32_t crc = previous ^ 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

void EncodeCommitMark(const CommitMark& mark, std::uint8_t* header) {
  std::memset(header + kMarkOffset, 0, kFileHeaderSize - kMarkOffset);
  std::memcpy(header + kMarkOffset, kMarkTag.data(), kMarkTag.size());
  EncodeFixed32(header + kMarkCountOffset, static_cast<std::uint32_t>(mark.count));
  EncodeFixed32(header + kMarkPendingOffset,
                mark.pending < 0 ? kNoPending : static_cast<std::uint32_t>(mark.pending));
  std::memcpy(header + kMarkStampOffset, header + kModifiedStampOffset, kStampSize);
  EncodeFixed32(header + kMarkCrcOffset, Crc32(header + kMarkOffset, kMarkCrcOffset - kMarkOffset));
  if (mark.appending > 0) {
    EncodeFixed16(header + kMarkAppendingOffset, static_cast<std::uint16_t>(mark.appending));
    EncodeFixed32(header + kMarkAppendingCrcOffset,
                  Crc32(header + kMarkOffset, kMarkAppendingCrcOffset - kMarkOffset));
  }
}

std::optional<CommitMark> DecodeCommitMark(const std::uint8_t* header) {
  if (std::memcmp(header + kMarkOffset, kMarkTag.data(), kMarkTag.size()) != 0 ||
      DecodeFixed32(header + kMarkCrcOffset) !=
          Crc32(header + kMarkOffset, kMarkCrcOffset - kMarkOffset) ||
      std::memcmp(header + kMarkStampOffset, header + kModifiedStampOffset, kStampSize) != 0) {
    return std::nullopt;
  }
  const std::uint32_t count = DecodeFixed32(header + kMarkCountOffset);
  const std::uint32_t pending = DecodeFixed32(header + kMarkPendingOffset);
  if (count > static_cast<std::uint32_t>(kMaxRecords) ||
      (pending != kNoPending && pending >= count)) {
    return std::nullopt;
  }
  // An append's notice that fails its own checksum counts as none: what it would have covered
  // is then kept.
  const std::uint32_t appending = DecodeFixed16(header + kMarkAppendingOffset);
  const bool noticed = appending <= static_cast<std::uint32_t>(kMaxRecords) &&
                       DecodeFixed32(header + kMarkAppendingCrcOffset) ==
                           Crc32(header + kMarkOffset, kMarkAppendingCrcOffset - kMarkOffset);
  return CommitMark{static_cast<int>(count), pending == kNoPending ? -1 : static_cast<int>(pending),
                    noticed ? static_cast<int>(appending) : 0};
}

}  // namespace acv
