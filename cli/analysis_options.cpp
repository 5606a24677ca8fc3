#include "cli/analysis_options.h"

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
                     : Message(MessageId::kNotAnIndex,
                               {Printable(text.substr(0, 20)) + (text.size() > 20 ? "..." : ""),
                                std::to_string(kMaxRecords - 1)})
                           .text;
      },
      "INDEX");
  return validator;
}

void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice) {
  command.add_option("FILE", choice.file, "The response file (.cvr)")->required();
  AddIndexOption(command, "--self", choice.self, "Index of the Self-report record");
  AddIndexOption(command, "--observer", choice.observer, "Index of the Observer-report record");
}

CLI::Option* AddIndexOption(CLI::App& command, const std::string& name, int& index,
                            const std::string& what) {
  return command.add_option(name, index, what + " (0 to " + std::to_string(kMaxRecords - 1) + ")")
      ->check(RecordIndexValidator());
}

std::vector<int> ChosenIndexes(const AnalysisChoice& choice) {
  std::vector<int> indexes;
  for (const int index : {choice.self, choice.observer}) {
    if (index >= 0) {
      indexes.push_back(index);
    }
  }
  return indexes;
}

bool LoadChosenAnalysis(const AnalysisChoice& choice, const Console& io, Analysis& analysis) {
  if (choice.self < 0 && choice.observer < 0) {
    io.Say(MessageId::kChooseReports);
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
      io.Say(MessageId::kRecordNotRead, {std::to_string(index)});
      return false;
    }
    const ResponseRecord& record =
        which == Report::kSelf ? analysis.selfReport() : analysis.observerReport();
    const int expected = which == Report::kSelf ? kSelfReport : kObserverReport;
    if (record.ReportType() != expected) {
      io.Say(
          MessageId::kNotOfItsType,
          {std::to_string(index), which == Report::kSelf ? "a Self-report" : "an Observer-report"});
    }
  }
  return true;
}

}  // namespace acv::cli
