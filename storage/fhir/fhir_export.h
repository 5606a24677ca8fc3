// The questionnaire, a person's records and their analysis as HL7 FHIR R4 resources, for an
// electronic health record or a research platform. Plain JSON values; writing them is the
// caller's work.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
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
// labels and ordinal values.
Json Questionnaire();

// Everything exported of one person.
struct PersonExport {
  const Analysis* analysis = nullptr;    // its present reports are exported
  std::optional<std::string> reportPdf;  // the printed report's bytes, when there is one
};

// The transaction Bundle of one person: the Patient, an observer's RelatedPerson, one
// QuestionnaireResponse per present report with an Observation per screen and one for its
// Omega value, an Observation of the reliability comment and the report as a DocumentReference.
// Each entry is a POST made conditional on its identifier, so sending it again creates nothing.
Json PersonBundle(const PersonExport& person);

// A collection Bundle of the QuestionnaireResponses of many records, each naming its person by
// identifier.
Json ResponsesBundle(const std::vector<ResponseRecord>& records);

// The pieces, for the bundles above and their tests.
Json Patient(const ResponseRecord& details);
Json QuestionnaireResponse(const ResponseRecord& record, const Json& subject);

// Standard base64 of any bytes.
std::string Base64(std::string_view bytes);

}  // namespace acv::fhir
