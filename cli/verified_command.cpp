// acv verified: which paper records of a response file are not yet verified by double entry.
#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/commands.h"
#include "cli/output.h"
#include "engine/cp1252.h"
#include "storage/records/record_search.h"

namespace acv::cli {

int RunVerified(const VerifiedOptions& options, const Console& io) {
  const ListOptions& person = options.person;
  const bool named = !person.first.empty() || !person.last.empty() || !person.birthDate.empty();
  std::string birthDate;
  if (named && !CheckPerson(io, person, &birthDate)) {
    return kExitBadInput;
  }
  RecordIndex index;
  if (const FileStatus status = BuildRecordIndex(person.file, true, &index);
      status != FileStatus::kOk) {
    io.Print(SelectionOpenMessage(status, Stem(person.file)));
    return kExitBadInput;
  }
  if (index.corruptCount > 0) {
    io.Print(CorruptRecordsMessage(index.corruptCount));
  }
  std::vector<IndexEntry> entries =
      named ? FindPerson(index, Utf8ToCp1252(person.first), Utf8ToCp1252(person.last), birthDate)
            : std::move(index.entries);
  std::sort(entries.begin(), entries.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return a.fileIndex < b.fileIndex; });
  int paper = 0;
  int verified = 0;
  int resolved = 0;
  for (const IndexEntry& entry : entries) {
    if (entry.entryMethod != kEnteredFromPaper) {
      continue;
    }
    ++paper;
    if (entry.verification) {
      ++verified;
      resolved += entry.verification->differencesResolved;
      continue;
    }
    // The observer's name is shown only where the person was named, as acv list shows it.
    io.out << entry.fileIndex << "\t" << PrintableRecordText(ListLine(entry, named));
    if (entry.markBroken) {
      io.out << "\tverification mark broken: the answers were changed after it was made";
    }
    io.out << "\n";
  }
  io.out << "paper records: " << paper << "\n"
         << "verified: " << verified << "\n"
         << "unverified: " << paper - verified << "\n"
         << "differences resolved: " << resolved << "\n";
  return index.corruptCount == 0 ? kExitOk : kExitPartial;
}

void SetupVerifiedCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<VerifiedOptions>();
  ListOptions& person = options->person;
  CLI::App* command = app.add_subcommand(
      "verified", "List the paper records not yet verified by double entry, and count them");
  command->add_option("FILE", person.file, "The response file (.cvr)")->required();
  command->add_option("--first", person.first, "Only this person: first name");
  command->add_option("--last", person.last, "Only this person: last name");
  command->add_option("--dob", person.birthDate, "Only this person: date of birth as YYYYMMDD");
  command->callback([options, exitCode, command] {
    *exitCode = RunVerified(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
