// acv check, list and salvage: reading response files from scripts.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"
#include "storage/csv_import.h"
#include "storage/messages.h"
#include "storage/record_image.h"
#include "storage/record_search.h"
#include "storage/response_file.h"

namespace acv::cli {
namespace {

// The whole of a file's bytes; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  std::string all;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) {
    all.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  if (got < 0) {
    return std::nullopt;
  }
  return all;
}

}  // namespace

void SetupCheckCommand(CLI::App& app, int* exitCode) {
  CLI::App* command =
      app.add_subcommand("check", "Show a response file's header and count its records");
  auto file = std::make_shared<std::string>();
  command->add_option("FILE", *file, "The response file (.cvr)")->required();
  command->callback([file, exitCode] {
    RecordIndex index;
    const FileStatus status = BuildRecordIndex(*file, true, &index);
    if (status != FileStatus::kOk) {
      PrintMessage("check", SelectionOpenMessage(status, Stem(*file)));
      *exitCode = kExitBadInput;
      return;
    }
    std::cout << "version: " << index.header.version << "\n"
              << "created: " << index.header.created << "\n"
              << "modified: " << index.header.modified << "\n"
              << "records: " << index.recordCount << "\n"
              << "corrupt: " << index.corruptCount << "\n";
    *exitCode = index.corruptCount == 0 ? kExitOk : kExitPartial;
  });
}

void SetupListCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "list", "List one person's records (name and date of birth are required: no browsing)");
  auto file = std::make_shared<std::string>();
  auto first = std::make_shared<std::string>();
  auto last = std::make_shared<std::string>();
  auto dob = std::make_shared<std::string>();
  command->add_option("FILE", *file, "The response file (.cvr)")->required();
  command->add_option("--first", *first, "First name")->required();
  command->add_option("--last", *last, "Last name")->required();
  command->add_option("--dob", *dob, "Date of birth as YYYYMMDD")->required();
  command->callback([=] {
    if (first->empty() || last->empty()) {
      PrintMessage("list", {caption::kMandatoryField, std::string(text::kNamesMandatory)});
      *exitCode = kExitBadInput;
      return;
    }
    const std::optional<CalendarDate> date = ParseDate8(*dob);
    CalendarDate birth;
    const BirthDateCheck check =
        date ? CheckBirthDate(std::to_string(date->day), std::to_string(date->month),
                              std::to_string(date->year), Today(), &birth)
             : (dob->empty() ? BirthDateCheck::kEmpty : BirthDateCheck::kInvalid);
    if (check != BirthDateCheck::kOk) {
      const std::string_view text = check == BirthDateCheck::kEmpty     ? text::kBirthDateMandatory
                                    : check == BirthDateCheck::kUnder18 ? text::kUnder18
                                                                        : text::kBirthDateIncorrect;
      PrintMessage("list", {caption::kIncorrectDate, std::string(text)});
      *exitCode = kExitBadInput;
      return;
    }
    RecordIndex index;
    const FileStatus status = BuildRecordIndex(*file, true, &index);
    if (status != FileStatus::kOk) {
      PrintMessage("list", SelectionOpenMessage(status, Stem(*file)));
      *exitCode = kExitBadInput;
      return;
    }
    if (index.corruptCount > 0) {
      PrintMessage("list", CorruptRecordsMessage(index.corruptCount));
    }
    const auto found = FindPerson(index, Utf8ToCp1252(*first), Utf8ToCp1252(*last), *dob);
    if (found.empty()) {
      PrintMessage("list", {caption::kNoMatch, std::string(text::kNoMatch)});
      *exitCode = kExitNothingFound;
      return;
    }
    for (const IndexEntry& entry : found) {
      std::cout << entry.fileIndex << "\t" << Cp1252ToUtf8(ListLine(entry)) << "\n";
    }
    *exitCode = index.corruptCount == 0 ? kExitOk : kExitPartial;
  });
}

void SetupSalvageCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "salvage", "Copy every record that passes its checksum into a new response file");
  auto damaged = std::make_shared<std::string>();
  auto fresh = std::make_shared<std::string>();
  command->add_option("DAMAGED", *damaged, "The damaged response file")
      ->required()
      ->check(CLI::ExistingFile);
  command->add_option("NEW", *fresh, "The new response file (must not exist)")->required();
  command->callback([=] {
    if (access(fresh->c_str(), F_OK) == 0) {
      std::cerr << "acv salvage: " << *fresh << " already exists; name a new file\n";
      *exitCode = kExitBadInput;
      return;
    }
    // The record slots are read straight after the header, so that a file with a torn tail
    // or a damaged header still gives up its good records.
    const std::string bytes = ReadWholeFile(*damaged).value_or("");
    std::vector<StoredRecord> good;
    unsigned lost = 0;
    for (std::size_t at = kFileHeaderSize; at < bytes.size(); at += kRecordSize) {
      if (at + kRecordSize > bytes.size()) {
        ++lost;  // a partial record at the end
        break;
      }
      StoredRecord stored{};
      std::copy_n(bytes.begin() + static_cast<long>(at), kRecordSize, stored.begin());
      ResponseRecord record;
      if (LoadImage(record, stored.data()) != FileStatus::kOk || good.size() >= kMaxRecords) {
        ++lost;
      } else {
        good.push_back(stored);
      }
    }
    const auto kept = static_cast<unsigned>(good.size());
    int first = -1;
    if (const FileStatus status = ResponseFile::AppendRecords(*fresh, good, &first);
        status != FileStatus::kOk) {
      PrintMessage("salvage", SaveFailureMessage(status));
      *exitCode = kExitBadInput;
      return;
    }
    std::cout << "kept " << kept << ", lost " << lost << "\n";
    *exitCode = lost == 0 ? kExitOk : kExitPartial;
  });
}

}  // namespace acv::cli

namespace acv::cli {

void SetupImportCommand(CLI::App& app, int* exitCode) {
  CLI::App* command = app.add_subcommand(
      "import", "Append the records of a CSV file in the export format to a response file");
  auto file = std::make_shared<std::string>();
  auto data = std::make_shared<std::string>();
  command->add_option("FILE", *file, "The response file (.cvr); made when it does not exist")
      ->required();
  command->add_option("DATA", *data, "The CSV file, its first line the export header")->required();
  command->callback([=] {
    const std::optional<std::string> text = ReadWholeFile(*data);
    if (!text) {
      std::cerr << "acv import: cannot read " << *data << ": " << std::strerror(errno) << "\n";
      *exitCode = kExitBadInput;
      return;
    }
    std::vector<ResponseRecord> records;
    CsvImportError error;
    if (!ParseCsvRecords(*text, &records, &error)) {
      std::cerr << "acv import: " << *data << " " << DescribeImportError(error)
                << "; nothing was imported\n";
      *exitCode = kExitBadInput;
      return;
    }
    std::vector<StoredRecord> stored;
    stored.reserve(records.size());
    for (ResponseRecord& record : records) {
      // A save time given in the file is kept; a record without one is stamped now.
      const std::string stamp(record.Text(TextField::kSavedStamp));
      stored.push_back(stamp.empty() ? BuildImage(record) : BuildImage(record, stamp));
    }
    int first = -1;
    if (!stored.empty()) {
      if (const FileStatus status = ResponseFile::AppendRecords(*file, stored, &first);
          status != FileStatus::kOk) {
        PrintMessage("import", SaveFailureMessage(status));
        *exitCode = kExitBadInput;
        return;
      }
    }
    std::cout << "imported " << stored.size() << " records";
    if (!stored.empty()) {
      std::cout << " as records " << first << " to " << first + static_cast<int>(stored.size()) - 1;
    }
    std::cout << "\n";
    *exitCode = kExitOk;
  });
}

}  // namespace acv::cli
