#include "cli/analysis_options.h"

#include <iostream>
#include <optional>
#include <utility>

#include "storage/analysis_loader.h"
#include "storage/format.h"
#include "storage/messages.h"
#include "storage/record_image.h"

namespace acv::cli {

namespace {

// The record index typed for `option`: -1 when none was given; nothing, with the problem said
// plainly, when it is not an index of a record.
std::optional<int> RecordIndexOption(const std::string& command, const std::string& option,
                                     const std::string& text) {
  if (text.empty()) {
    return -1;
  }
  if (text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos &&
      std::stoi(text) < kMaxRecords) {
    return std::stoi(text);
  }
  std::cerr << "acv " << command << ": " << option << " must be a record index from 0 to "
            << kMaxRecords - 1 << "\n";
  return std::nullopt;
}

}  // namespace

void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice) {
  command.add_option("FILE", choice.file, "The response file (.cvr)")->required();
  command.add_option("--self", choice.self, "Index of the Self-report record (0 to 656)");
  command.add_option("--observer", choice.observer,
                     "Index of the Observer-report record (0 to 656)");
}

bool LoadChosenAnalysis(const AnalysisChoice& choice, const std::string& command,
                        Analysis& analysis) {
  const std::optional<int> self = RecordIndexOption(command, "--self", choice.self);
  const std::optional<int> observer = RecordIndexOption(command, "--observer", choice.observer);
  if (!self || !observer) {
    return false;
  }
  if (*self < 0 && *observer < 0) {
    std::cerr << "acv " << command << ": give --self INDEX, --observer INDEX or both\n";
    return false;
  }
  for (const auto& [index, which] :
       {std::pair{*self, Report::kSelf}, std::pair{*observer, Report::kObserver}}) {
    if (index < 0) {
      continue;
    }
    const FileStatus status = which == Report::kSelf
                                  ? LoadSelfReport(analysis, choice.file, index)
                                  : LoadObserverReport(analysis, choice.file, index);
    if (status != FileStatus::kOk) {
      std::cerr << "acv " << command << ": " << caption::kReadError << ": record " << index
                << ": There was an error trying to read the records you have selected.\n";
      return false;
    }
    const ResponseRecord& record =
        which == Report::kSelf ? analysis.selfReport() : analysis.observerReport();
    const int expected = which == Report::kSelf ? kSelfReport : kObserverReport;
    if (record.ReportType() != expected) {
      std::cerr << "acv " << command << ": warning: record " << index << " is not "
                << (which == Report::kSelf ? "a Self-report" : "an Observer-report") << "\n";
    }
  }
  return true;
}

}  // namespace acv::cli
