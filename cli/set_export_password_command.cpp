// acv set-export-password: an administrator sets one of the passwords that open the CSV export.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/commands.h"
#include "cli/password_input.h"
#include "storage/csv/export_passwords.h"
#include "storage/format/file_status.h"
#include "storage/text/messages.h"

namespace acv::cli {

int RunSetExportPassword(const SetExportPasswordOptions& options, std::istream& in,
                         std::ostream& out, std::ostream& err) {
  const std::string name = "acv set-export-password: ";
  std::string password;
  if (!options.clear) {
    if (!options.passwordStdin && !IsTerminal(in)) {
      err << name
          << "type the password at a terminal, or pass it on standard input with "
             "--password-stdin\n";
      return kExitBadInput;
    }
    if (!ReadSecretLine(in, err, "New export password: ", &password) || password.empty()) {
      err << name << "no password was given; nothing was changed\n";
      return kExitBadInput;
    }
    if (IsTerminal(in)) {
      std::string again;
      const bool same = ReadSecretLine(in, err, "Type it again: ", &again) && again == password;
      WipeSecret(&again);
      if (!same) {
        WipeSecret(&password);
        err << name << "the two passwords differ; nothing was changed\n";
        return kExitBadInput;
      }
    }
  }
  // A refused file is written anew with this one password.
  ExportPasswords passwords(options.passwordFile, options.passwordOwner);
  const FileStatus status = passwords.Set(options.slot, password);
  WipeSecret(&password);
  if (status == FileStatus::kAccessDenied) {
    err << name << "only an administrator may write " << passwords.path()
        << "; run this command as one (for example with sudo)\n";
    return kExitBadInput;
  }
  if (status != FileStatus::kOk) {
    err << name << "could not write " << passwords.path() << " because " << FileStatusReason(status)
        << "; nothing was changed\n";
    return kExitBadInput;
  }
  out << "export password " << options.slot << (options.clear ? " cleared" : " set") << " in "
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
      [=] { *exitCode = RunSetExportPassword(*options, std::cin, std::cout, std::cerr); });
}

}  // namespace acv::cli
