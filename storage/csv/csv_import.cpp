#include "storage/csv/csv_import.h"

#include <algorithm>
#include <span>

#include "engine/cp1252.h"
#include "engine/dates.h"
#include "storage/csv/csv_export.h"
#include "storage/format/format.h"

namespace acv {
namespace {

std::vector<std::string_view> SplitColumns(std::string_view line) {
  std::vector<std::string_view> columns;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    columns.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) {
      return columns;
    }
    start = comma + 1;
  }
}

std::string_view WithoutFormulaGuard(std::string_view text) {
  if (text.starts_with('`') && NeedsFormulaGuard(text.substr(1))) {
    text.remove_prefix(1);
  }
  return text;
}

// The part (0 year, 1 month, 2 day) of a date that no calendar has, or -1 when it is a real day.
int InvalidDatePart(const CalendarDate& date) {
  if (date.month < 1 || date.month > 12) {
    return 1;
  }
  if (date.year < 1901 || date.year > 2099) {
    return 0;
  }
  return IsValidCalendarDate(date) ? -1 : 2;
}

// The part (0 year ... 5 second) of a saved time-stamp that no clock shows, or -1 when it is a
// real moment or empty.
int InvalidStampPart(std::string_view digits) {
  const std::optional<TimeStamp> stamp = ParseStamp14(digits);
  if (!stamp) {
    return -1;
  }
  if (const int part = InvalidDatePart(stamp->date); part >= 0) {
    return part;
  }
  if (stamp->hour > 23) {
    return 3;
  }
  if (stamp->minute > 59) {
    return 4;
  }
  return stamp->second > 59 ? 5 : -1;
}

bool IsValidBirthDate(std::string_view text) {
  const std::optional<CalendarDate> date = ParseDate8(text);
  return date && IsValidCalendarDate(*date);
}

// Checks and reads one record line; on a fault fills `error` (column and message) and returns
// false.
class LineReader {
 public:
  LineReader(const std::vector<std::string_view>& columns, bool utf8, CsvImportError* error)
      : columns_(columns), utf8_(utf8), error_(error) {}

  bool Read(ResponseRecord* out) {
    ResponseRecord& record = *out;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
      if (columns_[column].find('\0') != std::string_view::npos) {
        return Fail(static_cast<int>(column), "holds a NUL byte");
      }
    }
    std::string_view version = columns_[csv::kVersionColumn];
    while (!version.empty() && version.back() == ' ') {
      version.remove_suffix(1);
    }
    if (version != csv::kVersion.substr(0, csv::kVersion.find_last_not_of(' ') + 1)) {
      return Fail(csv::kVersionColumn, "expected \"ACV 4.0\"");
    }
    const std::string_view entry = columns_[csv::kEntryColumn];
    if (entry != csv::kPaper && entry != csv::kOnScreen) {
      return Fail(csv::kEntryColumn, "expected \"Paper\" or \"On-Screen\"");
    }
    record.SetEntryMethod(entry == csv::kPaper ? kEnteredFromPaper : kEnteredOnScreen);
    if (!ReadTexts(csv::kDetailsColumn, csv::kDetailFields, &record)) {
      return false;
    }
    const std::string_view gender = columns_[csv::kGenderColumn];
    if (gender.size() != 1 || record.SetGender(gender[0]) != 0) {
      return Fail(csv::kGenderColumn, "expected M, F, X or U");
    }
    std::string digits;
    if (!ReadDigits(csv::kBirthColumn, csv::kDateParts, &digits)) {
      return false;
    }
    record.SetText(TextField::kBirthDate, digits);
    if (!ReadDigits(csv::kCompletionColumn, csv::kDateParts, &digits)) {
      return false;
    }
    // A date of completion no calendar has would be stored, then shown as a data error.
    if (const std::optional<CalendarDate> completed = ParseDate8(digits); completed) {
      if (const int part = InvalidDatePart(*completed); part >= 0) {
        return Fail(csv::kCompletionColumn + part, "not a possible date");
      }
    }
    record.SetText(TextField::kCompletionDate, digits);
    if (!ReadDigits(csv::kSavedColumn, csv::kStampParts, &digits)) {
      return false;
    }
    if (const int part = InvalidStampPart(digits); part >= 0) {
      return Fail(csv::kSavedColumn + part, "not a possible date and time");
    }
    record.SetText(TextField::kSavedStamp, digits);
    const std::string_view reporter = columns_[csv::kReporterColumn];
    if (reporter != csv::kSelf && reporter != csv::kObserver) {
      return Fail(csv::kReporterColumn, "expected \"Self\" or \"Observer\"");
    }
    record.SetReportType(reporter == csv::kObserver ? kObserverReport : kSelfReport);
    if (!ReadTexts(csv::kObserverColumn, csv::kObserverFields, &record)) {
      return false;
    }
    for (int item = 1; item <= kItemCount; ++item) {
      const int column = csv::kFirstItemColumn + item - 1;
      const std::string_view cell = columns_[column];
      if (const int value = ResponseRecord::ParsePaperResponse(cell); value >= 0) {
        record.SetResponse(item, value);
      } else if (cell.empty()) {
        record.SetResponse(item, kResponseUnset);
      } else {
        return Fail(column, "expected one digit 0 to 5 or nothing");
      }
    }
    return true;
  }

 private:
  bool Fail(int column, std::string message) {
    error_->column = column + 1;
    error_->message = std::move(message);
    return false;
  }

  bool ReadTexts(int first, std::span<const TextField> fields, ResponseRecord* record) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
      const int column = first + static_cast<int>(k);
      const std::string_view cell = WithoutFormulaGuard(columns_[column]);
      std::string text(cell);
      std::size_t unstorable = 0;
      if (utf8_ && !Utf8ToCp1252Exact(cell, &text, &unstorable)) {
        return Fail(column, "character " + std::to_string(unstorable + 1) +
                                " cannot be stored (only the characters of code page 1252 can)");
      }
      // The window refuses these as they are typed: a control character, or "€", whose byte is
      // the stored form's padding and would read back as the end of the text.
      const auto bad = std::find_if(text.begin(), text.end(), [](char c) {
        return !IsStorableByte(static_cast<unsigned char>(c));
      });
      if (bad != text.end()) {
        return Fail(column, "character " + std::to_string(bad - text.begin() + 1) +
                                (static_cast<unsigned char>(*bad) == kPadByte
                                     ? " (\"\u20ac\") cannot be stored"
                                     : " is a control character, which cannot be stored"));
      }
      const int width = FieldWidth(fields[k]);
      if (text.size() > static_cast<std::size_t>(width)) {
        return Fail(column, "longer than " + std::to_string(width) + " characters");
      }
      record->SetText(fields[k], text);
    }
    return true;
  }

  // The digit columns of a date or time-stamp, joined; all empty gives the empty text.
  bool ReadDigits(int first, std::span<const int> parts, std::string* joined) {
    joined->clear();
    for (std::size_t k = 0; k < parts.size(); ++k) {
      *joined += columns_[first + static_cast<int>(k)];
    }
    if (joined->empty()) {
      return true;
    }
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const int column = first + static_cast<int>(k);
      const std::string_view cell = columns_[column];
      if (cell.size() != static_cast<std::size_t>(parts[k]) || !ParseDigits(cell)) {
        return Fail(column, "expected " + std::to_string(parts[k]) +
                                " digits (or every part of the date empty)");
      }
    }
    return true;
  }

  const std::vector<std::string_view>& columns_;
  bool utf8_;
  CsvImportError* error_;
};

}  // namespace

bool ParseCsvRecords(std::string_view text, std::size_t capacity, CsvImport* imported,
                     CsvImportError* error) {
  *imported = CsvImport();
  *error = CsvImportError();
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  // Counted before anything is parsed, so that a file too big for the response file costs
  // nothing.
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
                            (text.empty() || text.ends_with('\n') ? 0 : 1);
  if (lines > capacity + 1) {
    error->line = static_cast<int>(capacity) + 2;
    error->message = "the response file can take " + std::to_string(capacity) +
                     " more records, and the file has " + std::to_string(lines - 1);
    return false;
  }
  const bool utf8 = IsValidUtf8(text);
  CsvImport read;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    ++lineNumber;
    error->line = lineNumber;
    if (lineNumber == 1) {
      if (line != CsvHeaderLine()) {
        error->message = "the first line must be the export header line";
        return false;
      }
      continue;
    }
    const std::vector<std::string_view> columns = SplitColumns(line);
    if (columns.size() != static_cast<std::size_t>(kCsvColumnCount)) {
      error->message = "has " + std::to_string(columns.size()) + " columns, not " +
                       std::to_string(kCsvColumnCount);
      return false;
    }
    ResponseRecord record;
    if (!LineReader(columns, utf8, error).Read(&record)) {
      return false;
    }
    if (record.Text(TextField::kFirstName).empty() || record.Text(TextField::kLastName).empty()) {
      read.warnings.push_back({lineNumber, "no first or last name: no search can find it"});
    } else if (!IsValidBirthDate(record.Text(TextField::kBirthDate))) {
      read.warnings.push_back({lineNumber, "no valid date of birth: no search can find it"});
    }
    read.records.push_back(std::move(record));
  }
  if (lineNumber == 0) {
    error->line = 1;
    error->message = "the file is empty: the export header line is required";
    return false;
  }
  *error = CsvImportError();
  *imported = std::move(read);
  return true;
}

std::string DescribeImportError(const CsvImportError& error) {
  std::string text = "line " + std::to_string(error.line);
  if (error.column > 0) {
    text += ", column " + std::to_string(error.column);
    const std::vector<std::string_view> names = SplitColumns(CsvHeaderLine());
    text += " (" + std::string(names[static_cast<std::size_t>(error.column - 1)]) + ")";
  }
  return text + ": " + error.message;
}

}  // namespace acv
