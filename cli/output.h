// What the commands print: messages on stderr, texts read from files made safe for a terminal.
#pragma once

#include <string>
#include <string_view>

#include "storage/file_status.h"
#include "storage/messages.h"

namespace acv::cli {

// A code page 1252 text read from a file (a name, a header stamp) as UTF-8, with every control
// character shown as \xNN, so that no file can move the cursor or change the terminal.
std::string PrintableRecordText(std::string_view cp1252);
// The same for a text in the terminal's own encoding (a file name, a message).
std::string Printable(std::string_view text);

// "acv COMMAND: Caption: text" on one line.
void PrintMessage(std::string_view command, const UserMessage& message);

// Why a file could not be read, in a few words ("not found", "not a regular file ...").
std::string_view ReadFailure(FileStatus status);

// The response-file name without its ".cvr", as the messages show it.
std::string Stem(const std::string& name);

}  // namespace acv::cli
