// storage/settings/: rules read from the settings files.
//
// The administrator's rule that every paper copy is verified by double entry before it is
// saved: "RequireDoubleEntry=T" in a settings file (the user's own, or the machine-wide one in
// its fixed place, whatever XDG_CONFIG_DIRS says, so that a user cannot point the program at
// another folder to lift it). Read here in plain C++ so that the window and the command line
// hold the same rule.
#pragma once

#include <string>
#include <string_view>

namespace acv {

// The machine-wide settings file an administrator writes.
inline constexpr std::string_view kMachineSettingsFile = "/etc/xdg/VELT/ACV.conf";
// The largest settings file read; a few short values need far less.
inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// True when the settings file `path` (INI: the key at the top or under [General]) sets
// RequireDoubleEntry to "T". A file that is missing, unreadable, not a regular file or larger
// than kMaxSettingsFileBytes sets nothing.
bool FileRequiresDoubleEntry(const std::string& path);

// The user's own settings file: $XDG_CONFIG_HOME (or ~/.config) /VELT/ACV.conf.
std::string UserSettingsFile();

}  // namespace acv
