// acv: the command-line face of Adult Corvantis, for scripts, batch work and headless use.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // A write beyond the file-size limit fails with EFBIG, is undone and reported; the signal
  // would kill the program in the middle of it.
  std::signal(SIGXFSZ, SIG_IGN);
  CLI::App app{"Adult Corvantis 4.0 command line: score questionnaires and work with .cvr files"};
  app.set_version_flag("--version", "acv (Adult Corvantis) " ACV_VERSION);
  app.require_subcommand(1);
  int exitCode = acv::cli::kExitOk;
  acv::cli::SetupScoreCommand(app, &exitCode);
  acv::cli::SetupCheckCommand(app, &exitCode);
  acv::cli::SetupDraftsCommand(app, &exitCode);
  acv::cli::SetupListCommand(app, &exitCode);
  acv::cli::SetupVerifiedCommand(app, &exitCode);
  acv::cli::SetupAnalyseCommand(app, &exitCode);
  acv::cli::SetupShowCommand(app, &exitCode);
  acv::cli::SetupImportCommand(app, &exitCode);
  acv::cli::SetupSalvageCommand(app, &exitCode);
  acv::cli::SetupDemoCommand(app, &exitCode);
  acv::cli::SetupExportCommand(app, &exitCode);
  acv::cli::SetupSetExportPasswordCommand(app, &exitCode);
#ifdef ACV_REPORT_COMMAND
  acv::cli::SetupReportCommand(app, &exitCode);
#endif
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // One line naming the problem; usage errors are bad input.
    std::cerr << "acv: " << e.what() << "\n";
    return acv::cli::kExitBadInput;
  }
  return exitCode;
}
