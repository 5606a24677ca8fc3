// acv check: a response file's header and how many of its records load.
#include <iostream>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/record_search.h"

namespace acv::cli {

int RunCheck(const CheckOptions& options) {
  RecordIndex index;
  const FileStatus status = BuildRecordIndex(options.file, true, &index);
  if (status != FileStatus::kOk) {
    PrintMessage("check", SelectionOpenMessage(status, Stem(options.file)));
    return kExitBadInput;
  }
  // The header as read by the same open as the records.
  std::cout << "version: " << PrintableRecordText(index.header.version) << "\n"
            << "created: " << PrintableRecordText(index.header.created) << "\n"
            << "modified: " << PrintableRecordText(index.header.modified) << "\n"
            << "records: " << index.recordCount << "\n"
            << "corrupt: " << index.corruptCount << "\n";
  return index.corruptCount == 0 ? kExitOk : kExitPartial;
}

void SetupCheckCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command =
      app.add_subcommand("check", "Show a response file's header and count its records");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  command->callback([options, exitCode] { *exitCode = RunCheck(*options); });
}

}  // namespace acv::cli
