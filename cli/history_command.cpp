// acv history: the changes a response file's history records, who made them, when and why, and
// the earlier versions of a record it keeps.
#include <CLI/CLI.hpp>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "storage/history/history_listing.h"
#include "storage/history/history_review.h"

namespace acv::cli {
namespace {

void PrintEntry(const Console& io, int number, const HistoryEntry& entry) {
  io.out << "entry " << number << ": " << EntryTimeText(entry.time, false) << " ("
         << EntryTimeText(entry.time, true) << "), " << Printable(entry.user) << "@"
         << Printable(entry.host) << ", " << Printable(entry.program) << ", "
         << ActionName(entry.action);
  if (entry.action == HistoryAction::kHistoryBegun) {
    io.out << ", " << entry.records.size() << " records\n";
    return;
  }
  if (TakesDataOut(entry.action)) {
    io.out << ", records " << IndexRunsText(entry.taken) << "\n";
    return;
  }
  io.out << ", record " << entry.index;
  if (!entry.fields.empty()) {
    io.out << ", fields changed: " << Printable(entry.fields);
  }
  if (!entry.reason.empty()) {
    io.out << ", reason: " << OneLine(entry.reason);
  }
  io.out << "\n";
}

}  // namespace

int RunHistory(const HistoryOptions& options, const Console& io) {
  HistoryReview review;
  if (const FileStatus status = ReviewHistory(options.file, &review); status != FileStatus::kOk) {
    io.Print(OpenedFileMessage(status, options.file));
    return kExitBadInput;
  }
  if (options.version > 0) {
    const std::vector<RecordVersion> versions = RecordVersions(review, options.index);
    if (options.version > static_cast<int>(versions.size())) {
      io.Say(MessageId::kNoSuchVersion,
             {std::to_string(options.index), std::to_string(versions.size()),
              std::to_string(options.version)});
      return kExitNothingFound;
    }
    const RecordVersion& version = versions[static_cast<std::size_t>(options.version - 1)];
    if (!version.intact) {
      io.Say(MessageId::kVersionChanged,
             {std::to_string(options.version), std::to_string(options.index)});
      return kExitBadInput;
    }
    if (!ShowStoredRecord(io, options.file, options.index, version.bytes)) {
      io.Say(MessageId::kVersionFailsChecksum, {std::to_string(options.version)});
      return kExitBadInput;
    }
    return kExitOk;
  }
  if (!review.exists) {
    io.out << "no history yet: it begins with the file's next change\n";
    return kExitNothingFound;
  }
  int shown = 0;
  for (std::size_t at = 0; at < review.entries.size(); ++at) {
    const HistoryEntry& entry = review.entries[at];
    if (options.index < 0 || Concerns(entry, options.index)) {
      PrintEntry(io, static_cast<int>(at) + 1, entry);
      ++shown;
    }
  }
  for (const HistoryProblem& problem : review.problems) {
    io.Say(MessageId::kWrittenElsewhere, {ProblemText(problem)});
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
  command->callback([options, exitCode, command] {
    *exitCode = RunHistory(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
