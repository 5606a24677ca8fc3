// acv set-export-password: an administrator sets one of the passwords that open the CSV export.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/password_input.h"
#include "storage/csv/export_passwords.h"
#include "storage/format/file_status.h"
#include "storage/text/messages.h"

namespace acv::cli {

int RunSetExportPassword(const SetExportPasswordOptions& options, const Console& io) {
  std::string password;
  if (!options.clear) {
    if (!options.passwordStdin && !IsTerminal(io.in)) {
      io.Say(MessageId::kPasswordAtTerminal);
      return kExitBadInput;
    }
    if (!ReadSecretLine(io.in, io.err, "New export password: ", &password) || password.empty()) {
      io.Say(MessageId::kNoPasswordGiven);
      return kExitBadInput;
    }
    if (IsTerminal(io.in)) {
      std::string again;
      const bool same =
          ReadSecretLine(io.in, io.err, "Type it again: ", &again) && again == password;
      WipeSecret(&again);
      if (!same) {
        WipeSecret(&password);
        io.Say(MessageId::kPasswordsDiffer);
        return kExitBadInput;
      }
    }
  }
  // A refused file is written anew with this one password.
  ExportPasswords passwords(options.passwordFile, options.passwordOwner);
  const FileStatus status = passwords.Set(options.slot, password);
  WipeSecret(&password);
  if (status == FileStatus::kAccessDenied) {
    io.Say(MessageId::kPasswordsAdministratorOnly, {passwords.path()});
    return kExitBadInput;
  }
  if (status != FileStatus::kOk) {
    io.Say(MessageId::kPasswordsNotWritten, {passwords.path(), FileStatusReason(status)});
    return kExitBadInput;
  }
  io.out << "export password " << options.slot << (options.clear ? " cleared" : " set") << " in "
         << passwords.path() << "\n";
  return kExitOk;
}

void SetupSetExportPasswordCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "set-export-password",
      "Set one of the up to three passwords that open the CSV export (administrators only; "
      "only a salted Argon2id hash is kept, in " +
          std::string(kMachinePasswordFile) + ")");
  auto options = std::make_shared<SetExportPasswordOptions>();
  command->add_option("SLOT", options->slot, "Which password to set: 1, 2 or 3 (default 1)")
      ->check(CLI::Range(1, ExportPasswords::kSlots));
  command->add_flag("--password-stdin", options->passwordStdin,
                    "Read the password as one line of standard input instead of the terminal");
  command->add_flag("--clear", options->clear, "Remove the password of SLOT");
  command->callback(
      [=] { *exitCode = RunSetExportPassword(*options, StandardConsole(command->get_name())); });
}

}  // namespace acv::cli
