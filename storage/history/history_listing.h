// How the history is listed, by `acv history` and the window's History.
#pragma once

#include <cstdint>
#include <string>

namespace acv {

// When an entry was made: "2026-12-09 11:15:00 CET" in the computer's local time, or
// "2026-12-09 10:15:00 UTC".
std::string EntryTimeText(std::int64_t seconds, bool utc);

}  // namespace acv
