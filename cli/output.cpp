#include "cli/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/commands.h"
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

void Console::Print(const UserMessage& message) const {
  err << (command.empty() ? "acv: " : "acv " + command + ": ");
  if (!message.caption.empty()) {
    err << message.caption << ": ";
  }
  err << OneLine(message.text) << "\n";
}

void Console::Say(MessageId id, std::initializer_list<std::string_view> names) const {
  Print(Message(id, names));
}

Console StandardConsole(std::string_view command) {
  return {std::string(command), std::cin, std::cout, std::cerr};
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

CheckedStandardOutput::CheckedStandardOutput() : previous_(std::cout.rdbuf(this)) {
  setp(buffer_, buffer_ + sizeof buffer_);
}

CheckedStandardOutput::~CheckedStandardOutput() {
  WriteOut();
  std::cout.rdbuf(previous_);
}

bool CheckedStandardOutput::WriteOut() {
  const char* next = pbase();
  while (error_ == 0 && next < pptr()) {
    const ssize_t written = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
    if (written >= 0) {
      next += written;
    } else if (errno != EINTR) {
      error_ = errno;
    }
  }
  // After a failure the rest is dropped: nothing after a gap in the output is of use.
  setp(buffer_, buffer_ + sizeof buffer_);
  return error_ == 0;
}

CheckedStandardOutput::int_type CheckedStandardOutput::overflow(int_type c) {
  if (!WriteOut()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int CheckedStandardOutput::sync() {
  return WriteOut() ? 0 : -1;
}

int CheckedStandardOutput::Finish(int exitCode) {
  std::cout.flush();
  WriteOut();
  if (error_ == 0 || error_ == EPIPE) {
    return exitCode;
  }
  StandardConsole("").Say(MessageId::kOutputNotWritten, {std::strerror(error_)});
  return kExitBadInput;
}

}  // namespace acv::cli
