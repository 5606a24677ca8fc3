// Little-endian integers in byte buffers, written and read byte by byte.
#pragma once

#include <cstdint>

namespace acv {

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

}  // namespace acv
