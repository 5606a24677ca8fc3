#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/drafts/draft.h"
#include "storage/drafts/draft_folder.h"
#include "storage/drafts/draft_messages.h"
#include "storage/text/messages.h"

namespace acv::cli {

int RunDrafts(const DraftsOptions& options, const Console& io) {
  const DraftFolder folder = DraftFolder::ForUser();
  if (const FileStatus status = folder.CheckPrivate(); status == FileStatus::kNotPrivate) {
    io.Say(MessageId::kDraftsNotRead, {folder.path(), FileStatusReason(status)});
    return kExitBadInput;
  }
  std::vector<SetAsideDraft> setAside;
  const std::vector<FoundDraft> found = folder.List(&setAside);
  if (!setAside.empty()) {
    for (const SetAsideDraft& file : setAside) {
      io.Say(MessageId::kDraftSetAside,
             {file.id, DraftFaultText(file.fault), SetAsideOutcome(file)});
    }
  }
  if (!options.discard.empty()) {
    for (const FoundDraft& draft : found) {
      if (draft.id == options.discard) {
        if (folder.Remove(draft.id) != FileStatus::kOk) {
          io.Say(MessageId::kDraftNotRemoved, {draft.id});
          return kExitBadInput;
        }
        io.out << "discarded " << Printable(draft.id) << "\n";
        return kExitOk;
      }
    }
    io.Say(MessageId::kNoSuchDraft, {options.discard});
    return kExitNothingFound;
  }
  for (const FoundDraft& draft : found) {
    io.out << draft.id << "\t" << PrintableRecordText(DraftSummary(draft.draft)) << "\n";
  }
  return found.empty() ? kExitNothingFound : kExitOk;
}

void SetupDraftsCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<DraftsOptions>();
  CLI::App* command = app.add_subcommand(
      "drafts", "List the unfinished questionnaires in your drafts (never their answers)");
  command->add_option("--discard", options->discard, "Remove the draft with this ID");
  command->callback([options, exitCode, command] {
    *exitCode = RunDrafts(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
