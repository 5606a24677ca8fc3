#include "storage/csv_import.h"

#include <span>

#include "engine/dates.h"
#include "storage/csv_export.h"

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
  if (text.size() >= 2 && text[0] == '`' && IsFormulaStart(text[1])) {
    text.remove_prefix(1);
  }
  return text;
}

// Checks and reads one record line; on a fault fills `error` (column and message) and returns
// false.
class LineReader {
 public:
  LineReader(const std::vector<std::string_view>& columns, CsvImportError* error)
      : columns_(columns), error_(error) {}

  bool Read(ResponseRecord* out) {
    ResponseRecord& record = *out;
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
    record.SetText(TextField::kCompletionDate, digits);
    if (!ReadDigits(csv::kSavedColumn, csv::kStampParts, &digits)) {
      return false;
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
      if (cell.empty()) {
        record.SetResponse(item, kResponseUnset);
      } else if (cell.size() == 1 && cell[0] >= '0' && cell[0] <= '5') {
        record.SetResponse(item, cell[0] - '0');
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
      const std::string_view text = WithoutFormulaGuard(columns_[column]);
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
  CsvImportError* error_;
};

}  // namespace

bool ParseCsvRecords(std::string_view text, std::vector<ResponseRecord>* records,
                     CsvImportError* error) {
  records->clear();
  *error = CsvImportError();
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<ResponseRecord> read;
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
    if (!LineReader(columns, error).Read(&record)) {
      return false;
    }
    read.push_back(std::move(record));
  }
  if (lineNumber == 0) {
    error->line = 1;
    error->message = "the file is empty: the export header line is required";
    return false;
  }
  *error = CsvImportError();
  *records = std::move(read);
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
