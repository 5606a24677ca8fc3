#include "storage/fhir/fhir_files.h"

#include "storage/format/record_image.h"
#include "storage/format/response_file_reader.h"

namespace acv::fhir {

FileResponses ResponsesOfFile(const std::string& fileName) {
  FileResponses result;
  ResponseFileReader reader;
  result.status = reader.OpenForReading(fileName, true);
  if (result.status != FileStatus::kOk) {
    return result;
  }
  std::vector<ResponseRecord> records;
  records.reserve(static_cast<std::size_t>(reader.recordCount()));
  StoredRecord bytes{};
  int index = 0;
  for (FileStatus read = reader.ReadNext(&bytes, &index); read != FileStatus::kNoMoreRecords;
       read = reader.ReadNext(&bytes, &index)) {
    ResponseRecord record;
    if (read != FileStatus::kOk || LoadImage(record, bytes.data()) != FileStatus::kOk) {
      result.unread.push_back(index);
      continue;
    }
    records.push_back(std::move(record));
  }
  result.bundle = ResponsesBundle(records);
  return result;
}

}  // namespace acv::fhir
