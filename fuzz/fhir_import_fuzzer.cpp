// Feeds arbitrary text to the FHIR import: reading must never go wrong, a refusal fills
// nothing, and the records it accepts, written out again as a Bundle, read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "storage/csv/csv_export.h"
#include "storage/fhir/fhir_export.h"
#include "storage/fhir/fhir_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<acv::ResponseRecord> records;
  if (!acv::fhir::ReadBundleRecords(text, &records).empty()) {
    if (!records.empty()) {
      std::abort();
    }
    return 0;
  }
  std::vector<acv::ResponseRecord> again;
  if (!acv::fhir::ReadBundleRecords(acv::fhir::ResponsesBundle(records).dump(), &again).empty() ||
      again.size() != records.size()) {
    std::abort();
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (acv::CsvRecordLine(again[i]) != acv::CsvRecordLine(records[i])) {
      std::abort();
    }
  }
  return 0;
}
