#include "storage/record_search.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "engine/cp1252.h"
#include "storage/format.h"
#include "storage/record_image.h"
#include "storage/response_file.h"

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

auto SortKey(const IndexEntry& entry) {
  return std::tie(entry.lastName, entry.firstName, entry.birthDate, entry.fileIndex);
}

}  // namespace

FileStatus BuildRecordIndex(const std::string& fileName, bool readOnly, RecordIndex* index) {
  *index = RecordIndex();
  ResponseFile file;
  if (const FileStatus opened = file.OpenForReading(fileName, readOnly);
      opened != FileStatus::kOk) {
    return opened;
  }
  index->header = file.header();
  index->recordCount = file.recordCount();
  index->entries.reserve(static_cast<std::size_t>(index->recordCount));
  StoredRecord bytes{};
  int fileIndex = 0;
  ResponseRecord record;
  for (FileStatus read = file.ReadNext(&bytes, &fileIndex); read != FileStatus::kNoMoreRecords;
       read = file.ReadNext(&bytes, &fileIndex)) {
    if (read != FileStatus::kOk || LoadImage(record, bytes.data()) != FileStatus::kOk) {
      index->damage.push_back(
          {fileIndex, file.RecordOffsetOf(fileIndex), static_cast<long long>(kRecordSize),
           read == FileStatus::kOk ? DamageReason::kChecksumMismatch : DamageReason::kUnreadable});
      continue;
    }
    IndexEntry entry;
    entry.firstName = Cp1252UpperCase(record.Text(TextField::kFirstName));
    entry.lastName = Cp1252UpperCase(record.Text(TextField::kLastName));
    entry.birthDate = std::string(record.Text(TextField::kBirthDate));
    entry.reportType = record.ReportType();
    entry.savedStamp = std::string(record.Text(TextField::kSavedStamp));
    entry.observerName = std::string(record.Text(TextField::kObserverName));
    entry.entryMethod = record.EntryMethod();
    entry.fileIndex = fileIndex;
    index->entries.push_back(std::move(entry));
  }
  // What lies after the records read: a torn last record, records beyond the limit, records
  // another program added after the commit mark.
  index->damage.insert(index->damage.end(), file.tailDamage().begin(), file.tailDamage().end());
  index->corruptCount = static_cast<unsigned>(index->damage.size());
  std::sort(index->entries.begin(), index->entries.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return SortKey(a) < SortKey(b); });
  return FileStatus::kOk;
}

std::vector<IndexEntry> FindPerson(const RecordIndex& index, std::string_view firstName,
                                   std::string_view lastName, std::string_view birthDate) {
  IndexEntry wanted;
  wanted.lastName = Cp1252UpperCase(lastName);
  wanted.firstName = Cp1252UpperCase(firstName);
  wanted.birthDate = std::string(birthDate);
  wanted.fileIndex = -1;
  const auto begin = std::lower_bound(
      index.entries.begin(), index.entries.end(), wanted,
      [](const IndexEntry& a, const IndexEntry& b) { return SortKey(a) < SortKey(b); });
  std::vector<IndexEntry> found;
  for (auto it = begin; it != index.entries.end() && it->lastName == wanted.lastName &&
                        it->firstName == wanted.firstName && it->birthDate == wanted.birthDate;
       ++it) {
    found.push_back(*it);
  }
  return found;
}

std::string ListLine(const IndexEntry& entry) {
  const std::optional<TimeStamp> saved = ParseStamp14(entry.savedStamp);
  const TimeStamp stamp = saved.value_or(TimeStamp{});
  char text[64];
  std::snprintf(text, sizeof text, "Saved: %02u/%02u/%04u %02u:%02u:%02u   ",
                static_cast<unsigned>(stamp.date.day), static_cast<unsigned>(stamp.date.month),
                static_cast<unsigned>(stamp.date.year), static_cast<unsigned>(stamp.hour),
                static_cast<unsigned>(stamp.minute), static_cast<unsigned>(stamp.second));
  std::string line = text;
  if (entry.reportType == kObserverReport) {
    line += "Observer Assessment by: " + entry.observerName;
  } else {
    line += "Self Assessment";
  }
  return line;
}

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
  if (AgeInYears(birth, today) < 18) {
    return BirthDateCheck::kUnder18;
  }
  *date = birth;
  return BirthDateCheck::kOk;
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
