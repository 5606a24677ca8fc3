#include "cli/output.h"

#include <cstdio>
#include <iostream>

#include "engine/cp1252.h"

namespace acv::cli {
namespace {

// Control characters: C0, DEL, and the bytes code page 1252 leaves as C1 controls.
bool IsControl(unsigned char c, bool cp1252) {
  return c < 0x20 || c == 0x7F ||
         (cp1252 && (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D));
}

std::string Escaped(std::string_view text, bool cp1252) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsControl(byte, cp1252)) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", byte);
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string PrintableRecordText(std::string_view cp1252) {
  return Cp1252ToUtf8(Escaped(cp1252, true));
}

std::string Printable(std::string_view text) {
  return Escaped(text, false);
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    c = (c == '\n' || c == '\t') ? ' ' : c;
  }
  return Printable(line);
}

void PrintMessage(std::string_view command, const UserMessage& message, std::ostream& err) {
  err << "acv " << command << ": " << message.caption << ": " << OneLine(message.text) << "\n";
}

std::string_view ReadFailure(FileStatus status) {
  switch (status) {
    case FileStatus::kNotFound:
    case FileStatus::kBadPath:
      return "not found";
    case FileStatus::kNotRegularFile:
      return "not a regular file (a folder, device, pipe or socket)";
    case FileStatus::kAccessDenied:
      return "access denied";
    case FileStatus::kSharingViolation:
    case FileStatus::kLockViolation:
      return "in use by another program";
    default:
      return "read error";
  }
}

std::string Stem(const std::string& name, std::string_view suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix)
             ? name.substr(0, name.size() - suffix.size())
             : name;
}

std::string DamageText(const Damage& damage) {
  if (damage.reason == DamageReason::kRecordsMissing) {
    const long long missing = DamagedSlots(damage);
    return "records " + std::to_string(damage.slot) + "-" +
           std::to_string(damage.slot + missing - 1) + ": " + std::to_string(missing) + " " +
           std::string(DamageReasonText(damage.reason));
  }
  return "bytes " + std::to_string(damage.offset) + "-" +
         std::to_string(damage.offset + damage.size - 1) + " (record " +
         std::to_string(damage.slot) + "): " + std::string(DamageReasonText(damage.reason));
}

}  // namespace acv::cli
