// Calendar dates as stored in records (YYYYMMDD) and the checks made on them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace acv {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct TimeStamp {
  CalendarDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The decimal value of `text` when it is all digits (the empty text is 0); nothing otherwise.
// Callers keep the text short enough for an int.
std::optional<int> ParseDigits(std::string_view text);

// Splits exactly eight decimal digits into year, month and day; nothing for any other text.
// The parts are not range-checked.
std::optional<CalendarDate> ParseDate8(std::string_view text);
// The eight digits YYYYMMDD of a date (year, month and day within 0..9999, 0..99, 0..99).
std::string FormatDate8(const CalendarDate& date);
// Splits exactly fourteen digits YYYYMMDDhhmmss as ParseDate8 does.
std::optional<TimeStamp> ParseStamp14(std::string_view text);

// Year 1901..2099, month 1..12, a day that exists in that month; 29 February only in years
// divisible by four.
bool IsValidCalendarDate(const CalendarDate& date);

// "07/03/1975": day, month and year as two, two and four digits.
std::string FormatDayMonthYear(const CalendarDate& date);
// "07/03/1975 14:05:09": the date as above, then hours, minutes and seconds as two digits each.
std::string FormatTimeStamp(const TimeStamp& stamp);

// Whole years from `birth` to `on`: the difference of the years, less one before the birthday.
int AgeInYears(const CalendarDate& birth, const CalendarDate& on);

// The ages at which a person is assessed: 18 to 99 years, both included.
inline constexpr int kYoungestAge = 18;
inline constexpr int kOldestAge = 99;
inline constexpr bool IsAssessedAge(int years) {
  return years >= kYoungestAge && years <= kOldestAge;
}
// Whether a person born on `birth` is of the youngest assessed age on `on`. A search asks only
// this of a date of birth: a person assessed at 99 is still looked up when older.
bool IsOfAge(const CalendarDate& birth, const CalendarDate& on);

// Today's local date.
CalendarDate Today();
// The local time of `seconds` since 1970 as strftime's `format` gives it (at most 31 bytes).
std::string FormatLocalTime(std::int64_t seconds, const char* format);
// The same in UTC.
std::string FormatUtcTime(std::int64_t seconds, const char* format);

}  // namespace acv
