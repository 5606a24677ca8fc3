// Little-endian integers in byte buffers, written and read byte by byte.
#pragma once

#include <cstdint>

namespace acv {

inline void EncodeFixed16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint16_t DecodeFixed16(const std::uint8_t* in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

inline void EncodeFixed24(std::uint8_t* out, std::uint32_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
  out[2] = static_cast<std::uint8_t>(value >> 16);
}

inline std::uint32_t DecodeFixed24(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
         (static_cast<std::uint32_t>(in[2]) << 16);
}

inline void EncodeFixed32(std::uint8_t* out, std::uint32_t value) {
  EncodeFixed24(out, value);
  out[3] = static_cast<std::uint8_t>(value >> 24);
}

inline std::uint32_t DecodeFixed32(const std::uint8_t* in) {
  return DecodeFixed24(in) | (static_cast<std::uint32_t>(in[3]) << 24);
}

inline void EncodeFixed64(std::uint8_t* out, std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  EncodeFixed32(out, static_cast<std::uint32_t>(bits));
  EncodeFixed32(out + 4, static_cast<std::uint32_t>(bits >> 32));
}

inline std::int64_t DecodeFixed64(const std::uint8_t* in) {
  return static_cast<std::int64_t>(DecodeFixed32(in) |
                                   (static_cast<std::uint64_t>(DecodeFixed32(in + 4)) << 32));
}

}  // namespace acv
