// acv import: the records of a CSV file in the export format, or of a FHIR Bundle acv fhir
// wrote, appended to a response file all together or not at all.
#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/commands.h"
#include "cli/output.h"
#include "storage/csv/csv_import.h"
#include "storage/fhir/fhir_import.h"
#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_journal.h"

namespace acv::cli {
namespace {

// How many more records `name` can take: kOk, or the failure of reading it. A missing file or
// one without records takes them all (the append refuses one that is no response file).
FileStatus RoomIn(const std::string& name, std::size_t* room) {
  ResponseFile file;
  const FileStatus opened = file.OpenForReading(name, true);
  if (opened == FileStatus::kNotFound || opened == FileStatus::kTooShort) {
    *room = kMaxRecords;
    return FileStatus::kOk;
  }
  *room = static_cast<std::size_t>(kMaxRecords - file.recordCount());
  return opened;
}

// A Bundle of a full file's responses, each with its person, with room to spare.
constexpr std::size_t kMaxFhirBundleBytes = std::size_t{256} << 20;

// Reads the records of `text` into `imported`: true, or false after saying why.
bool ReadRecords(const Console& io, const ImportOptions& options, const std::string& text,
                 std::size_t room, CsvImport* imported) {
  const std::string data = Printable(options.data);
  if (!options.fhir) {
    CsvImportError error;
    if (!ParseCsvRecords(text, room, imported, &error)) {
      io.Say(MessageId::kImportRefused, {data, DescribeImportError(error)});
      return false;
    }
    return true;
  }
  std::string refusal = fhir::ReadBundleRecords(text, &imported->records);
  if (refusal.empty() && imported->records.size() > room) {
    refusal = Message(MessageId::kImportTooManyForRoom,
                      {std::to_string(imported->records.size()), std::to_string(room)})
                  .text;
  }
  if (!refusal.empty()) {
    io.Say(MessageId::kImportRefused, {data, refusal});
    return false;
  }
  return true;
}

}  // namespace

int RunImport(const ImportOptions& options, const Console& io) {
  const std::string data = Printable(options.data);
  std::string text;
  const std::size_t limit = options.fhir ? kMaxFhirBundleBytes : kMaxCsvFileBytes;
  if (const FileStatus read = ReadWholeFile(options.data, limit, &text); read != FileStatus::kOk) {
    io.Say(MessageId::kImportUnreadable, {data, ReadFailure(read)});
    return kExitBadInput;
  }
  if (text.size() > limit) {
    io.Say(MessageId::kImportTooLarge, {data});
    return kExitBadInput;
  }
  std::size_t room = 0;
  if (const FileStatus status = RoomIn(options.file, &room); status != FileStatus::kOk) {
    io.Print(SaveFailureMessage(status));
    return kExitBadInput;
  }
  CsvImport imported;
  if (!ReadRecords(io, options, text, room, &imported)) {
    return kExitBadInput;
  }
  for (const CsvImportWarning& warning : imported.warnings) {
    io.Say(MessageId::kImportWarning, {data, std::to_string(warning.line), warning.message});
  }
  const auto unverified = std::count_if(
      imported.records.begin(), imported.records.end(), [](const ResponseRecord& record) {
        return record.EntryMethod() == kEnteredFromPaper && !record.GetVerification();
      });
  if (unverified > 0 && (FileRequiresDoubleEntry(options.administratorFile) ||
                         FileRequiresDoubleEntry(UserSettingsFile()))) {
    if (!options.unverified) {
      io.Say(MessageId::kImportUnverifiedRefused, {data, std::to_string(unverified)});
      return kExitBadInput;
    }
    io.Say(MessageId::kImportUnverifiedTaken, {std::to_string(unverified)});
  }
  std::vector<StoredRecord> stored;
  stored.reserve(imported.records.size());
  for (ResponseRecord& record : imported.records) {
    // A save time given in the file is kept; a record without one is stamped now.
    const std::string stamp(record.Text(TextField::kSavedStamp));
    stored.push_back(stamp.empty() ? BuildImage(record) : BuildImage(record, stamp));
  }
  int first = -1;
  HistoryJournal journal(options.file, {HistoryAction::kImported});
  if (const FileStatus status = ResponseFile::AppendRecords(options.file, stored, &first, &journal);
      status != FileStatus::kOk) {
    io.Print(SaveFailureMessage(status));
    return kExitBadInput;
  }
  io.out << "imported " << stored.size() << " records";
  if (!stored.empty()) {
    io.out << " as records " << first << " to " << first + static_cast<int>(stored.size()) - 1;
  }
  io.out << "\n";
  return kExitOk;
}

void SetupImportCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* command = app.add_subcommand(
      "import", "Append the records of a CSV file in the export format to a response file");
  command
      ->add_option("FILE", options->file, "The response file (.cvr); made when it does not exist")
      ->required();
  command
      ->add_option("DATA", options->data,
                   "The CSV file, its first line the export header (or the Bundle)")
      ->required();
  command->add_flag("--fhir", options->fhir,
                    "DATA is a FHIR Bundle written by acv fhir: one record per "
                    "QuestionnaireResponse");
  command->add_flag("--unverified", options->unverified,
                    "Take paper records not verified by double entry even where the settings "
                    "require it");
  command->callback([options, exitCode, command] {
    *exitCode = RunImport(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
