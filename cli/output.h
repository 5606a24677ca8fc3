// What the commands print: the window's messages on one line of standard error, and texts read
// from files made safe for a terminal.
#pragma once

#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "storage/format/file_layout.h"
#include "storage/format/file_status.h"
#include "storage/text/messages.h"

namespace acv::cli {

// A code page 1252 text read from a file (a name, a header stamp) as UTF-8, with every control
// character shown as \xNN, so that no file can move the cursor or change the terminal.
std::string PrintableRecordText(std::string_view cp1252);
// The same for a text in the terminal's own encoding (a file name, a message).
std::string Printable(std::string_view text);

// A message's text on one line: tabs and line breaks turned into blanks, control characters
// escaped.
std::string OneLine(std::string_view text);

// What a command reads and writes, and the name its messages give it: the terminal's streams
// in the program, strings in tests. Results go to `out`, messages to `err` as
// "acv COMMAND: Caption: text", the text on one line ("acv COMMAND: text" without a caption).
struct Console {
  std::string command;  // "list"; empty for acv itself
  std::istream& in;
  std::ostream& out;
  std::ostream& err;

  void Print(const UserMessage& message) const;
  // The message `id` of the table with its names filled in, printed as above.
  void Say(MessageId id, std::initializer_list<std::string_view> names = {}) const;
};
// The terminal's streams for acv `command`.
Console StandardConsole(std::string_view command);

// Why a file could not be read, in a few words ("not found", "not a regular file ...").
std::string_view ReadFailure(FileStatus status);

// "bytes 243-2429 (record 0): checksum mismatch": a damaged part of a response file, its record
// counted from 0 as every command counts them; "records 5-7: 3 saved records missing".
std::string DamageText(const Damage& damage);

// A file name without its `suffix` (".cvr", ".csv"), as the messages show it.
std::string Stem(const std::string& name, std::string_view suffix = ".cvr");

// Standard output written straight to its file descriptor for as long as it lives, remembering
// the first write that failed, so that a full disk or a vanished terminal is reported instead of
// a cut result passing as success.
class CheckedStandardOutput : public std::streambuf {
 public:
  CheckedStandardOutput();
  ~CheckedStandardOutput() override;
  CheckedStandardOutput(const CheckedStandardOutput&) = delete;
  CheckedStandardOutput& operator=(const CheckedStandardOutput&) = delete;

  // After the command: writes what is left and gives its exit code, or, when some output could
  // not be written, says so in one line of standard error and gives 2. A reader that went away
  // (EPIPE, a pipe into a program that stopped reading) is no error of ours.
  int Finish(int exitCode);

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool WriteOut();

  char buffer_[4096];
  std::streambuf* previous_;
  int error_ = 0;  // the errno of the first failed write
};

}  // namespace acv::cli
