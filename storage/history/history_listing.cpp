#include "storage/history/history_listing.h"

#include <ctime>

namespace acv {

std::string EntryTimeText(std::int64_t seconds, bool utc) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (utc) {
    gmtime_r(&time, &parts);
  } else {
    localtime_r(&time, &parts);
  }
  char text[64];
  const std::size_t size = std::strftime(
      text, sizeof text, utc ? "%Y-%m-%d %H:%M:%S UTC" : "%Y-%m-%d %H:%M:%S %Z", &parts);
  return std::string(text, size);
}

bool EntryConcerns(const HistoryEntry& entry, int index) {
  return entry.index == index;
}

}  // namespace acv
