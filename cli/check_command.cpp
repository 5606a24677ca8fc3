// acv check: a response file's header, how many of its records load, the records whose
// verification mark no longer matches their answers, and whether its history holds.
#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/records/file_check.h"

namespace acv::cli {
namespace {

void PrintDamage(const Console& io, const RecordIndex& index) {
  for (const Damage& damage : index.damage) {
    io.out << "damaged: " << DamageText(damage) << "\n";
  }
}

// The history beside the file: whether its chain holds and every record is what it last made
// it, and with `versions` every earlier version it keeps is what its entry says. False when it
// names a problem.
bool PrintHistoryCheck(const Console& io, FileStatus status, HistoryReview& review, bool versions) {
  if (status != FileStatus::kOk) {
    io.out << "history: cannot be read: " << ReadFailure(status) << "\n";
    return false;
  }
  if (!review.exists) {
    io.out << "history: none yet (it begins with the file's next change)\n";
    return true;
  }
  if (versions && review.problems.empty()) {
    review.problems = ChangedVersions(review);
  }
  for (const HistoryProblem& problem : review.problems) {
    io.out << "history: " << ProblemText(problem) << "\n";
  }
  if (review.problems.empty()) {
    io.out << "history: " << review.entries.size()
           << " entries; the chain holds and every record matches it"
           << (versions ? ", as does every earlier version it keeps" : "") << "\n";
  }
  return review.problems.empty();
}

}  // namespace

int RunCheck(const CheckOptions& options, const Console& io) {
  FileCheck check = CheckResponseFile(options.file);
  const RecordIndex& index = check.index;
  const FileStatus status = check.indexStatus;
  if (status == FileStatus::kTooShort) {
    io.Say(MessageId::kHoldsNoRecords, {options.file});
    PrintDamage(io, index);
    return kExitPartial;
  }
  if (status != FileStatus::kOk) {
    io.Print(OpenedFileMessage(status, options.file));
    return kExitBadInput;
  }
  // The header as read by the same open as the records.
  io.out << "version: " << PrintableRecordText(index.header.version) << "\n"
         << "created: " << PrintableRecordText(index.header.created) << "\n"
         << "modified: " << PrintableRecordText(index.header.modified) << "\n"
         << "records: " << index.recordCount << "\n";
  // Every byte range once: the records counted, those of them that do not load, and the parts
  // after them that are not read.
  const auto unread = std::count_if(index.damage.begin(), index.damage.end(),
                                    [&](const Damage& d) { return d.slot >= index.recordCount; });
  io.out << "corrupt: " << index.damage.size() - static_cast<std::size_t>(unread) << "\n"
         << "unread: " << unread << "\n";
  PrintDamage(io, index);
  // A record whose answers were changed after it was verified reads as unverified.
  std::vector<int> broken;
  for (const IndexEntry& entry : index.entries) {
    if (entry.markBroken) {
      broken.push_back(entry.fileIndex);
    }
  }
  std::sort(broken.begin(), broken.end());
  for (const int record : broken) {
    io.out << "verification mark broken: record " << record
           << ": its answers are no longer those that were verified\n";
  }
  const bool historyHolds =
      PrintHistoryCheck(io, check.historyStatus, check.review, options.versions);
  return index.corruptCount == 0 && broken.empty() && historyHolds ? kExitOk : kExitPartial;
}

void SetupCheckCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command =
      app.add_subcommand("check", "Show a response file's header and count its records");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  command->add_flag("--versions", options->versions,
                    "Also check every earlier version of a record the history keeps (slower: it "
                    "reads the whole history)");
  command->callback([options, exitCode, command] {
    *exitCode = RunCheck(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
