#include "storage/fhir/fhir_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "engine/cp1252.h"
#include "engine/omega.h"
#include "storage/fhir/json_text.h"

namespace acv::fhir {
namespace {

constexpr std::string_view kSurveyCategory =
    "http://terminology.hl7.org/CodeSystem/observation-category";
constexpr std::string_view kDataAbsentReason =
    "http://terminology.hl7.org/CodeSystem/data-absent-reason";

// The two report types as the report-type question answers them.
struct ReportTypeAnswer {
  std::string_view code;
  std::string_view display;
};
constexpr std::array<ReportTypeAnswer, 2> kReportTypeAnswers = {
    {{"self", "Self-report"}, {"observer", "Observer-report"}}};

std::size_t ReportTypeAt(int reportType) {
  return ReportOfType(reportType) == Report::kSelf ? 0 : 1;
}

const ReportTypeAnswer& AnswerForType(int reportType) {
  return kReportTypeAnswers[ReportTypeAt(reportType)];
}

std::string Utf8(std::string_view text) {
  return Cp1252ToUtf8(text);
}

Json Coding(std::string_view systemPath, std::string_view code, std::string_view display) {
  return {{"system", Url(systemPath)}, {"code", code}, {"display", display}};
}

Json ReportTypeCoding(const ReportTypeAnswer& answer) {
  return Coding("CodeSystem/report-type", answer.code, answer.display);
}

// "1975-03-07" of eight stored digits; nothing for a text that is not a date.
std::optional<std::string> FhirDate(std::string_view digits) {
  const std::optional<CalendarDate> date = ParseDate8(digits);
  if (!date || !IsValidCalendarDate(*date)) {
    return std::nullopt;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
  return text;
}

// A stored local time-stamp with this machine's offset from UTC at that moment, as FHIR asks
// of every time: "2026-11-30T10:15:10+01:00".
std::optional<std::string> FhirDateTime(const std::optional<TimeStamp>& stamp) {
  if (!stamp || !IsValidCalendarDate(stamp->date)) {
    return std::nullopt;
  }
  std::tm local{};
  local.tm_year = stamp->date.year - 1900;
  local.tm_mon = stamp->date.month - 1;
  local.tm_mday = stamp->date.day;
  local.tm_hour = stamp->hour;
  local.tm_min = stamp->minute;
  local.tm_sec = stamp->second;
  // The moment is the stamp read as UTC less the offset in force then, found in two steps
  // (the offset at the first guess may differ across a change of clocks). mktime would do the
  // same, but looks at the system's time zone file again on every call.
  const std::time_t asUtc = timegm(&local);
  std::tm zoned{};
  if (asUtc == static_cast<std::time_t>(-1) || localtime_r(&asUtc, &zoned) == nullptr) {
    return std::nullopt;
  }
  const std::time_t moment = asUtc - zoned.tm_gmtoff;
  if (localtime_r(&moment, &zoned) == nullptr) {
    return std::nullopt;
  }
  const long offset = zoned.tm_gmtoff / 60;
  const long minutes = offset < 0 ? -offset : offset;
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", stamp->date.year,
                stamp->date.month, stamp->date.day, stamp->hour, stamp->minute, stamp->second,
                offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return text;
}

// A name for what a resource is about that stays the same on every export. Its parts are
// joined by "/"; the search syntax's own characters are escaped where the value is searched.
std::string PersonKey(const ResponseRecord& record) {
  return Utf8(record.Text(TextField::kLastName)) + "/" + Utf8(record.Text(TextField::kFirstName)) +
         "/" + std::string(record.Text(TextField::kBirthDate));
}

std::string ReportKey(const ResponseRecord& record) {
  return PersonKey(record) + "/" + std::string(AnswerForType(record.ReportType()).code) + "/" +
         std::string(record.Text(TextField::kSavedStamp));
}

// {"system": ..., "value": `value`}: our identifier of `kind`.
void WriteIdentifier(JsonText& json, std::string_view kind, std::string_view value) {
  json.BeginObject()
      .Member("system", Url("identifier/" + std::string(kind)))
      .Member("value", value)
      .EndObject();
}

std::string IdentifierText(std::string_view kind, std::string_view value) {
  std::string text;
  JsonText json(text);
  WriteIdentifier(json, kind, value);
  return text;
}

Json Identifier(std::string_view kind, std::string_view value) {
  return Json::parse(IdentifierText(kind, value));
}

// "identifier=SYSTEM|VALUE" for a conditional create, percent-encoded, with the characters the
// token search gives a meaning to escaped in the value.
std::string IdentifierSearch(const Json& identifier) {
  std::string value;
  for (char c : identifier["value"].get<std::string>()) {
    if (c == '\\' || c == '|' || c == ',' || c == '$') {
      value += '\\';
    }
    value += c;
  }
  const std::string token = identifier["system"].get<std::string>() + "|" + value;
  std::string encoded = "identifier=";
  for (unsigned char c : token) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      encoded += hex;
    }
  }
  return encoded;
}

// A UUID made from an identifier's text alone, so the same resource has the same entry name in
// every Bundle (the layout of a UUID, version 8: its bits are ours).
std::string UuidOf(std::string_view text) {
  std::uint64_t halves[2] = {14695981039346656037ull, 1099511628211ull * 31};
  for (std::uint64_t& half : halves) {
    for (unsigned char c : text) {
      half = (half ^ c) * 1099511628211ull;
    }
  }
  halves[0] = (halves[0] & ~0xF000ull) | 0x8000ull;
  halves[1] = (halves[1] & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;
  // The 32 hex digits in order, a dash after the 8th, 12th, 16th and 20th.
  std::string uuid = "urn:uuid:";
  for (int digit = 0; digit < 32; ++digit) {
    const std::uint64_t half = halves[digit / 16];
    uuid += "0123456789abcdef"[(half >> (60 - 4 * (digit % 16))) & 0xF];
    if (digit == 7 || digit == 11 || digit == 15 || digit == 19) {
      uuid += '-';
    }
  }
  return uuid;
}

// Bundle entries under construction: each resource with its entry name, and how to create it
// once only.
class Entries {
 public:
  explicit Entries(bool transaction) : transaction_(transaction) {}

  // Adds `resource`, named by `identifier`; returns the reference to it.
  Json Add(Json resource, const Json& identifier) {
    const std::string fullUrl = UuidOf(identifier.dump());
    Json entry = {{"fullUrl", fullUrl}, {"resource", std::move(resource)}};
    if (transaction_) {
      entry["request"] = {{"method", "POST"},
                          {"url", entry["resource"]["resourceType"]},
                          {"ifNoneExist", IdentifierSearch(identifier)}};
    }
    entries_.push_back(std::move(entry));
    return {{"reference", fullUrl}};
  }

  Json Bundle() const {
    return {{"resourceType", "Bundle"},
            {"type", transaction_ ? "transaction" : "collection"},
            {"entry", entries_}};
  }

 private:
  bool transaction_;
  Json entries_ = Json::array();
};

void SetIfPresent(Json& object, std::string_view key, const std::optional<std::string>& value) {
  if (value) {
    object[key] = *value;
  }
}

std::optional<std::string> TextOf(const ResponseRecord& record, TextField field) {
  const std::string_view text = record.Text(field);
  return text.empty() ? std::nullopt : std::optional<std::string>(Utf8(text));
}

std::string_view GenderCode(char gender) {
  switch (gender) {
    case 'M':
      return "male";
    case 'F':
      return "female";
    case 'X':
      return "other";
    default:
      return "unknown";
  }
}

void MemberIfPresent(JsonText& json, std::string_view key,
                     const std::optional<std::string>& value) {
  if (value) {
    json.Member(key, *value);
  }
}

void WriteReference(JsonText& json, std::string_view reference) {
  json.BeginObject().Member("reference", reference).EndObject();
}

std::string ObserverKey(const ResponseRecord& observer) {
  return PersonKey(observer) + "/" + Utf8(observer.Text(TextField::kObserverName));
}

// Whether `record` is an Observer-report that names its observer.
bool NamesObserver(const ResponseRecord& record) {
  return ReportOfType(record.ReportType()) == Report::kObserver &&
         !record.Text(TextField::kObserverName).empty();
}

// The Patient of `details`, ending with `id` when one is given (for a resource held inside
// another).
void WritePatient(JsonText& json, const ResponseRecord& details, std::string_view id) {
  json.BeginObject().Member("resourceType", "Patient").Key("identifier").BeginArray();
  WriteIdentifier(json, "person", PersonKey(details));
  json.EndArray().Key("name").BeginArray().BeginObject().Member(
      "family", Utf8(details.Text(TextField::kLastName)));
  if (const std::optional<std::string> first = TextOf(details, TextField::kFirstName)) {
    json.Key("given").BeginArray().String(*first).EndArray();
  }
  json.EndObject().EndArray();
  // The two telephone numbers keep their places by rank, whichever of them is given.
  const std::optional<std::string> phones[] = {TextOf(details, TextField::kPhone),
                                               TextOf(details, TextField::kPhone2)};
  const std::optional<std::string> email = TextOf(details, TextField::kEmail);
  if (phones[0] || phones[1] || email) {
    json.Key("telecom").BeginArray();
    for (int rank = 1; rank <= 2; ++rank) {
      if (const std::optional<std::string>& phone = phones[rank - 1]) {
        json.BeginObject()
            .Member("system", "phone")
            .Member("value", *phone)
            .Key("rank")
            .Int(rank)
            .EndObject();
      }
    }
    if (email) {
      json.BeginObject().Member("system", "email").Member("value", *email).EndObject();
    }
    json.EndArray();
  }
  json.Member("gender", GenderCode(details.Gender()));
  MemberIfPresent(json, "birthDate", FhirDate(details.Text(TextField::kBirthDate)));
  const std::optional<std::string> street = TextOf(details, TextField::kStreetAddress);
  const std::pair<std::string_view, std::optional<std::string>> places[] = {
      {"city", TextOf(details, TextField::kTown)},
      {"state", TextOf(details, TextField::kState)},
      {"postalCode", TextOf(details, TextField::kPostcode)},
      {"country", TextOf(details, TextField::kCountry)}};
  if (street || std::any_of(std::begin(places), std::end(places),
                            [](const auto& place) { return place.second.has_value(); })) {
    json.Key("address").BeginArray().BeginObject();
    if (street) {
      json.Key("line").BeginArray().String(*street).EndArray();
    }
    for (const auto& [key, value] : places) {
      MemberIfPresent(json, key, value);
    }
    json.EndObject().EndArray();
  }
  if (!id.empty()) {
    json.Member("id", id);
  }
  json.EndObject();
}

// The observer of `observer` for the Patient `patient` (a reference), ending with `id` when one
// is given.
void WriteRelatedPerson(JsonText& json, const ResponseRecord& observer, std::string_view patient,
                        std::string_view id) {
  json.BeginObject().Member("resourceType", "RelatedPerson").Key("identifier").BeginArray();
  WriteIdentifier(json, "observer", ObserverKey(observer));
  json.EndArray().Key("patient");
  WriteReference(json, patient);
  json.Key("name").BeginArray().BeginObject().Member("text",
                                                     Utf8(observer.Text(TextField::kObserverName)));
  json.EndObject().EndArray();
  if (const std::optional<std::string> relation =
          TextOf(observer, TextField::kObserverRelationship)) {
    json.Key("relationship").BeginArray().BeginObject().Member("text", *relation);
    json.EndObject().EndArray();
  }
  if (const std::optional<std::string> contact = TextOf(observer, TextField::kObserverContact)) {
    json.Key("telecom")
        .BeginArray()
        .BeginObject()
        .Member("system", "other")
        .Member("value", *contact);
    json.EndObject().EndArray();
  }
  if (!id.empty()) {
    json.Member("id", id);
  }
  json.EndObject();
}

// The value of what `write` writes.
template <typename Write>
Json ValueOf(const Write& write) {
  std::string text;
  JsonText json(text);
  write(json);
  return Json::parse(text);
}

Json Observation(const Json& identifier, const Json& code, const Json& subject,
                 const ResponseRecord& record, const Json& derivedFrom) {
  Json observation = {
      {"resourceType", "Observation"},
      {"identifier", Json::array({identifier})},
      {"status", "final"},
      {"category",
       Json::array(
           {{{"coding", Json::array({{{"system", kSurveyCategory}, {"code", "survey"}}})}}})},
      {"code", code},
      {"subject", subject}};
  SetIfPresent(observation, "effectiveDateTime", FhirDate(record.Text(TextField::kCompletionDate)));
  observation["derivedFrom"] = derivedFrom;
  return observation;
}

Json Concept(std::string_view systemPath, std::string_view code, std::string_view display) {
  return {{"coding", Json::array({Coding(systemPath, code, display)})}, {"text", display}};
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n') {
      c = ' ';
    }
  }
  return line;
}

// The text of every item a response can hold, made once: the 190 items are most of the export
// of a whole file.
class ItemTexts {
 public:
  static const ItemTexts& Get() {
    static const ItemTexts texts;
    return texts;
  }

  const std::string& ReportType(int reportType) const {
    return reportTypes_[ReportTypeAt(reportType)];
  }
  // A comma, then item `item` answered `value`, or not answered for a value outside 0..5.
  const std::string& FollowingItem(int item, int value) const {
    const bool answered = value >= 0 && value < kAnswerCount;
    return items_[static_cast<std::size_t>(item)][answered ? value : kAnswerCount];
  }

 private:
  static constexpr int kAnswerCount = static_cast<int>(kAnswerLabels.size());

  ItemTexts() : items_(kItemCount + 1) {
    for (std::size_t at = 0; at < kReportTypeAnswers.size(); ++at) {
      reportTypes_[at] =
          Json{{"linkId", kReportTypeLinkId},
               {"answer",
                Json::array({{{"valueCoding", ReportTypeCoding(kReportTypeAnswers[at])}}})}}
              .dump();
    }
    for (int item = 1; item <= kItemCount; ++item) {
      for (int value = 0; value <= kAnswerCount; ++value) {
        Json text = {{"linkId", std::to_string(item)}};
        if (value < kAnswerCount) {
          text["answer"] = Json::array({{{"valueInteger", value}}});
        }
        items_[static_cast<std::size_t>(item)][value] = "," + text.dump();
      }
    }
  }

  std::array<std::string, 2> reportTypes_;
  // By item, then by answer, the last for none; each after its comma.
  std::vector<std::array<std::string, kAnswerCount + 1>> items_;
};

// The screens and the Omega value of one present report, derived from its response.
void AddReportObservations(Entries& entries, const Analysis& analysis, Report which,
                           const Json& subject, const Json& response) {
  const ResponseRecord& record = analysis.report(which);
  const std::string key = ReportKey(record);
  const Json derivedFrom = Json::array({response});
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenInfo& info = ScreenTableRow(row);
    const ScreenResult result = analysis.ScreenForReport(row, which);
    const Json identifier = Identifier("observation", key + "/screen-" + std::to_string(row));
    Json observation = Observation(
        identifier,
        Concept("CodeSystem/screen", "screen-" + std::to_string(row), OneLine(info.label)), subject,
        record, derivedFrom);
    observation["valueBoolean"] = result.positive;
    Json components = Json::array();
    for (std::size_t criterion = 0; criterion < result.counts.size(); ++criterion) {
      const std::string code = "criterion-" + std::to_string(criterion + 1);
      components.push_back(
          {{"code", Concept("CodeSystem/screen-criterion", code,
                            "Criteria met, count " + std::to_string(criterion + 1))},
           {"valueInteger", result.counts[criterion]}});
    }
    observation["component"] = components;
    if (!result.itemsMet.empty()) {
      observation["note"] = Json::array({{{"text", "Items met: " + result.itemsMet}}});
    }
    entries.Add(std::move(observation), identifier);
  }
  const OmegaResult omega = ComputeOmega(record);
  const Json identifier = Identifier("observation", key + "/omega");
  Json observation = Observation(identifier, Concept("CodeSystem/reliability", "omega", "Omega"),
                                 subject, record, derivedFrom);
  if (omega.text == kOmegaTooFewText) {
    observation["dataAbsentReason"] = {
        {"coding", Json::array({{{"system", kDataAbsentReason}, {"code", "unknown"}}})},
        {"text", "Too few of the repeated items were answered"}};
  } else {
    observation["valueQuantity"] = {{"value", std::stod(omega.text)}};
  }
  entries.Add(std::move(observation), identifier);
}

// The QuestionnaireResponse of `record`, its items from the texts made once.
void WriteQuestionnaireResponse(JsonText& json, const ResponseRecord& record,
                                const ResponseLinks& links) {
  json.BeginObject().Member("resourceType", "QuestionnaireResponse").Key("extension").BeginArray();
  if (const std::optional<Verification>& verification = record.GetVerification()) {
    json.BeginObject().Member("url", Url("StructureDefinition/double-entry"));
    json.Key("extension").BeginArray();
    json.BeginObject().Member("url", "byAnotherPerson").Key("valueBoolean");
    json.Bool(verification->byAnotherPerson).EndObject();
    json.BeginObject().Member("url", "differencesResolved").Key("valueInteger");
    json.Int(verification->differencesResolved).EndObject();
    json.EndArray().EndObject();
  }
  if (const std::optional<std::string> completed =
          FhirDate(record.Text(TextField::kCompletionDate))) {
    json.BeginObject()
        .Member("url", Url("StructureDefinition/completion-date"))
        .Member("valueDate", *completed)
        .EndObject();
  }
  json.BeginObject()
      .Member("url", Url("StructureDefinition/entry-method"))
      .Member("valueCode", record.EntryMethod() == kEnteredFromPaper ? "paper" : "screen")
      .EndObject();
  if (const std::optional<std::string> comments = TextOf(record, TextField::kComments)) {
    json.BeginObject()
        .Member("url", Url("StructureDefinition/comments"))
        .Member("valueString", *comments)
        .EndObject();
  }
  json.EndArray().Key("identifier");
  WriteIdentifier(json, "response", ReportKey(record));
  json.Member("questionnaire", QuestionnaireCanonical())
      .Member("status", links.amended ? "amended" : "completed");
  if (!links.subject.empty()) {
    json.Key("subject");
    WriteReference(json, links.subject);
  }
  MemberIfPresent(json, "authored", FhirDateTime(record.SavedStamp()));
  const ItemTexts& items = ItemTexts::Get();
  json.Key("item").BeginArray().Raw(items.ReportType(record.ReportType()));
  for (int item = 1; item <= kItemCount; ++item) {
    json.RawFollowing(items.FollowingItem(item, record.GetResponse(item)));
  }
  json.EndArray();
  if (!links.author.empty()) {
    json.Key("author");
    WriteReference(json, links.author);
    json.Key("source");
    WriteReference(json, links.author);
  }
  if (links.holdsPersons) {
    json.Key("contained").BeginArray();
    WritePatient(json, record, "patient");
    if (NamesObserver(record)) {
      WriteRelatedPerson(json, record, "#patient", "observer");
    }
    json.EndArray();
  }
  json.EndObject();
}

}  // namespace

std::string Url(std::string_view path) {
  return std::string(kBaseUrl) + "/" + std::string(path);
}

std::string QuestionnaireCanonical() {
  return Url("Questionnaire/acv") + "|" + std::string(kQuestionnaireVersion);
}

Json Questionnaire() {
  Json reportTypeOptions = Json::array();
  for (const ReportTypeAnswer& answer : kReportTypeAnswers) {
    reportTypeOptions.push_back({{"valueCoding", ReportTypeCoding(answer)}});
  }
  Json items = Json::array({{{"linkId", kReportTypeLinkId},
                             {"text",
                              "Who answers: the person (Self-report) or someone who "
                              "knows them well (Observer-report)"},
                             {"type", "choice"},
                             {"required", true},
                             {"answerOption", reportTypeOptions}}});
  // A rating is its number, so that a response says it in a few bytes and its scores need no
  // look-up; the label each number stands for goes beside it.
  Json answerOptions = Json::array();
  for (int value = 0; value < static_cast<int>(kAnswerLabels.size()); ++value) {
    answerOptions.push_back(
        {{"extension", Json::array({{{"url", Url("StructureDefinition/answer-label")},
                                     {"valueString", kAnswerLabels[value]}}})},
         {"valueInteger", value}});
  }
  for (int item = 1; item <= kItemCount; ++item) {
    items.push_back(
        {{"linkId", std::to_string(item)},
         {"extension", Json::array({{{"url", Url("StructureDefinition/observer-wording")},
                                     {"valueString", Utf8(ItemBank::Observer(item))}}})},
         {"text", Utf8(ItemBank::Self(item))},
         {"type", "integer"},
         {"answerOption", answerOptions}});
  }
  return {{"resourceType", "Questionnaire"},
          {"url", Url("Questionnaire/acv")},
          {"version", kQuestionnaireVersion},
          {"name", "AdultCorvantis"},
          {"title", "Adult Corvantis (ACV) 4.0"},
          {"status", "active"},
          {"subjectType", Json::array({"Patient"})},
          {"publisher", "VELT"},
          {"description",
           "190 statements of behaviour, each rated on a six-point scale from Never to Very "
           "Often, in the first person for a Self-report and in the third person for an "
           "Observer-report. An unanswered statement is left blank."},
          {"item", items}};
}

Json Patient(const ResponseRecord& details) {
  return ValueOf([&details](JsonText& json) { WritePatient(json, details, {}); });
}

Json QuestionnaireResponse(const ResponseRecord& record, const ResponseLinks& links) {
  return ValueOf([&](JsonText& json) { WriteQuestionnaireResponse(json, record, links); });
}

Json PersonBundle(const PersonExport& person) {
  const Analysis& analysis = *person.analysis;
  Entries entries(true);
  const ResponseRecord& details =
      analysis.IsSelfAbsent() ? analysis.observerReport() : analysis.selfReport();
  const Json patient = entries.Add(Patient(details), Identifier("person", PersonKey(details)));
  const std::string patientReference = patient["reference"];
  Json responses = Json::array();
  std::string latestStamp;
  std::string reportKey = PersonKey(details);
  for (const Report which : {Report::kSelf, Report::kObserver}) {
    if (analysis.IsAbsent(which)) {
      continue;
    }
    const ResponseRecord& record = analysis.report(which);
    ResponseLinks links{patientReference, patientReference, false,
                        person.amended[static_cast<std::size_t>(which)]};
    if (which == Report::kObserver) {
      links.author.clear();
      if (NamesObserver(record)) {
        const Json observer = ValueOf(
            [&](JsonText& json) { WriteRelatedPerson(json, record, patientReference, {}); });
        links.author =
            entries.Add(observer, Identifier("observer", ObserverKey(record)))["reference"];
      }
    }
    Json response = QuestionnaireResponse(record, links);
    const Json identifier = response["identifier"];
    const Json reference = entries.Add(std::move(response), identifier);
    responses.push_back(reference);
    AddReportObservations(entries, analysis, which, patient, reference);
    reportKey += "/" + std::string(record.Text(TextField::kSavedStamp));
    latestStamp = std::max(latestStamp, std::string(record.Text(TextField::kSavedStamp)));
  }
  const Json reliabilityId = Identifier("observation", reportKey + "/reliability");
  Json reliability =
      Observation(reliabilityId, Concept("CodeSystem/reliability", "reliability", "Reliability"),
                  patient, details, responses);
  reliability["valueString"] = analysis.ReliabilityCommentText();
  reliability["component"] =
      Json::array({{{"code", Concept("CodeSystem/reliability", "attained", "Reliability attained")},
                    {"valueBoolean", analysis.ReliabilityAttained()}}});
  entries.Add(std::move(reliability), reliabilityId);
  if (person.reportPdf) {
    const Json identifier = Identifier("report", reportKey);
    Json document = {{"resourceType", "DocumentReference"},
                     {"identifier", Json::array({identifier})},
                     {"status", "current"},
                     {"type", {{"text", "ACV printed report"}}},
                     {"subject", patient}};
    SetIfPresent(document, "date", FhirDateTime(ParseStamp14(latestStamp)));
    document["content"] = Json::array({{{"attachment",
                                         {{"contentType", "application/pdf"},
                                          {"data", Base64(*person.reportPdf)},
                                          {"title", "ACV report"}}}}});
    document["context"] = {{"related", responses}};
    entries.Add(std::move(document), identifier);
  }
  return entries.Bundle();
}

void ResponsesBundleWriter::Begin(bool entry) {
  text_.clear();
  if (!started_) {
    JsonText(text_)
        .BeginObject()
        .Member("resourceType", "Bundle")
        .Member("type", "collection")
        .Key("entry")
        .BeginArray();
    started_ = true;
  } else if (entry) {
    text_ += ',';
  }
}

bool ResponsesBundleWriter::Add(const ResponseRecord& record, bool amended) {
  Begin(true);
  // Each response holds its person, so that it can be read back alone.
  const ResponseLinks links{"#patient", NamesObserver(record) ? "#observer" : "#patient", true,
                            amended};
  JsonText json(text_);
  json.BeginObject()
      .Member("fullUrl", UuidOf(IdentifierText("response", ReportKey(record))))
      .Key("resource");
  WriteQuestionnaireResponse(json, record, links);
  json.EndObject();
  return sink_(text_);
}

bool ResponsesBundleWriter::Finish() {
  Begin(false);
  text_ += "]}\n";
  return sink_(text_);
}

Json ResponsesBundle(const std::vector<ResponseRecord>& records) {
  std::string text;
  ResponsesBundleWriter writer([&text](std::string_view part) {
    text += part;
    return true;
  });
  for (const ResponseRecord& record : records) {
    writer.Add(record, false);
  }
  writer.Finish();
  return Json::parse(text);
}

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16 |
                                static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) {
      text += kAlphabet[(group >> shift) & 63];
    }
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) {
      group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    }
    text += kAlphabet[(group >> 18) & 63];
    text += kAlphabet[(group >> 12) & 63];
    text += rest == 2 ? kAlphabet[(group >> 6) & 63] : '=';
    text += '=';
  }
  return text;
}

}  // namespace acv::fhir
