// acv history: the changes a response file's history records, who made them, when and why, and
// the earlier versions of a record it keeps.
#include <CLI/CLI.hpp>
#include <ctime>
#include <iostream>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "storage/history/history_review.h"

namespace acv::cli {
namespace {

std::string TimeText(std::int64_t seconds, bool utc) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (utc) {
    gmtime_r(&time, &parts);
  } else {
    localtime_r(&time, &parts);
  }
  char text[64];
  const std::size_t size = std::strftime(
      text, sizeof text, utc ? "%Y-%m-%d %H:%M:%S UTC" : "%Y-%m-%d %H:%M:%S %Z", &parts);
  return std::string(text, size);
}

void PrintEntry(int number, const HistoryEntry& entry) {
  std::cout << "entry " << number << ": " << TimeText(entry.time, false) << " ("
            << TimeText(entry.time, true) << "), " << Printable(entry.user) << "@"
            << Printable(entry.host) << ", " << Printable(entry.program) << ", "
            << ActionName(entry.action);
  if (entry.action == HistoryAction::kHistoryBegun) {
    std::cout << ", " << entry.records.size() << " records\n";
    return;
  }
  if (TakesDataOut(entry.action)) {
    std::cout << ", records " << IndexRunsText(entry.taken) << "\n";
    return;
  }
  std::cout << ", record " << entry.index;
  if (!entry.fields.empty()) {
    std::cout << ", fields changed: " << Printable(entry.fields);
  }
  if (!entry.reason.empty()) {
    std::cout << ", reason: " << OneLine(entry.reason);
  }
  std::cout << "\n";
}

}  // namespace

int RunHistory(const HistoryOptions& options) {
  HistoryReview review;
  if (const FileStatus status = ReviewHistory(options.file, &review); status != FileStatus::kOk) {
    PrintMessage("history", OpenedFileMessage(status, options.file));
    return kExitBadInput;
  }
  if (options.version > 0) {
    const std::vector<RecordVersion> versions = RecordVersions(review, options.index);
    if (options.version > static_cast<int>(versions.size())) {
      std::cerr << "acv history: record " << options.index << " has " << versions.size()
                << " versions, not " << options.version << "\n";
      return kExitNothingFound;
    }
    const RecordVersion& version = versions[static_cast<std::size_t>(options.version - 1)];
    if (!version.intact) {
      std::cerr << "acv history: version " << options.version << " of record " << options.index
                << " was changed after the history kept it (it no longer matches the hash its "
                   "entry holds): it is not shown\n";
      return kExitBadInput;
    }
    if (!ShowStoredRecord(options.file, options.index, version.bytes)) {
      std::cerr << "acv history: version " << options.version << " fails its checksum\n";
      return kExitBadInput;
    }
    return kExitOk;
  }
  if (!review.exists) {
    std::cout << "no history yet: it begins with the file's next change\n";
    return kExitNothingFound;
  }
  int shown = 0;
  for (std::size_t at = 0; at < review.entries.size(); ++at) {
    const HistoryEntry& entry = review.entries[at];
    if (options.index < 0 || Concerns(entry, options.index)) {
      PrintEntry(static_cast<int>(at) + 1, entry);
      ++shown;
    }
  }
  for (const HistoryProblem& problem : review.problems) {
    std::cerr << "acv history: " << ProblemText(problem) << "\n";
  }
  if (!review.problems.empty()) {
    return kExitPartial;
  }
  return shown > 0 ? kExitOk : kExitNothingFound;
}

void SetupHistoryCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<HistoryOptions>();
  CLI::App* command = app.add_subcommand(
      "history", "List the changes kept in a response file's history, or show an earlier version");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  CLI::Option* index =
      command->add_option("--index", options->index, "Only the entries of this record")
          ->check(RecordIndexValidator());
  command
      ->add_option("--version", options->version,
                   "Show this version of the record (1 the oldest kept), as acv show does")
      ->needs(index)
      ->check(CLI::PositiveNumber);
  command->callback([options, exitCode] { *exitCode = RunHistory(*options); });
}

}  // namespace acv::cli
