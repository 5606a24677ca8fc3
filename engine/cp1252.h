// Conversion between the single-byte Windows-1252 texts of records and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace acv {

std::string Cp1252ToUtf8(std::string_view text);
// Characters that code page 1252 cannot hold become '?'; malformed UTF-8 bytes likewise.
std::string Utf8ToCp1252(std::string_view text);

// Whether a record's text may hold the code page 1252 byte `byte`: a printable character, and
// not 0x80 ("€"), which is the stored form's padding byte and would read back as nothing.
bool IsStorableByte(unsigned char byte);

// Whether `text` is well-formed UTF-8 (no overlong forms or surrogates).
bool IsValidUtf8(std::string_view text);
// Converts well-formed UTF-8 to code page 1252: true, or false with `unstorable` the 0-based
// index of the first character that code page 1252 cannot hold (`out` then incomplete).
bool Utf8ToCp1252Exact(std::string_view text, std::string* out, std::size_t* unstorable);

// Upper case by the code page's own letter pairs (a/A, \xE9/\xC9, \x9A/\x8A, \xFF/\x9F ...);
// letters without a capital in the code page, and every other byte, are kept.
std::string Cp1252UpperCase(std::string_view text);

}  // namespace acv
