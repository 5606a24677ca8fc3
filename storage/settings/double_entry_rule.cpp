#include "storage/settings/double_entry_rule.h"

#include <cstdlib>
#include <sstream>

#include "storage/format/posix_file.h"

namespace acv {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool FileRequiresDoubleEntry(const std::string& path) {
  std::string text;
  if (ReadWholeFile(path, kMaxSettingsFileBytes, &text) != FileStatus::kOk ||
      text.size() > kMaxSettingsFileBytes) {
    return false;
  }
  std::istringstream lines(text);
  bool general = true;  // keys before any section are general ones
  bool required = false;
  for (std::string line; std::getline(lines, line);) {
    const std::string_view entry = Trimmed(line);
    if (entry.starts_with('[')) {
      general = entry == "[General]";
      continue;
    }
    const std::size_t equals = entry.find('=');
    if (!general || equals == std::string_view::npos ||
        Trimmed(entry.substr(0, equals)) != "RequireDoubleEntry") {
      continue;
    }
    std::string_view value = Trimmed(entry.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    required = value == "T";  // the last one counts, as for the window's settings
  }
  return required;
}

std::string UserSettingsFile() {
  const char* home = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (home != nullptr && *home != '\0') {
    folder = home;
  } else {
    const char* user = std::getenv("HOME");
    folder = std::string(user != nullptr ? user : "") + "/.config";
  }
  return folder + "/VELT/ACV.conf";
}

}  // namespace acv
