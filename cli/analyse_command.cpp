// acv analyse: every text of an analysis of one or two stored records, as JSON.
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/commands.h"
#include "engine/cp1252.h"
#include "storage/analysis_loader.h"
#include "storage/format.h"
#include "storage/messages.h"
#include "storage/record_image.h"

namespace acv::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& text) {
  return Cp1252ToUtf8(text);
}

Json ReportJson(const Analysis& analysis, Report which) {
  Json screens = Json::array();
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenResult result = analysis.ScreenForReport(row, which);
    screens.push_back({{"row", row},
                       {"positive", result.positive},
                       {"counts", result.counts},
                       {"itemsMet", result.itemsMet}});
  }
  return {
      {"positiveCount", analysis.PositiveScreenCountText(which)},
      {"omega", which == Report::kSelf ? analysis.SelfOmegaText() : analysis.ObserverOmegaText()},
      {"screens", screens}};
}

Json AnalysisJson(const Analysis& a) {
  return {{"selfAbsent", a.IsSelfAbsent()},
          {"observerAbsent", a.IsObserverAbsent()},
          {"details",
           {{"respondentName", Utf8(a.RespondentNameText())},
            {"firstName", Utf8(a.FirstNameText())},
            {"lastName", Utf8(a.LastNameText())},
            {"observerName", Utf8(a.ObserverNameText())},
            {"address", Utf8(a.AddressText())},
            {"phone", Utf8(a.PhoneText())},
            {"gender", a.GenderText()},
            {"birthDate", a.BirthDateText()},
            {"completionDate", a.CompletionDateText()},
            {"age", a.AgeText()}}},
          {"comments",
           {{"self", Utf8(a.SelfCommentText())},
            {"observer", Utf8(a.ObserverCommentText())},
            {"all", Utf8(a.CommentsText())}}},
          {"self", ReportJson(a, Report::kSelf)},
          {"observer", ReportJson(a, Report::kObserver)},
          {"reliabilityAttained", a.ReliabilityAttainedText()},
          {"reliabilityComment", a.ReliabilityCommentText()}};
}

// The record index typed for `option`: -1 when none was given; nothing, with the problem said
// plainly however long the number typed, when it is not an index of a record.
std::optional<int> RecordIndexOption(const std::string& option, const std::string& text) {
  if (text.empty()) {
    return -1;
  }
  if (text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos &&
      std::stoi(text) < kMaxRecords) {
    return std::stoi(text);
  }
  std::cerr << "acv analyse: " << option << " must be a record index from 0 to " << kMaxRecords - 1
            << "\n";
  return std::nullopt;
}

}  // namespace

void SetupAnalyseCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "analyse",
      "Analyse a Self-report and/or an Observer-report of a response file, as JSON "
      "(a record of the other type is analysed too, with a warning)");
  auto file = std::make_shared<std::string>();
  auto selfText = std::make_shared<std::string>();
  auto observerText = std::make_shared<std::string>();
  command->add_option("FILE", *file, "The response file (.cvr)")->required();
  command->add_option("--self", *selfText, "Index of the Self-report record (0 to 656)");
  command->add_option("--observer", *observerText,
                      "Index of the Observer-report record (0 to 656)");
  command->callback([=] {
    const std::optional<int> self = RecordIndexOption("--self", *selfText);
    const std::optional<int> observer = RecordIndexOption("--observer", *observerText);
    if (!self || !observer) {
      *exitCode = kExitBadInput;
      return;
    }
    if (*self < 0 && *observer < 0) {
      std::cerr << "acv analyse: give --self INDEX, --observer INDEX or both\n";
      *exitCode = kExitBadInput;
      return;
    }
    Analysis analysis;
    for (const auto& [index, which] :
         {std::pair{*self, Report::kSelf}, std::pair{*observer, Report::kObserver}}) {
      if (index < 0) {
        continue;
      }
      const FileStatus status = which == Report::kSelf ? LoadSelfReport(analysis, *file, index)
                                                       : LoadObserverReport(analysis, *file, index);
      if (status != FileStatus::kOk) {
        std::cerr << "acv analyse: " << caption::kReadError << ": record " << index << ": "
                  << "There was an error trying to read the records you have selected.\n";
        *exitCode = kExitBadInput;
        return;
      }
      const ResponseRecord& record =
          which == Report::kSelf ? analysis.selfReport() : analysis.observerReport();
      const int expected = which == Report::kSelf ? kSelfReport : kObserverReport;
      if (record.ReportType() != expected) {
        std::cerr << "acv analyse: warning: record " << index << " is not "
                  << (which == Report::kSelf ? "a Self-report" : "an Observer-report") << "\n";
      }
    }
    std::cout << AnalysisJson(analysis).dump() << "\n";
    *exitCode = kExitOk;
  });
}

}  // namespace acv::cli
