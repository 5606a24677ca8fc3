// acv: the command-line face of Adult Corvantis, for scripts, batch work and headless use.
#include <CLI/CLI.hpp>
#include <csignal>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"

namespace {

// What was typed that no command or option takes, each word named for what it is: an option
// the command does not have, or a command acv does not have.
void NameWhatWasNotExpected(const CLI::App& app) {
  const std::vector<CLI::App*> given = app.get_subcommands();
  const acv::cli::Console io =
      acv::cli::StandardConsole(given.empty() ? "" : given.front()->get_name());
  const std::string where = given.empty() ? "acv" : "acv " + given.front()->get_name();
  for (const std::string& word : app.remaining(true)) {
    io.Say(word.starts_with('-') ? acv::MessageId::kUnknownOption
           : given.empty()       ? acv::MessageId::kUnknownCommand
                                 : acv::MessageId::kUnexpectedArgument,
           {acv::cli::Printable(word), where});
  }
}

int Run(CLI::App& app, int argc, char** argv) {
  int exitCode = acv::cli::kExitOk;
  acv::cli::SetupScoreCommand(app, &exitCode);
  acv::cli::SetupCheckCommand(app, &exitCode);
  acv::cli::SetupDraftsCommand(app, &exitCode);
  acv::cli::SetupListCommand(app, &exitCode);
  acv::cli::SetupVerifiedCommand(app, &exitCode);
  acv::cli::SetupAnalyseCommand(app, &exitCode);
  acv::cli::SetupShowCommand(app, &exitCode);
  acv::cli::SetupHistoryCommand(app, &exitCode);
  acv::cli::SetupImportCommand(app, &exitCode);
  acv::cli::SetupSalvageCommand(app, &exitCode);
  acv::cli::SetupDemoCommand(app, &exitCode);
  acv::cli::SetupExportCommand(app, &exitCode);
  acv::cli::SetupSetExportPasswordCommand(app, &exitCode);
#ifdef ACV_REPORT_COMMAND
  acv::cli::SetupReportCommand(app, &exitCode);
  acv::cli::SetupFhirCommands(app, &exitCode, &acv::cli::ReportPdfBytes);
#else
  acv::cli::SetupFhirCommands(app, &exitCode, nullptr);
#endif
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ExtrasError&) {
    NameWhatWasNotExpected(app);
    return acv::cli::kExitBadInput;
  } catch (const CLI::ParseError& e) {
    // One line naming the problem; usage errors are bad input.
    acv::cli::StandardConsole("").Say(acv::MessageId::kWrittenElsewhere, {e.what()});
    return acv::cli::kExitBadInput;
  }
  if (app.get_subcommands().empty()) {
    acv::cli::StandardConsole("").Say(acv::MessageId::kCommandNeeded);
    return acv::cli::kExitBadInput;
  }
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond the file-size limit fails with EFBIG, is undone and reported; the signal
  // would kill the program in the middle of it.
  std::signal(SIGXFSZ, SIG_IGN);
  acv::cli::CheckedStandardOutput out;
  CLI::App app{"Adult Corvantis 4.0 command line: score questionnaires and work with .cvr files"};
  app.set_version_flag("--version", "acv (Adult Corvantis) " ACV_VERSION);
  app.require_subcommand(0, 1);
  return out.Finish(Run(app, argc, argv));
}
