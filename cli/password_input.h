// Reading a password at the command line: from the terminal with its echo turned off, or as one
// line of standard input when a script passes it there.
#pragma once

#include <iostream>
#include <string>
#include <string_view>

namespace acv::cli {

// Reads one line of `in` into `secret` (its line end taken off). When `in` is the terminal,
// `prompt` is shown on `err` and the typing is not echoed. False at the end of the input.
bool ReadSecretLine(std::istream& in, std::ostream& err, std::string_view prompt,
                    std::string* secret);

// Whether `in` is the program's standard input and that is a terminal.
bool IsTerminal(const std::istream& in);

}  // namespace acv::cli
