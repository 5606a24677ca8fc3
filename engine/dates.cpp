#include "engine/dates.h"

#include <cstdio>
#include <ctime>

namespace acv {
std::optional<int> ParseDigits(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<CalendarDate> ParseDate8(std::string_view text) {
  if (text.size() != 8) {
    return std::nullopt;
  }
  const auto year = ParseDigits(text.substr(0, 4));
  const auto month = ParseDigits(text.substr(4, 2));
  const auto day = ParseDigits(text.substr(6, 2));
  if (!year || !month || !day) {
    return std::nullopt;
  }
  return CalendarDate{*year, *month, *day};
}

std::string FormatDate8(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year % 10000, date.month % 100,
                date.day % 100);
  return text;
}

std::string FormatDayMonthYear(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day % 100, date.month % 100,
                date.year % 10000);
  return text;
}

std::string FormatTimeStamp(const TimeStamp& stamp) {
  char clock[16];
  std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", stamp.hour % 100, stamp.minute % 100,
                stamp.second % 100);
  return FormatDayMonthYear(stamp.date) + clock;
}

std::optional<TimeStamp> ParseStamp14(std::string_view text) {
  if (text.size() != 14) {
    return std::nullopt;
  }
  const auto date = ParseDate8(text.substr(0, 8));
  const auto hour = ParseDigits(text.substr(8, 2));
  const auto minute = ParseDigits(text.substr(10, 2));
  const auto second = ParseDigits(text.substr(12, 2));
  if (!date || !hour || !minute || !second) {
    return std::nullopt;
  }
  return TimeStamp{*date, *hour, *minute, *second};
}

bool IsValidCalendarDate(const CalendarDate& date) {
  if (date.year < 1901 || date.year > 2099 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > 31) {
    return false;
  }
  switch (date.month) {
    case 4:
    case 6:
    case 9:
    case 11:
      return date.day <= 30;
    case 2:
      // Within 1901..2099 every year divisible by four is a leap year.
      return date.day <= 28 || (date.day == 29 && date.year % 4 == 0);
    default:
      return true;
  }
}

int AgeInYears(const CalendarDate& birth, const CalendarDate& on) {
  int age = on.year - birth.year;
  if (on.month < birth.month || (on.month == birth.month && on.day < birth.day)) {
    --age;
  }
  return age;
}

bool IsOfAge(const CalendarDate& birth, const CalendarDate& on) {
  return AgeInYears(birth, on) >= kYoungestAge;
}

CalendarDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

namespace {

std::string FormatTime(std::int64_t seconds, const char* format, bool utc) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (utc) {
    gmtime_r(&time, &parts);
  } else {
    localtime_r(&time, &parts);
  }
  char text[32];
  const std::size_t size = std::strftime(text, sizeof text, format, &parts);
  return std::string(text, size);
}

}  // namespace

std::string FormatLocalTime(std::int64_t seconds, const char* format) {
  return FormatTime(seconds, format, false);
}

std::string FormatUtcTime(std::int64_t seconds, const char* format) {
  return FormatTime(seconds, format, true);
}

}  // namespace acv
