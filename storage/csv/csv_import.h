// Reading records back from text in the export format: the way existing data is brought into a
// response file. Every line is checked before any record is made.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"
#include "storage/format/format.h"

namespace acv {

// The most a CSV file for one response file can hold: the header line and 657 record lines,
// each well under 4,096 bytes even with every text in three-byte UTF-8.
inline constexpr std::size_t kMaxCsvLineBytes = 4096;
inline constexpr std::size_t kMaxCsvFileBytes = (kMaxRecords + 1) * kMaxCsvLineBytes;

struct CsvImportError {
  int line = 0;    // 1 for the header
  int column = 0;  // 1-based; 0 when the whole line is wrong
  std::string message;
};

// A record that is imported but that the selection dialogs could never find.
struct CsvImportWarning {
  int line = 0;
  std::string message;
};

struct CsvImport {
  std::vector<ResponseRecord> records;  // their saved time-stamps empty when a line had none
  std::vector<CsvImportWarning> warnings;
};

// Parses `text` (the header line, then one line per record; CR LF or LF line ends). A text
// that is well-formed UTF-8 (with or without a byte order mark) is read as UTF-8 and its texts
// converted to code page 1252; any other text is read as code page 1252. A file with more than
// `capacity` record lines is refused before any is parsed. Returns true with every record, or
// false with the first fault found and `imported` left empty. A text cell's leading backquote
// that guards a formula is taken off again.
bool ParseCsvRecords(std::string_view text, std::size_t capacity, CsvImport* imported,
                     CsvImportError* error);

// "line L, column C (Name): message".
std::string DescribeImportError(const CsvImportError& error);

}  // namespace acv
