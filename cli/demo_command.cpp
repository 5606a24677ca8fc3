// acv demo: writes a small response file of made-up people to try the program with.
#include <unistd.h>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_file.h"
#include "storage/history/history_journal.h"
#include "storage/records/sample_records.h"
#include "storage/text/messages.h"

namespace acv::cli {

int RunDemo(const DemoOptions& options, const Console& io) {
  const std::string name = options.dir + "/sample.cvr";
  if (access(name.c_str(), F_OK) == 0) {
    if (!options.force) {
      io.Say(MessageId::kDemoExists, {name});
      return kExitBadInput;
    }
    unlink(name.c_str());
    unlink(HistoryNameFor(name).c_str());  // the history of the file replaced goes with it
  }
  std::vector<ResponseRecord> records = SampleRecords();
  std::vector<StoredRecord> stored;
  for (ResponseRecord& record : records) {
    stored.push_back(BuildImage(record));
  }
  int first = -1;
  HistoryJournal journal(name, {HistoryAction::kSample});
  if (const FileStatus status = ResponseFile::AppendRecords(name, stored, &first, &journal);
      status != FileStatus::kOk) {
    io.Print(SaveFailureMessage(status));
    return kExitBadInput;
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ResponseRecord& record = records[i];
    io.out << first + static_cast<int>(i) << "\t" << record.Text(TextField::kFirstName) << " "
           << record.Text(TextField::kLastName) << " (" << record.Text(TextField::kBirthDate)
           << ")\t" << (record.ReportType() == kSelfReport ? "Self-report" : "Observer-report")
           << "\n";
  }
  io.out << "wrote " << records.size() << " records to " << name << "\n";
  return kExitOk;
}

void SetupDemoCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<DemoOptions>();
  CLI::App* command =
      app.add_subcommand("demo", "Write DIR/sample.cvr, a small response file of made-up people");
  command->add_option("DIR", options->dir, "An existing folder")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_flag("--force", options->force, "Replace an existing sample.cvr");
  command->callback([options, exitCode, command] {
    *exitCode = RunDemo(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
