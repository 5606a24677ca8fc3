#include "engine/cp1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace acv {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes code page 1252 leaves undefined,
// which are passed through as the C1 control of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) {
    return kHighControls[byte - 0x80];
  }
  return byte;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The byte for a code point, when code page 1252 has one.
std::optional<char> FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    const char32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : 0x80 + i;
    if (mapped == cp) {
      return static_cast<char>(0x80 + i);
    }
  }
  return std::nullopt;
}

// Decodes the well-formed UTF-8 character at `text[at]`: its length in bytes with `*cp` set, or
// 0 for a malformed one (a stray byte, a cut sequence, an overlong form, a surrogate).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    *cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return 0;
  }
  *cp = value;
  return length;
}

// The capital of one byte: ASCII and Latin-1 small letters lie 0x20 above theirs (but for the
// division sign), and four of the 0x80..0x9F letters have theirs elsewhere.
char UpperByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
    return static_cast<char>(byte - 0x20);
  }
  switch (byte) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
      return static_cast<char>(byte - 0x10);
    case 0xFF:  // y diaeresis
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    AppendUtf8(ToCodePoint(static_cast<unsigned char>(c)), &out);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8(text, i, &cp);
    out.push_back(length > 0 ? FromCodePoint(cp).value_or('?') : '?');
    i += length > 0 ? length : 1;
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  char32_t cp = 0;
  for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
    length = DecodeUtf8(text, i, &cp);
    if (length == 0) {
      return false;
    }
  }
  return true;
}

bool Utf8ToCp1252Exact(std::string_view text, std::string* out, std::size_t* unstorable) {
  out->clear();
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++characters) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8(text, i, &cp);
    const std::optional<char> byte = length > 0 ? FromCodePoint(cp) : std::nullopt;
    if (!byte) {
      *unstorable = characters;
      return false;
    }
    out->push_back(*byte);
    i += length;
  }
  return true;
}

bool IsStorableByte(unsigned char byte) {
  return byte >= 0x20 && byte != 0x7F && byte != 0x80 &&
         (byte < 0x80 || byte > 0x9F || kHighControls[byte - 0x80] != 0);
}

std::string Cp1252UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    c = UpperByte(c);
  }
  return upper;
}

}  // namespace acv
