#include "storage/fhir/fhir_import.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "engine/analysis.h"
#include "engine/cp1252.h"
#include "storage/fhir/fhir_export.h"

namespace acv::fhir {
namespace {

// What a field of the Bundle cannot be, thrown to the edge of ReadBundleRecords.
struct Refusal {
  std::string where;
  std::string why;
};

// One resource being read, named for the messages.
class Reader {
 public:
  Reader(const Json& resource, std::string where) : resource_(resource), where_(std::move(where)) {}

  [[noreturn]] void Refuse(const std::string& field, const std::string& why) const {
    throw Refusal{where_ + " " + field, why};
  }

  // The text at `field` (a string or nothing), in code page 1252 and short enough for `into`.
  void Text(const Json& value, const std::string& field, TextField into,
            ResponseRecord* record) const {
    if (value.is_null()) {
      return;
    }
    if (!value.is_string()) {
      Refuse(field, "is not a text");
    }
    std::string stored;
    std::size_t unstorable = 0;
    const std::string& utf8 = value.get_ref<const std::string&>();
    if (!Utf8ToCp1252Exact(utf8, &stored, &unstorable) ||
        std::find_if(stored.begin(), stored.end(), [](char c) {
          return !IsStorableByte(static_cast<unsigned char>(c));
        }) != stored.end()) {
      Refuse(field, "holds a character a record cannot store");
    }
    if (static_cast<int>(stored.size()) > FieldWidth(into)) {
      Refuse(field, "is longer than the " + std::to_string(FieldWidth(into)) +
                        " characters a record holds");
    }
    record->SetText(into, stored);
  }

  // "1975-03-07" as the eight digits of a stored date (a date-time's date part when `time`).
  void Date(const Json& value, const std::string& field, TextField into, ResponseRecord* record,
            bool time = false) const {
    if (value.is_null()) {
      return;
    }
    const std::string text = value.is_string() ? value.get<std::string>() : std::string();
    std::string digits;
    for (std::size_t i = 0; i < text.size() && digits.size() < (time ? 14u : 8u); ++i) {
      if (text[i] >= '0' && text[i] <= '9') {
        digits += text[i];
      } else if (std::string_view("-T:").find(text[i]) == std::string_view::npos) {
        break;
      }
    }
    const std::optional<CalendarDate> date = ParseDate8(digits.substr(0, 8));
    if (digits.size() != (time ? 14u : 8u) || !date || !IsValidCalendarDate(*date)) {
      Refuse(field, "is not a date" + std::string(time ? " and time" : "") + ": " + text);
    }
    record->SetText(into, digits);
  }

  const Json& resource() const { return resource_; }

 private:
  const Json& resource_;
  std::string where_;
};

const Json& At(const Json& object, std::string_view key) {
  static const Json kNothing;
  return object.is_object() && object.contains(key) ? object[key] : kNothing;
}

const Json& First(const Json& array) {
  static const Json kNothing;
  return array.is_array() && !array.empty() ? array[0] : kNothing;
}

constexpr std::array<std::pair<std::string_view, char>, 4> kGenders = {
    {{"male", 'M'}, {"female", 'F'}, {"other", 'X'}, {"unknown", 'U'}}};

void ReadPatient(const Reader& in, ResponseRecord* record) {
  const Json& patient = in.resource();
  const Json& name = First(At(patient, "name"));
  in.Text(At(name, "family"), "name[0].family", TextField::kLastName, record);
  in.Text(First(At(name, "given")), "name[0].given[0]", TextField::kFirstName, record);
  in.Date(At(patient, "birthDate"), "birthDate", TextField::kBirthDate, record);
  if (const Json& gender = At(patient, "gender"); !gender.is_null()) {
    const auto known = std::find_if(kGenders.begin(), kGenders.end(),
                                    [&](const auto& pair) { return gender == pair.first; });
    if (known == kGenders.end()) {
      in.Refuse("gender", "is not male, female, other or unknown");
    }
    record->SetGender(known->second);
  }
  const Json& address = First(At(patient, "address"));
  in.Text(First(At(address, "line")), "address[0].line[0]", TextField::kStreetAddress, record);
  in.Text(At(address, "city"), "address[0].city", TextField::kTown, record);
  in.Text(At(address, "state"), "address[0].state", TextField::kState, record);
  in.Text(At(address, "postalCode"), "address[0].postalCode", TextField::kPostcode, record);
  in.Text(At(address, "country"), "address[0].country", TextField::kCountry, record);
  const Json& telecom = At(patient, "telecom");
  for (std::size_t i = 0; telecom.is_array() && i < telecom.size(); ++i) {
    const std::string field = "telecom[" + std::to_string(i) + "]";
    const Json& system = At(telecom[i], "system");
    const Json& rank = At(telecom[i], "rank");
    const bool second = rank == 2 || (rank.is_null() && !record->Text(TextField::kPhone).empty());
    const TextField into = system == "email" ? TextField::kEmail
                           : second          ? TextField::kPhone2
                                             : TextField::kPhone;
    if (system != "email" && !record->Text(into).empty()) {
      in.Refuse(field, "is a third telephone number; a record holds two");
    }
    in.Text(At(telecom[i], "value"), field + ".value", into, record);
  }
}

void ReadObserver(const Reader& in, ResponseRecord* record) {
  const Json& observer = in.resource();
  in.Text(At(First(At(observer, "name")), "text"), "name[0].text", TextField::kObserverName,
          record);
  in.Text(At(First(At(observer, "relationship")), "text"), "relationship[0].text",
          TextField::kObserverRelationship, record);
  in.Text(At(First(At(observer, "telecom")), "value"), "telecom[0].value",
          TextField::kObserverContact, record);
}

// The coding's code when it is of our code system `systemPath`.
std::string CodeOf(const Reader& in, const Json& answer, const std::string& field,
                   const std::string& systemPath) {
  const Json& coding = At(answer, "valueCoding");
  if (At(coding, "system") != Url(systemPath) || !At(coding, "code").is_string()) {
    in.Refuse(field, "is not an answer of the questionnaire (" + Url(systemPath) + ")");
  }
  return At(coding, "code").get<std::string>();
}

void ReadAnswers(const Reader& in, ResponseRecord* record) {
  const Json& items = At(in.resource(), "item");
  if (!items.is_array() || items.empty() || At(items[0], "linkId") != kReportTypeLinkId) {
    in.Refuse("item[0]", "is not the report type question \"report-type\"");
  }
  const std::string type =
      CodeOf(in, First(At(items[0], "answer")), "item[0].answer[0]", "CodeSystem/report-type");
  if (type != "self" && type != "observer") {
    in.Refuse("item[0].answer[0]", "is neither self nor observer");
  }
  record->SetReportType(type == "self" ? kSelfReport : kObserverReport);
  for (int item = 1; item <= kItemCount; ++item) {
    record->SetResponse(item, -1);
  }
  for (std::size_t i = 1; i < items.size(); ++i) {
    const std::string field = "item[" + std::to_string(i) + "]";
    const Json& linkId = At(items[i], "linkId");
    const int number =
        linkId.is_string() &&
                linkId.get<std::string>().find_first_not_of("0123456789") == std::string::npos &&
                linkId.get<std::string>().size() <= 3
            ? std::stoi("0" + linkId.get<std::string>())
            : 0;
    if (!IsItemNumber(number) || linkId != std::to_string(number)) {
      in.Refuse(field + ".linkId", "is not an item of the questionnaire (\"1\" to \"190\")");
    }
    const Json& answers = At(items[i], "answer");
    if (answers.is_null()) {
      continue;  // a blank
    }
    const Json& value = At(First(answers), "valueInteger");
    if (!value.is_number_integer() || value.get<long long>() < 0 || value.get<long long>() > 5 ||
        answers.size() != 1) {
      in.Refuse(field + ".answer", "is not one answer from 0 to 5");
    }
    record->SetResponse(number, value.get<int>());
  }
}

void ReadExtensions(const Reader& in, ResponseRecord* record) {
  const Json& extensions = At(in.resource(), "extension");
  for (std::size_t i = 0; extensions.is_array() && i < extensions.size(); ++i) {
    const Json& extension = extensions[i];
    const std::string field = "extension[" + std::to_string(i) + "]";
    const Json& url = At(extension, "url");
    if (url == Url("StructureDefinition/completion-date")) {
      in.Date(At(extension, "valueDate"), field, TextField::kCompletionDate, record);
    } else if (url == Url("StructureDefinition/entry-method")) {
      record->SetEntryMethod(At(extension, "valueCode") == "paper" ? kEnteredFromPaper
                                                                   : kEnteredOnScreen);
    } else if (url == Url("StructureDefinition/comments")) {
      in.Text(At(extension, "valueString"), field, TextField::kComments, record);
    }
  }
}

// The double-entry mark last: setting the answers and the date of birth drops it.
void ReadVerification(const Reader& in, ResponseRecord* record) {
  const Json& extensions = At(in.resource(), "extension");
  for (const Json& extension : extensions.is_array() ? extensions : Json::array()) {
    if (At(extension, "url") != Url("StructureDefinition/double-entry")) {
      continue;
    }
    Verification verification;
    for (const Json& part : At(extension, "extension")) {
      if (At(part, "url") == "byAnotherPerson") {
        verification.byAnotherPerson = At(part, "valueBoolean") == true;
      } else if (At(part, "url") == "differencesResolved" &&
                 At(part, "valueInteger").is_number_unsigned()) {
        verification.differencesResolved = At(part, "valueInteger").get<int>();
      }
    }
    record->SetVerification(verification);
  }
}

// The resource a reference names: an entry of the Bundle by its full URL, or one contained in
// `container` by "#id".
const Json* Resolve(const Json& reference, const std::map<std::string, const Json*>& entries,
                    const Json& container) {
  const Json& target = At(reference, "reference");
  if (!target.is_string()) {
    return nullptr;
  }
  const std::string name = target.get<std::string>();
  if (name.starts_with('#')) {
    for (const Json& contained : At(container, "contained")) {
      if (At(contained, "id") == name.substr(1)) {
        return &contained;
      }
    }
    return nullptr;
  }
  const auto found = entries.find(name);
  return found == entries.end() ? nullptr : found->second;
}

ResponseRecord ReadResponse(const Json& response, const std::string& where,
                            const std::map<std::string, const Json*>& entries) {
  const Reader in(response, where);
  if (At(response, "questionnaire") != QuestionnaireCanonical()) {
    in.Refuse("questionnaire", "is not " + QuestionnaireCanonical());
  }
  ResponseRecord record;
  const Json* patient = Resolve(At(response, "subject"), entries, response);
  if (patient == nullptr || At(*patient, "resourceType") != "Patient") {
    in.Refuse("subject", "names no Patient of the Bundle");
  }
  ReadPatient(Reader(*patient, where + " subject (Patient)"), &record);
  ReadAnswers(in, &record);
  ReadExtensions(in, &record);
  if (const Json* author = Resolve(At(response, "author"), entries, response);
      author != nullptr && At(*author, "resourceType") == "RelatedPerson") {
    ReadObserver(Reader(*author, where + " author (RelatedPerson)"), &record);
  }
  in.Date(At(response, "authored"), "authored", TextField::kSavedStamp, &record, true);
  ReadVerification(in, &record);
  return record;
}

}  // namespace

std::string ReadBundleRecords(std::string_view text, std::vector<ResponseRecord>* records) {
  Json bundle;
  try {
    bundle = Json::parse(text);
  } catch (const Json::parse_error& error) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ...", its tag dropped.
    const std::string what = error.what();
    return "is not JSON: " +
           what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
  }
  if (At(bundle, "resourceType") != "Bundle" || !At(bundle, "entry").is_array()) {
    return "is not a FHIR Bundle with entries";
  }
  std::map<std::string, const Json*> byName;
  for (const Json& entry : bundle["entry"]) {
    if (At(entry, "fullUrl").is_string()) {
      byName[entry["fullUrl"].get<std::string>()] = &At(entry, "resource");
    }
  }
  std::vector<ResponseRecord> read;
  try {
    for (std::size_t i = 0; i < bundle["entry"].size(); ++i) {
      const Json& resource = At(bundle["entry"][i], "resource");
      if (At(resource, "resourceType") == "QuestionnaireResponse") {
        read.push_back(ReadResponse(
            resource, "entry " + std::to_string(i) + " (QuestionnaireResponse)", byName));
      }
    }
  } catch (const Refusal& refusal) {
    return refusal.where + ": " + refusal.why;
  }
  if (read.empty()) {
    return "holds no QuestionnaireResponse";
  }
  *records = std::move(read);
  return {};
}

}  // namespace acv::fhir
