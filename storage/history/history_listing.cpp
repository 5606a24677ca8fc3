#include "storage/history/history_listing.h"

#include "engine/dates.h"

namespace acv {

std::string EntryTimeText(std::int64_t seconds, bool utc) {
  return utc ? FormatUtcTime(seconds, "%Y-%m-%d %H:%M:%S UTC")
             : FormatLocalTime(seconds, "%Y-%m-%d %H:%M:%S %Z");
}

}  // namespace acv
