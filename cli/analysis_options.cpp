#include "cli/analysis_options.h"

#include <iostream>
#include <utility>

#include "cli/output.h"
#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/records/analysis_loader.h"
#include "storage/text/messages.h"

namespace acv::cli {

const CLI::Validator& RecordIndexValidator() {
  // Checked as typed, before any conversion.
  static const CLI::Validator validator(
      [](const std::string& text) -> std::string {
        const bool index = !text.empty() && text.size() <= 3 &&
                           text.find_first_not_of("0123456789") == std::string::npos &&
                           std::stoi(text) < kMaxRecords;
        return index ? std::string()
                     : "'" + Printable(text.substr(0, 20)) + (text.size() > 20 ? "..." : "") +
                           "' is not a record index: an index is a record's place in the file, "
                           "0 for the first record up to " +
                           std::to_string(kMaxRecords - 1) + ", as acv list prints it";
      },
      "INDEX");
  return validator;
}

void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice) {
  command.add_option("FILE", choice.file, "The response file (.cvr)")->required();
  command.add_option("--self", choice.self, "Index of the Self-report record (0 to 656)")
      ->check(RecordIndexValidator());
  command
      .add_option("--observer", choice.observer, "Index of the Observer-report record (0 to 656)")
      ->check(RecordIndexValidator());
}

bool LoadChosenAnalysis(const AnalysisChoice& choice, const std::string& command,
                        Analysis& analysis) {
  if (choice.self < 0 && choice.observer < 0) {
    Say(command, MessageId::kChooseReports);
    return false;
  }
  for (const auto& [index, which] :
       {std::pair{choice.self, Report::kSelf}, std::pair{choice.observer, Report::kObserver}}) {
    if (index < 0) {
      continue;
    }
    const FileStatus status = which == Report::kSelf
                                  ? LoadSelfReport(analysis, choice.file, index)
                                  : LoadObserverReport(analysis, choice.file, index);
    if (status != FileStatus::kOk) {
      Say(command, MessageId::kRecordNotRead, {std::to_string(index)});
      return false;
    }
    const ResponseRecord& record =
        which == Report::kSelf ? analysis.selfReport() : analysis.observerReport();
    const int expected = which == Report::kSelf ? kSelfReport : kObserverReport;
    if (record.ReportType() != expected) {
      Say(command, MessageId::kNotOfItsType,
          {std::to_string(index), which == Report::kSelf ? "a Self-report" : "an Observer-report"});
    }
  }
  return true;
}

}  // namespace acv::cli
