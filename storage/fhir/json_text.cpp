#include "storage/fhir/json_text.h"

#include <array>

namespace acv::fhir {
namespace {

// How each byte is written inside a string: itself (empty), or its escape.
constexpr std::array<std::string_view, 128> kEscapes = [] {
  std::array<std::string_view, 128> escapes{};
  constexpr std::string_view kControls[32] = {
      "\\u0000", "\\u0001", "\\u0002", "\\u0003", "\\u0004", "\\u0005", "\\u0006", "\\u0007",
      "\\b",     "\\t",     "\\n",     "\\u000b", "\\f",     "\\r",     "\\u000e", "\\u000f",
      "\\u0010", "\\u0011", "\\u0012", "\\u0013", "\\u0014", "\\u0015", "\\u0016", "\\u0017",
      "\\u0018", "\\u0019", "\\u001a", "\\u001b", "\\u001c", "\\u001d", "\\u001e", "\\u001f"};
  for (std::size_t c = 0; c < 32; ++c) {
    escapes[c] = kControls[c];
  }
  escapes['"'] = "\\\"";
  escapes['\\'] = "\\\\";
  return escapes;
}();

// Whether a byte is written as its escape.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> escaped{};
  for (std::size_t c = 0; c < kEscapes.size(); ++c) {
    escaped[c] = !kEscapes[c].empty();
  }
  return escaped;
}();

}  // namespace

void JsonText::Separate() {
  if (follows_) {
    out_ += ',';
  }
}

JsonText& JsonText::Open(char bracket) {
  Separate();
  out_ += bracket;
  follows_ = false;
  return *this;
}

JsonText& JsonText::Close(char bracket) {
  out_ += bracket;
  follows_ = true;
  return *this;
}

JsonText& JsonText::Key(std::string_view key) {
  String(key);
  out_ += ':';
  follows_ = false;
  return *this;
}

JsonText& JsonText::String(std::string_view utf8) {
  Separate();
  out_ += '"';
  std::size_t plain = 0;  // where the run of bytes written as they are begins
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    if (kEscaped[byte]) {
      out_.append(utf8, plain, at - plain);
      out_ += kEscapes[byte];
      plain = at + 1;
    }
  }
  out_.append(utf8, plain);
  out_ += '"';
  follows_ = true;
  return *this;
}

JsonText& JsonText::Int(std::int64_t value) {
  Separate();
  out_ += std::to_string(value);
  follows_ = true;
  return *this;
}

JsonText& JsonText::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
  follows_ = true;
  return *this;
}

JsonText& JsonText::Raw(std::string_view json) {
  Separate();
  out_ += json;
  follows_ = true;
  return *this;
}

JsonText& JsonText::RawFollowing(std::string_view json) {
  out_ += json;
  follows_ = true;
  return *this;
}

}  // namespace acv::fhir
