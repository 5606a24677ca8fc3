#include "storage/records/sample_records.h"

#include <random>

#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_journal.h"

namespace acv {
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

std::vector<ResponseRecord> SampleRecords() {
  std::mt19937 random(1975);
  std::vector<ResponseRecord> records;
  for (const SamplePerson& person : kPeople) {
    for (const int type : {kSelfReport, kObserverReport}) {
      records.push_back(MakeRecord(person, type, random));
    }
  }
  return records;
}

FileStatus WriteSampleFile(const std::string& fileName, std::vector<ResponseRecord> extra) {
  std::vector<ResponseRecord> records = SampleRecords();
  records.insert(records.end(), extra.begin(), extra.end());
  std::vector<StoredRecord> stored;
  for (std::size_t i = 0; i < records.size(); ++i) {
    stored.push_back(BuildImage(records[i], "202611301015" + std::to_string(10 + i)));
  }
  int first = -1;
  HistoryJournal journal(fileName, {HistoryAction::kSample});
  return ResponseFile::AppendRecords(fileName, stored, &first, &journal);
}

}  // namespace acv
