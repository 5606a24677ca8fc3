// acv list: one person's records in a response file, as the selection dialogs find them.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"
#include "storage/records/record_search.h"

namespace acv::cli {

bool CheckPerson(const Console& io, const ListOptions& options, std::string* birthDate) {
  if (options.first.empty() || options.last.empty()) {
    io.Print(Message(MessageId::kNamesMandatory));
    return false;
  }
  const std::optional<CalendarDate> date = ParseDate8(options.birthDate);
  CalendarDate birth;
  const BirthDateCheck check =
      date ? CheckBirthDate(std::to_string(date->day), std::to_string(date->month),
                            std::to_string(date->year), Today(), &birth)
           : (options.birthDate.empty() ? BirthDateCheck::kEmpty : BirthDateCheck::kInvalid);
  if (check != BirthDateCheck::kOk) {
    io.Print(BirthDateMessage(check));
    return false;
  }
  *birthDate = FormatDate8(birth);
  return true;
}

int RunList(const ListOptions& options, const Console& io) {
  std::string birthDate;
  if (!CheckPerson(io, options, &birthDate)) {
    return kExitBadInput;
  }
  RecordIndex index;
  const FileStatus status = BuildRecordIndex(options.file, true, &index);
  if (status != FileStatus::kOk) {
    io.Print(OpenedFileMessage(status, options.file));
    return kExitBadInput;
  }
  if (index.corruptCount > 0) {
    io.Print(CorruptRecordsMessage(index.corruptCount));
  }
  const auto found =
      FindPerson(index, Utf8ToCp1252(options.first), Utf8ToCp1252(options.last), birthDate);
  if (found.empty()) {
    io.Print(Message(MessageId::kNoMatch));
    return kExitNothingFound;
  }
  for (const IndexEntry& entry : found) {
    io.out << entry.fileIndex << "\t" << PrintableRecordText(ListLine(entry));
    if (entry.verification) {
      io.out << "\t" << VerificationText(entry.verification);
    }
    io.out << "\n";
    if (entry.reportType != kSelfReport && entry.reportType != kObserverReport) {
      // Listed as the dialogs list it, and flagged as acv analyse flags it.
      io.Say(MessageId::kNeitherType, {std::to_string(entry.fileIndex)});
    }
  }
  return index.corruptCount == 0 ? kExitOk : kExitPartial;
}

void SetupListCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* command = app.add_subcommand(
      "list", "List one person's records (name and date of birth are required: no browsing)");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  command->add_option("--first", options->first, "First name")->required();
  command->add_option("--last", options->last, "Last name")->required();
  command->add_option("--dob", options->birthDate, "Date of birth as YYYYMMDD")->required();
  command->callback([options, exitCode, command] {
    *exitCode = RunList(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
