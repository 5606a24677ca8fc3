// acv score: scores one questionnaire given on the command line and prints the result as JSON.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"
#include "engine/omega.h"
#include "engine/screens.h"

namespace acv::cli {
namespace {

// The record for one line of 190 response characters, or the reason it is not one.
std::optional<ResponseRecord> ParseResponses(const std::string& text, int reportType,
                                             UserMessage* problem) {
  if (text.size() != static_cast<std::size_t>(kItemCount)) {
    *problem = Message(MessageId::kResponsesLength,
                       {std::to_string(kItemCount), std::to_string(text.size())});
    return std::nullopt;
  }
  ResponseRecord record;
  record.SetReportType(reportType);
  for (int item = 1; item <= kItemCount; ++item) {
    const char c = text[item - 1];
    int value = ResponseRecord::ParsePaperResponse(std::string_view(&c, 1));
    if (value < 0 && (c == '.' || c == '7' || c == ' ')) {
      value = kResponseUnset;  // stored as a blank
    } else if (value < 0) {
      *problem = Message(MessageId::kResponsesCharacter,
                         {std::to_string(item), Printable(std::string(1, c))});
      return std::nullopt;
    }
    record.SetResponse(item, value);
  }
  record.MarkMetItems();
  return record;
}

nlohmann::ordered_json ScoreJson(const ResponseRecord& record, const std::string& type) {
  nlohmann::ordered_json metItems = nlohmann::ordered_json::array();
  for (int item = 1; item <= kItemCount; ++item) {
    if (record.IsMet(item)) {
      metItems.push_back(item);
    }
  }
  nlohmann::ordered_json screens = nlohmann::ordered_json::array();
  int positiveCount = 0;
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenInfo& info = ScreenTableRow(row);
    const ScreenResult result = EvaluateScreen(row, record);
    positiveCount += result.positive ? 1 : 0;
    screens.push_back({{"row", row},
                       {"label", Cp1252ToUtf8(info.label)},
                       {"category", Cp1252ToUtf8(info.category)},
                       {"positive", result.positive},
                       {"counts", result.counts},
                       {"itemsMet", result.itemsMet},
                       {"cutoff", Cp1252ToUtf8(info.cutoffText)}});
  }
  const OmegaResult omega = ComputeOmega(record);
  return {{"reportType", type},
          {"metItems", metItems},
          {"screens", screens},
          {"positiveCount", positiveCount},
          {"omega", {{"text", omega.text}, {"aboveCutoff", omega.aboveCutoff}}}};
}

}  // namespace

int RunScore(const ScoreOptions& options, const Console& io) {
  UserMessage problem;
  const auto record = ParseResponses(
      options.responses, options.type == "observer" ? kObserverReport : kSelfReport, &problem);
  if (!record) {
    io.Print(problem);
    return kExitBadInput;
  }
  io.out << ScoreJson(*record, options.type).dump() << "\n";
  return kExitOk;
}

void SetupScoreCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ScoreOptions>();
  CLI::App* command = app.add_subcommand(
      "score", "Score one questionnaire: met items, the 26 screens and Omega, as JSON");
  command->add_option("--type", options->type, "Report type: self or observer")
      ->required()
      ->check(CLI::IsMember({"self", "observer"}));
  command
      ->add_option("RESPONSES", options->responses,
                   "190 characters in item order: 0-5 a rating; '.', '7' or a blank for none")
      ->required();
  command->callback([options, exitCode, command] {
    *exitCode = RunScore(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
