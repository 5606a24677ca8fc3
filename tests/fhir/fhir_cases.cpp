// Writes the FHIR resources the validator checks into the folder named on the command line: the
// Questionnaire, the Bundles of a Self-report alone, an Observer-report alone, a pair, an edited
// record (amended), a verified one and a person whose details need code page 1252 letters and
// quotes, and a collection of responses.
#include <fstream>
#include <iostream>
#include <string>

#include "storage/fhir/fhir_export.h"
#include "support/record_builder.h"

namespace {

using acv::Analysis;
using acv::ResponseRecord;
using acv::TextField;
using acv::fhir::Json;

// Stands in for the printed report: the validator checks the attachment, not the PDF inside.
constexpr char kPdfBytes[] = "%PDF-1.4\n% made-up report for the validator\n%%EOF\n";

ResponseRecord Saved(ResponseRecord record, const char* stamp) {
  record.SetText(TextField::kSavedStamp, stamp);
  record.MarkMetItems();
  return record;
}

Json Bundle(const ResponseRecord* self, const ResponseRecord* observer, bool selfAmended = false) {
  Analysis analysis;
  if (self != nullptr) {
    analysis.selfReport() = *self;
  }
  if (observer != nullptr) {
    analysis.observerReport() = *observer;
  }
  return acv::fhir::PersonBundle({&analysis, std::string(kPdfBytes), {selfAmended, false}});
}

bool Write(const std::string& folder, const std::string& name, const Json& json) {
  std::ofstream out(folder + "/" + name + ".json");
  out << json.dump(1) << "\n";
  out.close();
  if (!out) {
    std::cerr << "fhir_cases: cannot write " << folder << "/" << name << ".json\n";
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fhir_cases FOLDER\n";
    return 2;
  }
  using acv::testing::TestRecord;
  const ResponseRecord self =
      Saved(TestRecord(acv::kSelfReport,
                       {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 3}),
            "20261130101510");
  ResponseRecord observer =
      Saved(TestRecord(acv::kObserverReport,
                       {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 5}),
            "20261130101511");
  observer.SetText(TextField::kObserverRelationship, "Partner");
  observer.SetText(TextField::kObserverContact, "jo@example.org");
  ResponseRecord edited = self;
  edited.SetResponse(12, 5);
  edited.SetText(TextField::kComments, "Item 12 corrected from the paper copy");
  edited = Saved(edited, "20261201090000");
  ResponseRecord verified =
      Saved(TestRecord(acv::kSelfReport,
                       {.first = "Sam", .last = "Whitlow", .birthDate = "19820914", .seed = 2}),
            "20261130101512");
  verified.SetEntryMethod(acv::kEnteredFromPaper);
  verified.SetVerification(acv::Verification{true, 2});
  ResponseRecord accented = Saved(
      TestRecord(
          acv::kSelfReport,
          {.first = "Zo\xEB", .last = "M\xFCller-Fran\xE7ois", .birthDate = "19910602", .seed = 4}),
      "20261130101513");
  accented.SetText(TextField::kStreetAddress,
                   "5 Stra\xDF"
                   "e des \xC9"
                   "coles");
  accented.SetText(TextField::kTown, "Besan\xE7on");
  accented.SetText(TextField::kCountry,
                   "Espa\xF1"
                   "a");
  accented.SetGender('X');
  accented.SetText(TextField::kComments, "Said \"often\" \\ meant \x93sometimes\x94");
  const std::string folder = argv[1];
  const bool written =
      Write(folder, "questionnaire", acv::fhir::Questionnaire()) &&
      Write(folder, "self-only", Bundle(&self, nullptr)) &&
      Write(folder, "observer-only", Bundle(nullptr, &observer)) &&
      Write(folder, "pair", Bundle(&self, &observer)) &&
      Write(folder, "edited", Bundle(&edited, nullptr, true)) &&
      Write(folder, "verified", Bundle(&verified, nullptr)) &&
      Write(folder, "code-page-1252", Bundle(&accented, nullptr)) &&
      Write(folder, "collection", acv::fhir::ResponsesBundle({self, observer, verified, accented}));
  return written ? 0 : 1;
}
