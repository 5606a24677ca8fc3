// acv salvage: every good record of a damaged response file, copied into a new one.
#include <unistd.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/format/response_file.h"
#include "storage/history/history_journal.h"

namespace acv::cli {

int RunSalvage(const SalvageOptions& options, const Console& io) {
  if (access(options.fresh.c_str(), F_OK) == 0) {
    io.Say(MessageId::kSalvageTargetExists, {options.fresh});
    return kExitBadInput;
  }
  std::vector<StoredRecord> good;
  unsigned lost = 0;
  // Each record left out, and why, and each taken in from beyond the commit mark, as the walk
  // comes upon it.
  const auto leftOut = [&io](const Damage& damage) {
    io.Say(damage.reason == DamageReason::kBeyondCommitMark ? MessageId::kSalvageTookIn
                                                            : MessageId::kSalvageLeftOut,
           {DamageText(damage)});
  };
  if (const FileStatus read = ResponseFile::Salvage(options.damaged, &good, &lost, leftOut);
      read != FileStatus::kOk) {
    io.Say(MessageId::kSalvageUnreadable, {options.damaged, ReadFailure(read)});
    return kExitBadInput;
  }
  if (good.empty() && lost == 0) {
    io.Say(MessageId::kSalvageNoRecords, {options.damaged});
    return kExitPartial;
  }
  // Written whole or not at all: a salvage cut short leaves no part of the new file, and the new
  // file's history begins with the records it took.
  HistoryJournal journal(options.fresh, {HistoryAction::kSalvaged});
  if (const FileStatus status = good.empty()
                                    ? FileStatus::kOk
                                    : ResponseFile::WriteNewFile(options.fresh, good, &journal);
      status != FileStatus::kOk) {
    io.Print(SaveFailureMessage(status));
    return kExitBadInput;
  }
  io.out << "kept " << good.size() << ", lost " << lost << "\n";
  return lost == 0 ? kExitOk : kExitPartial;
}

void SetupSalvageCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<SalvageOptions>();
  CLI::App* command = app.add_subcommand(
      "salvage", "Copy every record that passes its checksum into a new response file");
  command->add_option("DAMAGED", options->damaged, "The damaged response file")->required();
  command->add_option("NEW", options->fresh, "The new response file (must not exist)")->required();
  command->callback([options, exitCode, command] {
    *exitCode = RunSalvage(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
