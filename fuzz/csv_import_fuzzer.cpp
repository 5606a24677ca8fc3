// Feeds arbitrary text to the CSV import: parsing must never go wrong, and every record it
// accepts must export to a line that imports again as the same record (unless that line happens
// to be well-formed UTF-8 with characters beyond ASCII, which the import reads as UTF-8).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/cp1252.h"
#include "storage/csv/csv_export.h"
#include "storage/csv/csv_import.h"
#include "storage/format/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  acv::CsvImport imported;
  acv::CsvImportError error;
  if (!acv::ParseCsvRecords(text, acv::kMaxRecords, &imported, &error)) {
    if (!imported.records.empty() || error.line < 1 || error.column < 0 ||
        error.column > acv::kCsvColumnCount) {
      std::abort();
    }
    acv::DescribeImportError(error);
    return 0;
  }
  for (const acv::ResponseRecord& record : imported.records) {
    const std::string line = acv::CsvRecordLine(record);
    if (acv::IsValidUtf8(line) &&
        std::any_of(line.begin(), line.end(), [](char c) { return c < 0; })) {
      continue;  // read as UTF-8, which may not store in code page 1252
    }
    acv::CsvImport again;
    if (!acv::ParseCsvRecords(acv::CsvHeaderLine() + "\r\n" + line, 1, &again, &error) ||
        again.records.size() != 1 || acv::CsvRecordLine(again.records[0]) != line) {
      std::abort();
    }
  }
  return 0;
}
