#include "storage/analysis_loader.h"

#include "storage/record_image.h"
#include "storage/response_file.h"

namespace acv {
namespace {

int LoadReport(ResponseRecord& target, const std::string& fileName, int index) {
  StoredRecord bytes{};
  const int read = ResponseFile::ReadAt(fileName, index, &bytes);
  if (read < 0) {
    return read;
  }
  if (read != static_cast<int>(kRecordSize)) {
    return kFileShortRead;
  }
  const int loaded = LoadImage(target, bytes.data());
  if (loaded != 0) {
    return loaded;
  }
  target.MarkMetItems();
  return 0;
}

}  // namespace

int LoadSelfReport(Analysis& analysis, const std::string& fileName, int index) {
  return LoadReport(analysis.selfReport(), fileName, index);
}

int LoadObserverReport(Analysis& analysis, const std::string& fileName, int index) {
  return LoadReport(analysis.observerReport(), fileName, index);
}

}  // namespace acv
