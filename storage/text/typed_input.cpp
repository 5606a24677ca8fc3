#include "storage/text/typed_input.h"

#include <cstdio>

#include "storage/format/format.h"

namespace acv {
namespace {

// The value of a box holding only digits (at most nine); nothing otherwise.
std::optional<int> BoxNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) {
    return std::nullopt;
  }
  return ParseDigits(text);
}

std::string Format(const char* format, int value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string NormaliseDayText(std::string_view text) {
  const std::optional<int> day = BoxNumber(text);
  return day && *day >= 1 && *day <= 31 ? Format("%02u", *day) : "";
}

std::string NormaliseMonthText(std::string_view text) {
  const std::optional<int> month = BoxNumber(text);
  return month && *month >= 1 && *month <= 12 ? Format("%02u", *month) : "";
}

std::string CompleteYearText(std::string_view text, int currentYear) {
  std::optional<int> year = BoxNumber(text);
  if (!year) {
    return "";
  }
  if (*year <= 99) {
    const int century = currentYear / 100 * 100;
    *year += century;
    if (*year > currentYear) {
      *year -= 100;
    }
  }
  if (*year < 1 || *year > 2099) {
    return "";
  }
  return Format("%04u", *year);
}

BirthDateCheck CheckBirthDate(std::string_view day, std::string_view month, std::string_view year,
                              const CalendarDate& today, CalendarDate* date) {
  if (day.empty() || month.empty() || year.empty()) {
    return BirthDateCheck::kEmpty;
  }
  const std::optional<int> d = BoxNumber(day);
  const std::optional<int> m = BoxNumber(month);
  const std::optional<int> y = BoxNumber(year);
  if (!d || !m || !y || !IsValidCalendarDate({*y, *m, *d})) {
    return BirthDateCheck::kInvalid;
  }
  const CalendarDate birth{*y, *m, *d};
  if (!IsOfAge(birth, today)) {
    return BirthDateCheck::kUnder18;
  }
  *date = birth;
  return BirthDateCheck::kOk;
}

DetailsCheck CheckBirth(const TypedDate& birth, const std::optional<CalendarDate>& completed,
                        const CalendarDate& today) {
  if (!birth.whole) {
    return DetailsCheck::kNoBirthDate;
  }
  if (!birth.date) {
    return DetailsCheck::kBirthDateInvalid;
  }
  if (!IsAssessedAge(AgeInYears(*birth.date, today))) {
    return DetailsCheck::kAgeOutOfRange;
  }
  if (completed && !IsOfAge(*birth.date, *completed)) {
    return DetailsCheck::kUnder18AtCompletion;
  }
  return DetailsCheck::kOk;
}

DetailsCheck CheckDetails(bool firstNamed, bool lastNamed, const TypedDate& birth,
                          const TypedDate& completion, const CalendarDate& today) {
  if (!firstNamed) {
    return DetailsCheck::kNoFirstName;
  }
  if (!lastNamed) {
    return DetailsCheck::kNoLastName;
  }
  if (const DetailsCheck check = CheckBirth(birth, std::nullopt, today);
      check != DetailsCheck::kOk) {
    return check;
  }
  if (!completion.whole) {
    return DetailsCheck::kNoCompletionDate;
  }
  if (!completion.date) {
    return DetailsCheck::kCompletionInvalid;
  }
  const int yearsAgo = AgeInYears(*completion.date, today);
  if (yearsAgo != 0 && yearsAgo != 1) {
    return DetailsCheck::kCompletionOutOfRange;
  }
  return CheckBirth(birth, completion.date, today);
}

DetailsCheck CheckRecordDetails(const ResponseRecord& record, const CalendarDate& today) {
  return CheckDetails(
      !record.Text(TextField::kFirstName).empty(), !record.Text(TextField::kLastName).empty(),
      {!record.Text(TextField::kBirthDate).empty(), record.BirthDate()},
      {!record.Text(TextField::kCompletionDate).empty(), record.CompletionDate()}, today);
}

FileNameCheck ResolveResponseFileName(std::string_view typed, std::string* fullName) {
  if (typed.empty()) {
    return FileNameCheck::kEmpty;
  }
  std::string name(typed);
  const std::size_t size = name.size();
  if (size >= kResponseFileSuffix.size() &&
      name.compare(size - kResponseFileSuffix.size(), kResponseFileSuffix.size(),
                   kResponseFileSuffix) == 0) {
    // Used as it stands.
  } else {
    // A "." at the fourth, third, second or last place from the end is an extension.
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
      if (name[size - back] == '.') {
        return FileNameCheck::kHasExtension;
      }
    }
    name += kResponseFileSuffix;
  }
  const char beforeSuffix = name.size() > kResponseFileSuffix.size()
                                ? name[name.size() - kResponseFileSuffix.size() - 1]
                                : '/';
  if (beforeSuffix == '/' || beforeSuffix == '\\' || name.size() <= 4) {
    return FileNameCheck::kHasExtension;
  }
  *fullName = name;
  return FileNameCheck::kOk;
}

std::optional<std::string> StripChosenPath(std::string_view path, std::string_view suffix) {
  if (path.size() < 5 || path.back() == '/' || path.back() == '\\' || path.size() < suffix.size() ||
      path.substr(path.size() - suffix.size()) != suffix) {
    return std::nullopt;
  }
  const std::string_view stem = path.substr(0, path.size() - suffix.size());
  const std::string_view lastFour = stem.substr(stem.size() >= 4 ? stem.size() - 4 : 0);
  if (lastFour.find('.') != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(stem);
}

}  // namespace acv
