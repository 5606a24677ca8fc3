// acv check: a response file's header and how many of its records load.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/record_search.h"

namespace acv::cli {

int RunCheck(const CheckOptions& options) {
  RecordIndex index;
  const FileStatus status = BuildRecordIndex(options.file, true, &index);
  if (status != FileStatus::kOk) {
    PrintMessage("check", OpenedFileMessage(status, options.file));
    return kExitBadInput;
  }
  // The header as read by the same open as the records.
  std::cout << "version: " << PrintableRecordText(index.header.version) << "\n"
            << "created: " << PrintableRecordText(index.header.created) << "\n"
            << "modified: " << PrintableRecordText(index.header.modified) << "\n"
            << "records: " << index.recordCount << "\n";
  // Every byte range once: the records counted, those of them that do not load, and the parts
  // after them that are not read.
  const auto unread = std::count_if(index.damage.begin(), index.damage.end(),
                                    [&](const Damage& d) { return d.slot >= index.recordCount; });
  std::cout << "corrupt: " << index.damage.size() - static_cast<std::size_t>(unread) << "\n"
            << "unread: " << unread << "\n";
  for (const Damage& damage : index.damage) {
    std::cout << "damaged: " << DamageText(damage) << "\n";
  }
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
