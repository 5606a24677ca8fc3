// JSON written straight into a string, for output too large to build as a JSON value first.
// The text is what nlohmann's dump() makes of the same value: no spaces, members in the order
// written, strings escaped alike.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace acv::fhir {

class JsonText {
 public:
  explicit JsonText(std::string& out) : out_(out) {}

  JsonText& BeginObject() { return Open('{'); }
  JsonText& EndObject() { return Close('}'); }
  JsonText& BeginArray() { return Open('['); }
  JsonText& EndArray() { return Close(']'); }
  // The name of the next member of the object being written.
  JsonText& Key(std::string_view key);

  // `utf8` must be well-formed UTF-8, as every text converted from a record is.
  JsonText& String(std::string_view utf8);
  JsonText& Int(std::int64_t value);
  JsonText& Bool(bool value);
  // A value already written as JSON text.
  JsonText& Raw(std::string_view json);
  // Values already written as JSON text that follow others, each after its comma (",1,2").
  JsonText& RawFollowing(std::string_view json);

  JsonText& Member(std::string_view key, std::string_view utf8) { return Key(key).String(utf8); }

 private:
  // Writes the comma that goes before a member or an element that follows another.
  void Separate();
  JsonText& Open(char bracket);
  JsonText& Close(char bracket);

  std::string& out_;
  bool follows_ = false;  // a value was written at this level, so the next needs a comma
};

}  // namespace acv::fhir
