// The FHIR resources: the codes a record system files them under (the validator checks their
// shape, not their codes), the details as stored, Bundles that create nothing twice, and the
// records read back from them.
#include "storage/fhir/fhir_export.h"
#include "storage/fhir/fhir_import.h"
#include "storage/fhir/json_text.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

#include "engine/cp1252.h"
#include "support/record_builder.h"

namespace acv::fhir {
namespace {

using testing::TestRecord;

ResponseRecord Saved(ResponseRecord record) {
  record.SetText(TextField::kSavedStamp, "20261130101510");
  record.MarkMetItems();
  return record;
}

Analysis Pair(const ResponseRecord& self, const ResponseRecord& observer) {
  Analysis analysis;
  analysis.selfReport() = self;
  analysis.observerReport() = observer;
  return analysis;
}

// The answers each question allows, by linkId, each as the JSON of an answer giving it.
std::map<std::string, std::set<std::string>> AllowedAnswers() {
  std::map<std::string, std::set<std::string>> allowed;
  const Json questionnaire = Questionnaire();
  for (const Json& item : questionnaire["item"]) {
    auto& values = allowed[item["linkId"].get<std::string>()];
    for (Json option : item["answerOption"]) {
      option.erase("extension");
      values.insert(option.dump());
    }
  }
  return allowed;
}

TEST(FhirExportTest, QuestionnaireHoldsEveryItemInBothWordingsWithTheSixAnswers) {
  const Json questionnaire = Questionnaire();
  EXPECT_EQ(
      questionnaire["url"].get<std::string>() + "|" + questionnaire["version"].get<std::string>(),
      QuestionnaireCanonical());
  EXPECT_EQ(questionnaire["version"], "4.0");
  EXPECT_EQ(questionnaire["publisher"], "VELT");
  const Json& items = questionnaire["item"];
  ASSERT_EQ(items.size(), 1u + kItemCount);
  EXPECT_EQ(items[0]["linkId"], kReportTypeLinkId);
  EXPECT_EQ(items[0]["answerOption"].size(), 2u);
  for (int item = 1; item <= kItemCount; ++item) {
    const Json& question = items[item];
    ASSERT_EQ(question["linkId"], std::to_string(item));
    EXPECT_EQ(question["text"], Cp1252ToUtf8(ItemBank::Self(item)));
    EXPECT_EQ(question["extension"][0]["valueString"], Cp1252ToUtf8(ItemBank::Observer(item)));
    ASSERT_EQ(question["answerOption"].size(), 6u);
    EXPECT_EQ(question["type"], "integer");
    for (int value = 0; value < 6; ++value) {
      const Json& option = question["answerOption"][value];
      EXPECT_EQ(option["valueInteger"], value);
      EXPECT_EQ(option["extension"][0]["valueString"], kAnswerLabels[value]);
    }
  }
}

TEST(FhirExportTest, ResponsesAnswerOnlyWhatTheQuestionnaireAllowsAndLeaveBlanksUnanswered) {
  const auto allowed = AllowedAnswers();
  ResponseRecord observer = Saved(TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 5}));
  observer.SetVerification(Verification{true, 2});
  const ResponseRecord self = Saved(TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 3}));
  for (const ResponseRecord* record : std::array<const ResponseRecord*, 2>{&self, &observer}) {
    const Json response = QuestionnaireResponse(*record, {});
    EXPECT_EQ(response["status"], "completed");
    EXPECT_EQ(response["questionnaire"], QuestionnaireCanonical());
    EXPECT_EQ(response["authored"].get<std::string>().substr(0, 19), "2026-11-30T10:15:10");
    const Json& items = response["item"];
    ASSERT_EQ(items.size(), 1u + kItemCount);
    EXPECT_EQ(items[0]["answer"][0]["valueCoding"]["code"], record == &self ? "self" : "observer");
    for (const Json& item : items) {
      const std::string linkId = item["linkId"];
      ASSERT_TRUE(allowed.contains(linkId)) << linkId;
      const int number = linkId == kReportTypeLinkId ? 0 : std::stoi(linkId);
      if (number > 0 && record->GetResponse(number) < 0) {
        EXPECT_FALSE(item.contains("answer")) << "blank item " << linkId;
        continue;
      }
      ASSERT_EQ(item["answer"].size(), 1u) << linkId;
      EXPECT_TRUE(allowed.at(linkId).contains(item["answer"][0].dump())) << linkId;
      if (number > 0) {
        EXPECT_EQ(item["answer"][0]["valueInteger"], record->GetResponse(number));
      }
    }
  }
  // A record changed by a replacing edit is amended.
  ResponseLinks edited;
  edited.amended = true;
  EXPECT_EQ(QuestionnaireResponse(self, edited)["status"], "amended");
  // The double-entry mark travels with the response it was made on.
  EXPECT_EQ(QuestionnaireResponse(self, {}).dump().find("double-entry"), std::string::npos);
  const Json mark = QuestionnaireResponse(observer, {})["extension"][0];
  EXPECT_EQ(mark["url"], Url("StructureDefinition/double-entry"));
  EXPECT_EQ(mark["extension"][0]["valueBoolean"], true);
  EXPECT_EQ(mark["extension"][1]["valueInteger"], 2);
}

TEST(FhirExportTest, PatientHoldsTheDetailsAsStoredInUtf8WithFhirGenderCodes) {
  ResponseRecord record = TestRecord(
      kSelfReport, {.first = "Zo\xEB", .last = "M\xFCller", .birthDate = "19910602", .seed = 1});
  record.SetText(TextField::kTown, "Besan\xE7on");
  record.SetText(TextField::kEmail, "zoe@example.org");
  const Json patient = Patient(record);
  EXPECT_EQ(patient["name"][0]["family"], "M\u00fcller");
  EXPECT_EQ(patient["name"][0]["given"][0], "Zo\u00eb");
  EXPECT_EQ(patient["birthDate"], "1991-06-02");
  EXPECT_EQ(patient["address"][0]["line"][0], "12 Example Street");
  EXPECT_EQ(patient["address"][0]["city"], "Besan\u00e7on");
  EXPECT_FALSE(patient["address"][0].contains("postalCode"));
  ASSERT_EQ(patient["telecom"].size(), 1u);
  EXPECT_EQ(patient["telecom"][0]["system"], "email");
  for (const auto& [stored, code] :
       {std::pair{'M', "male"}, std::pair{'F', "female"}, std::pair{'X', "other"},
        std::pair{'U', "unknown"}, std::pair{'Q', "unknown"}}) {
    record.RestoreGender(stored);
    EXPECT_EQ(Patient(record)["gender"], code) << stored;
  }
  // A date of birth that is no date is left out rather than sent malformed.
  record.SetText(TextField::kBirthDate, "19910231");
  EXPECT_FALSE(Patient(record).contains("birthDate"));
}

TEST(FhirExportTest, EveryEntryIsCreatedOnceByItsIdentifierAndTheBundleIsTheSameEachTime) {
  ResponseRecord self = Saved(TestRecord(
      kSelfReport, {.first = "Pat", .last = "O,Brien|Jr", .birthDate = "19750307", .seed = 3}));
  ResponseRecord observer = Saved(TestRecord(
      kObserverReport, {.first = "Pat", .last = "O,Brien|Jr", .birthDate = "19750307", .seed = 5}));
  observer.SetText(TextField::kObserverRelationship, "Sister");
  const Analysis analysis = Pair(self, observer);
  const Json bundle = PersonBundle({&analysis, std::string("%PDF-1.4")});
  EXPECT_EQ(bundle, PersonBundle({&analysis, std::string("%PDF-1.4")}));
  EXPECT_EQ(bundle["type"], "transaction");
  std::map<std::string, int> types;
  std::set<std::string> fullUrls;
  for (const Json& entry : bundle["entry"]) {
    const Json& resource = entry["resource"];
    ++types[resource["resourceType"]];
    EXPECT_TRUE(fullUrls.insert(entry["fullUrl"]).second) << entry["fullUrl"];
    EXPECT_EQ(entry["request"]["method"], "POST");
    EXPECT_EQ(entry["request"]["url"], resource["resourceType"]);
    const Json identifier =
        resource["identifier"].is_array() ? resource["identifier"][0] : resource["identifier"];
    const std::string search = entry["request"]["ifNoneExist"];
    // Percent-encoded, the value's own "," and "|" escaped so they cannot split the token.
    EXPECT_EQ(search.find_first_of(",|/: "), std::string::npos) << search;
    EXPECT_TRUE(search.starts_with("identifier=https%3A%2F%2Facv.example.org%2Ffhir%2F"));
    EXPECT_NE(search.find("O%5C%2CBrien%5C%7CJr"), std::string::npos) << search;
    EXPECT_NE(identifier["value"], "");
  }
  EXPECT_EQ(types, (std::map<std::string, int>{{"Patient", 1},
                                               {"RelatedPerson", 1},
                                               {"QuestionnaireResponse", 2},
                                               {"Observation", 2 * (kScreenCount + 1) + 1},
                                               {"DocumentReference", 1}}));
  // Every reference names an entry of the Bundle.
  const std::string text = bundle.dump();
  for (std::size_t at = text.find("\"reference\":\""); at != std::string::npos;
       at = text.find("\"reference\":\"", at + 1)) {
    const std::size_t start = at + 13;
    EXPECT_TRUE(fullUrls.contains(text.substr(start, text.find('"', start) - start)));
  }
  const Json& document = bundle["entry"].back()["resource"];
  EXPECT_EQ(document["content"][0]["attachment"]["data"], Base64("%PDF-1.4"));
  // Without the report there is no DocumentReference; a second save of a record is another
  // response, the person the same.
  observer.SetText(TextField::kSavedStamp, "20261201090000");
  const Analysis resaved = Pair(self, observer);
  const Json again = PersonBundle({&resaved, std::nullopt});
  EXPECT_EQ(again["entry"].back()["resource"]["resourceType"], "Observation");
  EXPECT_EQ(again["entry"][0], bundle["entry"][0]);
  EXPECT_NE(again["entry"][kScreenCount + 4]["fullUrl"],
            bundle["entry"][kScreenCount + 4]["fullUrl"]);
}

TEST(FhirExportTest, BundlesReadBackIntoTheSameRecordsAndWhatNoRecordHoldsIsRefusedByField) {
  ResponseRecord self = Saved(TestRecord(
      kSelfReport, {.first = "Zo\xEB", .last = "M\xFCller", .birthDate = "19910602", .seed = 3}));
  self.SetText(TextField::kPhone2, "0123 456");
  self.SetEntryMethod(kEnteredFromPaper);
  self.SetVerification(Verification{false, 3});
  ResponseRecord observer = Saved(
      TestRecord(kObserverReport,
                 {.first = "Zo\xEB", .last = "M\xFCller", .birthDate = "19910602", .seed = 5}));
  observer.SetText(TextField::kObserverRelationship, "Brother");
  observer.SetText(TextField::kObserverContact, "0999 111");
  // A pair shares one Patient, made from the Self-report: the two hold the same details here.
  observer.SetText(TextField::kPhone2, "0123 456");
  const Analysis analysis = Pair(self, observer);
  const Json person = PersonBundle({&analysis, std::string("%PDF")});
  for (const Json& bundle : {person, ResponsesBundle({self, observer})}) {
    std::vector<ResponseRecord> records;
    ASSERT_EQ(ReadBundleRecords(bundle.dump(), &records), "");
    ASSERT_EQ(records.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      const ResponseRecord& original = i == 0 ? self : observer;
      for (int field = 0; field < kTextFieldCount; ++field) {
        EXPECT_EQ(records[i].Text(TextField(field)), original.Text(TextField(field))) << field;
      }
      EXPECT_EQ(records[i].Gender(), original.Gender());
      EXPECT_TRUE(records[i].IsSameAs(original)) << i;  // the type and the answers
      EXPECT_EQ(records[i].EntryMethod(), original.EntryMethod());
      EXPECT_EQ(records[i].GetVerification(), original.GetVerification());
    }
    Analysis again = Pair(Saved(records[0]), Saved(records[1]));
    EXPECT_TRUE(PersonBundle({&again, std::string("%PDF")}) == person);
    EXPECT_TRUE(ResponsesBundle(records) == ResponsesBundle({self, observer}));
  }
  const Json good = ResponsesBundle({observer});
  // Each value put at a field of the response (or of the persons it contains), and the refusal.
  const struct {
    std::string field;
    Json value;
    std::string refusal;
  } kRefused[] = {
      {"item/12/answer/0/valueInteger", 6, "item[12].answer: is not one answer from 0 to 5"},
      {"item/12/answer/0/valueInteger", "3", "item[12].answer: is not one answer from 0 to 5"},
      {"item/12/linkId", "191",
       "item[12].linkId: is not an item of the questionnaire (\"1\" to \"190\")"},
      {"contained/0/name/0/family", "\u03a9mega",
       "subject (Patient) name[0].family: holds a character a record cannot store"},
      {"contained/1/name/0/text", std::string(21, 'x'),
       "author (RelatedPerson) name[0].text: is longer than the 20 characters a record holds"},
      {"contained/0/gender", "woman",
       "subject (Patient) gender: is not male, female, other or unknown"},
      {"contained/0/birthDate", "1991-02-30",
       "subject (Patient) birthDate: is not a date: 1991-02-30"},
      {"subject/reference", "#nobody", "subject: names no Patient of the Bundle"},
  };
  for (const auto& [field, value, refusal] : kRefused) {
    Json bad = good;
    bad[Json::json_pointer("/entry/0/resource/" + field)] = value;
    std::vector<ResponseRecord> records;
    EXPECT_EQ(ReadBundleRecords(bad.dump(), &records),
              "entry 0 (QuestionnaireResponse) " + refusal);
    EXPECT_TRUE(records.empty());
  }
  std::vector<ResponseRecord> records;
  EXPECT_EQ(ReadBundleRecords("{\n \"entry\": [,]}", &records),
            "is not JSON: parse error at line 2, column 12: syntax error while parsing value - "
            "unexpected ','; expected '[', '{', or a literal");
  EXPECT_EQ(ReadBundleRecords(Questionnaire().dump(), &records),
            "is not a FHIR Bundle with entries");
}

// The whole file's Bundle goes to its sink a response at a time, as the text dump() gives of
// it, whatever the names hold; the first refusal of the sink stops it.
TEST(FhirExportTest, TheCollectionIsWrittenOneResponseAtATimeAsItsValueDumps) {
  const ResponseRecord self = Saved(TestRecord(
      kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 3}));
  const ResponseRecord observer = Saved(TestRecord(
      kObserverReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 5}));
  ResponseRecord odd = Saved(TestRecord(
      kSelfReport,
      {.first = "Jo \"J\\\"", .last = "\x8A\xE9\xFF\x9F", .birthDate = "19820914", .seed = 1}));
  odd.SetText(TextField::kComments, "tab\tline\nend\x7F");
  std::vector<std::string> parts;
  std::size_t refuseAt = 99;
  const auto sink = [&](std::string_view part) {
    parts.emplace_back(part);
    return parts.size() < refuseAt;
  };
  ResponsesBundleWriter writer(sink);
  EXPECT_TRUE(writer.Add(self, false));
  EXPECT_TRUE(writer.Add(odd, true));
  EXPECT_TRUE(writer.Add(observer, false));
  EXPECT_TRUE(writer.Finish());
  ASSERT_EQ(parts.size(), 4u);
  std::string text;
  for (const std::string& part : parts) {
    text += part;
  }
  const Json bundle = Json::parse(text);
  EXPECT_EQ(text, bundle.dump() + "\n");
  std::vector<std::string> statuses;
  for (const Json& entry : bundle["entry"]) {
    statuses.push_back(entry["resource"]["status"]);
  }
  EXPECT_EQ(statuses, (std::vector<std::string>{"completed", "amended", "completed"}));
  const Json& patient = bundle["entry"][1]["resource"]["contained"][0];
  EXPECT_EQ(patient["name"][0]["given"][0], Cp1252ToUtf8(odd.Text(TextField::kFirstName)));
  EXPECT_EQ(patient["name"][0]["family"], "\u0160\u00e9\u00ff\u0178");
  EXPECT_EQ(bundle["entry"][2]["resource"]["contained"][1]["id"], "observer");
  EXPECT_EQ(ResponsesBundle({}).dump(),
            R"({"resourceType":"Bundle","type":"collection","entry":[]})");
  parts.clear();
  refuseAt = 1;
  ResponsesBundleWriter refused(sink);
  EXPECT_FALSE(refused.Add(self, false));
}

// Written straight as text, every character comes out as dump() writes it: the controls and
// the quote and backslash escaped, the rest (code page 1252's letters too) as they are.
TEST(FhirExportTest, JsonTextIsWhatDumpWritesOfTheSameValue) {
  std::string every;
  for (int c = 0; c < 256; ++c) {
    every += Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
  }
  std::string text;
  JsonText json(text);
  json.BeginObject().Member("every", every).Key("list").BeginArray().Int(-12).Bool(false);
  json.BeginObject().EndObject().BeginArray().EndArray().Raw("null").EndArray();
  json.Member("last", "").EndObject();
  const Json value = {{"every", every},
                      {"list", Json::array({-12, false, Json::object(), Json::array(), nullptr})},
                      {"last", ""}};
  EXPECT_EQ(text, value.dump());
}

TEST(FhirExportTest, Base64FollowsTheStandardAlphabetAndPadding) {
  using Case = std::pair<std::string, std::string>;
  for (const auto& [bytes, text] :
       {Case{"", ""}, Case{"f", "Zg=="}, Case{"fo", "Zm8="}, Case{"foo", "Zm9v"},
        Case{"foob", "Zm9vYg=="}, Case{"foobar", "Zm9vYmFy"},
        Case{std::string("\xFF\xFE\x00", 3), "//4A"}}) {
    EXPECT_EQ(Base64(bytes), text);
  }
}

}  // namespace
}  // namespace acv::fhir
