// Conversion between the single-byte Windows-1252 texts of records and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace acv {

std::string Cp1252ToUtf8(std::string_view text);
// Characters that code page 1252 cannot hold become '?'; malformed UTF-8 bytes likewise.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace acv
