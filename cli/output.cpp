#include "cli/output.h"

#include <iostream>

#include "engine/cp1252.h"

namespace acv::cli {

void PrintMessage(const std::string& command, const UserMessage& message, std::ostream& err) {
  std::string text = message.text;
  for (char& c : text) {
    c = (c == '\n' || c == '\t') ? ' ' : c;
  }
  err << "acv " << command << ": " << message.caption << ": " << Cp1252ToUtf8(text) << "\n";
}

std::string Stem(const std::string& name, std::string_view suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix)
             ? name.substr(0, name.size() - suffix.size())
             : name;
}

}  // namespace acv::cli
