// The questionnaire, a person's records and their analysis as HL7 FHIR R4 resources, for an
// electronic health record or a research platform. Plain JSON values, but for the responses of
// a whole file, which are written as text one at a time.
#pragma once

#include <array>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/analysis.h"

namespace acv::fhir {

using Json = nlohmann::ordered_json;

// Where every canonical URL, identifier system and code system of ours lives.
inline constexpr std::string_view kBaseUrl = "https://acv.example.org/fhir";
inline constexpr std::string_view kQuestionnaireVersion = "4.0";
// The linkId of the question that chooses the report type, answered "self" or "observer".
inline constexpr std::string_view kReportTypeLinkId = "report-type";

// Our URL for `path`: kBaseUrl + "/" + path.
std::string Url(std::string_view path);
// The canonical reference of the Questionnaire, with its version.
std::string QuestionnaireCanonical();

// The Questionnaire: the report-type question, then the 190 items ("1".."190") in their Self
// wording, each with its Observer wording beside it and the six answers 0..5 with their
// labels.
Json Questionnaire();

// Everything exported of one person.
struct PersonExport {
  const Analysis* analysis = nullptr;    // its present reports are exported
  std::optional<std::string> reportPdf;  // the printed report's bytes, when there is one
  std::array<bool, 2> amended{};         // by Report: whether a replacing edit changed its record
};

// The transaction Bundle of one person: the Patient, an observer's RelatedPerson, one
// QuestionnaireResponse per present report with an Observation per screen and one for its
// Omega value, an Observation of the reliability comment and the report as a DocumentReference.
// Each entry is a POST made conditional on its identifier, so sending it again creates nothing.
Json PersonBundle(const PersonExport& person);

// Where text goes as it is written: false when it could not take it.
using TextSink = std::function<bool(std::string_view)>;

// A collection Bundle of QuestionnaireResponses, written to a sink one response at a time
// (nothing is written before the first). Each response holds its person, so that it can be
// read back alone. The text is what dump() makes of the same Bundle, and a line end.
class ResponsesBundleWriter {
 public:
  explicit ResponsesBundleWriter(TextSink sink) : sink_(std::move(sink)) {}

  // Writes the response of `record`: false when the sink failed.
  bool Add(const ResponseRecord& record, bool amended);
  // Writes the end of the Bundle (the whole of it when nothing was added): false when the sink
  // failed.
  bool Finish();

 private:
  // Clears the text to write and begins it: with the Bundle's head before anything else, a
  // comma between `entry`s.
  void Begin(bool entry);

  TextSink sink_;
  std::string text_;  // the text being written
  bool started_ = false;
};

// The collection Bundle of `records`, none of them amended, as a JSON value.
Json ResponsesBundle(const std::vector<ResponseRecord>& records);

// The pieces, for the bundles above and their tests.
Json Patient(const ResponseRecord& details);

// What a QuestionnaireResponse names besides its record.
struct ResponseLinks {
  std::string subject;  // the reference of the Patient it is about; empty: none
  std::string author;   // the reference of who answered, named as its source too; empty: no one
  // It holds its Patient as "#patient" and, for an Observer-report naming the observer, the
  // observer as "#observer".
  bool holdsPersons = false;
  bool amended = false;  // a replacing edit changed the record since it was first saved
};

Json QuestionnaireResponse(const ResponseRecord& record, const ResponseLinks& links);

// Standard base64 of any bytes.
std::string Base64(std::string_view bytes);

}  // namespace acv::fhir
