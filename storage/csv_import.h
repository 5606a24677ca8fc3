// Reading records back from text in the export format: the way existing data is brought into a
// response file. Every line is checked before any record is made.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"

namespace acv {

struct CsvImportError {
  int line = 0;    // 1 for the header
  int column = 0;  // 1-based; 0 when the whole line is wrong
  std::string message;
};

// Parses `text` (the header line, then one line per record; CR LF or LF line ends). Returns
// true with every record (its saved time-stamp empty when the line had none), or false with the
// first fault found and `records` left empty. A text cell's leading backquote that guards a
// formula character is taken off again.
bool ParseCsvRecords(std::string_view text, std::vector<ResponseRecord>* records,
                     CsvImportError* error);

// "line L, column C (Name): message".
std::string DescribeImportError(const CsvImportError& error);

}  // namespace acv
