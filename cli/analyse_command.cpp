// acv analyse: every text of an analysis of one or two stored records, as JSON.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"

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
      {"verification", VerificationText(analysis.report(which).GetVerification())},
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

}  // namespace

int RunAnalyse(const AnalysisChoice& options, const Console& io) {
  Analysis analysis;
  if (!LoadChosenAnalysis(options, io, analysis)) {
    return kExitBadInput;
  }
  io.out << AnalysisJson(analysis).dump() << "\n";
  return kExitOk;
}

void SetupAnalyseCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "analyse",
      "Analyse a Self-report and/or an Observer-report of a response file, as JSON "
      "(a record of the other type is analysed too, with a warning)");
  auto options = std::make_shared<AnalysisChoice>();
  AddAnalysisOptions(*command, *options);
  command->callback([options, exitCode, command] {
    *exitCode = RunAnalyse(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
