// Feeds arbitrary text to the CSV import: parsing must never go wrong, and every record it
// accepts must export to a line that imports again as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/csv_export.h"
#include "storage/csv_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<acv::ResponseRecord> records;
  acv::CsvImportError error;
  if (!acv::ParseCsvRecords(text, &records, &error)) {
    if (!records.empty() || error.line < 1 || error.column < 0 ||
        error.column > acv::kCsvColumnCount) {
      std::abort();
    }
    acv::DescribeImportError(error);
    return 0;
  }
  for (const acv::ResponseRecord& record : records) {
    const std::string line = acv::CsvRecordLine(record);
    std::vector<acv::ResponseRecord> again;
    if (!acv::ParseCsvRecords(acv::CsvHeaderLine() + "\r\n" + line, &again, &error) ||
        again.size() != 1 || acv::CsvRecordLine(again[0]) != line) {
      std::abort();
    }
  }
  return 0;
}
