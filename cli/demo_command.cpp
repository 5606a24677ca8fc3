// acv demo: writes a small response file of made-up people to try the program with.
#include <unistd.h>

#include <iostream>
#include <random>

#include "cli/commands.h"
#include "storage/messages.h"
#include "storage/record_image.h"
#include "storage/response_file.h"

namespace acv::cli {
namespace {

struct SamplePerson {
  const char* first;
  const char* last;
  const char* birthDate;
  char gender;
  const char* town;
  const char* observer;  // who gives the Observer-report
  const char* relationship;
  std::initializer_list<int> raised;  // items rated Often, giving the person's picture
};

// Made-up people; any likeness to a real person is chance.
const SamplePerson kPeople[] = {
    {"Alex",
     "Morgan",
     "19750307",
     'F',
     "Fitzroy",
     "Jordan Morgan",
     "Partner",
     {143, 176, 40, 54, 98, 111, 125, 21, 93, 34, 43, 48, 100, 102, 189, 190, 47, 114, 99}},
    {"Sam",
     "Whitlow",
     "19820914",
     'M',
     "Carlton",
     "Casey Whitlow",
     "Sister",
     {1, 15, 33, 66, 95, 106, 117, 3, 6, 13, 45, 94, 101, 158}},
    {"Robin",
     "Ashdown",
     "19680120",
     'X',
     "Brunswick",
     "Lee Ashdown",
     "Friend",
     {25, 28, 59, 131, 30, 22, 73, 141, 49, 71}},
    {"Taylor",
     "Quill",
     "19910602",
     'F',
     "Richmond",
     "Drew Quill",
     "Mother",
     {35, 78, 85, 115, 118, 154, 161, 160, 58}},
};

ResponseRecord MakeRecord(const SamplePerson& person, int type, std::mt19937& random) {
  ResponseRecord record;
  record.SetReportType(type);
  record.SetText(TextField::kFirstName, person.first);
  record.SetText(TextField::kLastName, person.last);
  record.SetText(TextField::kBirthDate, person.birthDate);
  record.SetText(TextField::kCompletionDate, "20261130");
  record.SetText(TextField::kStreetAddress, "1 Sample Lane");
  record.SetText(TextField::kTown, person.town);
  record.SetText(TextField::kState, "VIC");
  record.SetText(TextField::kPostcode, "3000");
  record.SetText(TextField::kCountry, "Australia");
  record.SetText(TextField::kPhone, "03 5550 0100");
  record.SetText(TextField::kEmail, "sample@example.com");
  record.SetGender(person.gender);
  if (type == kObserverReport) {
    record.SetText(TextField::kObserverName, person.observer);
    record.SetText(TextField::kObserverRelationship, person.relationship);
    record.SetText(TextField::kObserverContact, "03 5550 0199");
    record.SetText(TextField::kComments, "Made-up sample for trying the program.");
  }
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, static_cast<int>(random() % 2));  // Never or Rarely
  }
  for (int item : person.raised) {
    record.SetResponse(item, 4);
  }
  return record;
}

}  // namespace

void SetupDemoCommand(CLI::App& app, int* exitCode) {
  CLI::App* command =
      app.add_subcommand("demo", "Write DIR/sample.cvr, a small response file of made-up people");
  auto dir = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  command->add_option("DIR", *dir, "An existing folder")->required()->check(CLI::ExistingDirectory);
  command->add_flag("--force", *force, "Replace an existing sample.cvr");
  command->callback([=] {
    const std::string name = *dir + "/sample.cvr";
    if (access(name.c_str(), F_OK) == 0) {
      if (!*force) {
        std::cerr << "acv demo: " << name << " already exists (use --force to replace it)\n";
        *exitCode = kExitBadInput;
        return;
      }
      unlink(name.c_str());
    }
    std::mt19937 random(1975);
    int written = 0;
    for (const SamplePerson& person : kPeople) {
      for (int type : {kSelfReport, kObserverReport}) {
        ResponseRecord record = MakeRecord(person, type, random);
        int index = -1;
        const int status = ResponseFile::WriteRecord(name, BuildImage(record), &index, -1);
        if (status != 0) {
          std::cerr << "acv demo: " << SaveFailureMessage(status).text << "\n";
          *exitCode = kExitBadInput;
          return;
        }
        std::cout << index << "\t" << person.first << " " << person.last << " (" << person.birthDate
                  << ")\t" << (type == kSelfReport ? "Self-report" : "Observer-report") << "\n";
        ++written;
      }
    }
    std::cout << "wrote " << written << " records to " << name << "\n";
    *exitCode = kExitOk;
  });
}

}  // namespace acv::cli
