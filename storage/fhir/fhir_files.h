// The FHIR export of a whole response file: every record's QuestionnaireResponse in one
// collection Bundle.
#pragma once

#include <string>
#include <vector>

#include "storage/fhir/fhir_export.h"
#include "storage/format/file_status.h"

namespace acv::fhir {

struct FileResponses {
  FileStatus status = FileStatus::kOk;  // the failure of the open; kOk once it opened
  Json bundle;                          // the records that could be read
  std::vector<int> unread;              // the indexes of those that could not
};

FileResponses ResponsesOfFile(const std::string& fileName);

}  // namespace acv::fhir
