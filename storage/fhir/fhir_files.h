// The FHIR export of a whole response file: every record's QuestionnaireResponse in one
// collection Bundle, and which records a replacing edit changed.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "storage/fhir/fhir_export.h"
#include "storage/format/file_status.h"

namespace acv::fhir {

// The indexes of the records of `fileName` that its history shows a replacing edit changed;
// none when it has no history, or one that does not hold.
std::set<int> EditedRecords(const std::string& fileName);

struct FileResponses {
  FileStatus status = FileStatus::kOk;  // the failure of the open; kOk once it opened
  std::vector<int> written;             // the indexes of the records written
  std::vector<int> unread;              // the indexes of those that could not be read
  bool sinkFailed = false;              // the sink refused text, and the export stopped there
};

// Writes the collection Bundle of the records of `fileName` to `sink`, one record at a time,
// each `amended` when EditedRecords names it. Nothing is written when the file does not open.
FileResponses WriteResponsesOfFile(const std::string& fileName, const TextSink& sink);

}  // namespace acv::fhir
