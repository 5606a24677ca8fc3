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
    const std::vector<StoredRecord> versions = RecordVersions(review, options.index);
    if (options.version > static_cast<int>(versions.size())) {
      io.err << "acv history: record " << options.index << " has " << versions.size()
             << " versions, not " << options.version << "\n";
      return kExitNothingFound;
    }
    const StoredRecord& bytes = versions[static_cast<std::size_t>(options.version - 1)];
    if (!ShowStoredRecord(io, options.file, options.index, bytes)) {
      io.err << "acv history: version " << options.version << " fails its checksum\n";
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
    if (options.index < 0 || EntryConcerns(entry, options.index)) {
      PrintEntry(io, static_cast<int>(at) + 1, entry);
      ++shown;
    }
  }
  for (const HistoryProblem& problem : review.problems) {
    io.err << "acv history: " << ProblemText(problem) << "\n";
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
