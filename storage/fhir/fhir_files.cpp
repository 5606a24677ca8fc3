#include "storage/fhir/fhir_files.h"

#include "storage/format/record_image.h"
#include "storage/format/response_file_reader.h"
#include "storage/history/history_review.h"

namespace acv::fhir {

std::set<int> EditedRecords(const std::string& fileName) {
  HistoryReview review;
  // "amended" says more than the record itself does: that it was changed after it was saved.
  // Only a history that holds can say so. One that is missing, unreadable or altered could name
  // the wrong records, so then every response stays "completed", which is what its record
  // shows; the answers exported are the stored ones either way.
  if (ReviewHistory(fileName, &review) != FileStatus::kOk || !review.exists ||
      !review.problems.empty()) {
    return {};
  }
  std::set<int> edited;
  for (const HistoryEntry& entry : review.entries) {
    if (entry.action == HistoryAction::kEditReplaced) {
      edited.insert(entry.index);
    }
  }
  return edited;
}

FileResponses WriteResponsesOfFile(const std::string& fileName, const TextSink& sink) {
  FileResponses result;
  ResponseFileReader reader;
  result.status = reader.OpenForReading(fileName, true);
  if (result.status != FileStatus::kOk) {
    return result;
  }
  const std::set<int> edited = EditedRecords(fileName);
  ResponsesBundleWriter bundle(sink);
  StoredRecord bytes{};
  int index = 0;
  for (FileStatus read = reader.ReadNext(&bytes, &index); read != FileStatus::kNoMoreRecords;
       read = reader.ReadNext(&bytes, &index)) {
    ResponseRecord record;
    if (read != FileStatus::kOk || LoadImage(record, bytes.data()) != FileStatus::kOk) {
      result.unread.push_back(index);
      continue;
    }
    if (!bundle.Add(record, edited.contains(index))) {
      result.sinkFailed = true;
      return result;
    }
    result.written.push_back(index);
  }
  result.sinkFailed = !bundle.Finish();
  return result;
}

}  // namespace acv::fhir
