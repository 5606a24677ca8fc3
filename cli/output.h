// What the commands print: the window's messages on one line of standard error.
#pragma once

#include <iostream>
#include <string>

#include "storage/messages.h"

namespace acv::cli {

// "acv COMMAND: Caption: text", tabs and line breaks turned into blanks.
void PrintMessage(const std::string& command, const UserMessage& message,
                  std::ostream& err = std::cerr);

// A file name without its `suffix` (".cvr", ".csv"), as the messages show it.
std::string Stem(const std::string& name, std::string_view suffix = ".cvr");

}  // namespace acv::cli
