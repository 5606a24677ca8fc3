// acv export: a whole response file to a CSV file, behind the export password, as the window's
// File > Export does it.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/password_input.h"
#include "storage/csv/csv_export.h"
#include "storage/csv/export_passwords.h"
#include "storage/text/messages.h"

namespace acv::cli {

int RunExport(const ExportOptions& options, const Console& io) {
  if (!options.acvFile.ends_with(".cvr") || options.acvFile.size() < 5) {
    io.Say(MessageId::kBrowseNotCvr);
    return kExitBadInput;
  }
  if (!options.csvFile.ends_with(".csv") || options.csvFile.size() < 5) {
    io.Say(MessageId::kBrowseNotCsv);
    return kExitBadInput;
  }
  const ExportPasswords passwords(options.passwordFile, options.passwordOwner);
  if (!passwords.refusal().empty()) {
    io.Say(MessageId::kExportPasswordRefused, {passwords.refusal()});
    return kExitBadInput;
  }
  if (!passwords.AnySet()) {
    io.Say(MessageId::kNoExportPassword);
    return kExitBadInput;
  }
  if (!options.passwordStdin && !IsTerminal(io.in)) {
    io.Say(MessageId::kPasswordAtTerminal);
    return kExitBadInput;
  }
  std::string password;
  const bool accepted =
      ReadSecretLine(io.in, io.err, "Export password: ", &password) && passwords.Accepts(password);
  WipeSecret(&password);
  if (!accepted) {
    io.Say(MessageId::kWrongPassword);
    return kExitBadInput;
  }
  const std::string acvName = Stem(options.acvFile, ".cvr");
  const std::string csvName = Stem(options.csvFile, ".csv");
  const ExportOutcome outcome = ExportResponseFile(acvName, csvName, [&] { return options.force; });
  switch (outcome.result) {
    case ExportResult::kAcvOpenError:
      io.Print(AcvFileOpenMessage(outcome.code, acvName));
      return kExitBadInput;
    case ExportResult::kCsvOpenError:
      io.Print(ExportFileOpenMessage(outcome.code, csvName));
      return kExitBadInput;
    case ExportResult::kCsvWriteError:
      io.Print(ExportFileWriteMessage(outcome.code, csvName));
      return kExitBadInput;
    case ExportResult::kDeclined:
      io.Say(MessageId::kAlreadyExistsForce, {options.csvFile});
      return kExitBadInput;
    case ExportResult::kDone:
      break;
  }
  if (!outcome.recorded) {
    io.Say(MessageId::kTakeOutNotRecorded, {options.acvFile});
  }
  const UserMessage summary = ExportSummaryMessage(acvName, csvName, outcome.counts);
  io.out << summary.caption << "\n" << summary.text << "\n";
  return outcome.counts.written == outcome.counts.records ? kExitOk : kExitPartial;
}

void SetupExportCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "export",
      "Export a whole response file to a CSV file, behind the export password. The CSV file "
      "shows every respondent's details as plain text: by exporting you accept responsibility "
      "for its privacy");
  auto options = std::make_shared<ExportOptions>();
  command->add_option("FILE", options->acvFile, "The response file (.cvr)")->required();
  command->add_option("OUT", options->csvFile, "The export file (.csv)")->required();
  command->add_flag("--force", options->force, "Replace OUT when it exists");
  command->add_flag("--password-stdin", options->passwordStdin,
                    "Read the password as one line of standard input instead of the terminal");
  command->callback([=] { *exitCode = RunExport(*options, StandardConsole(command->get_name())); });
}

}  // namespace acv::cli
