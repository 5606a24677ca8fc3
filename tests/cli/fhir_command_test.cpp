// acv fhir and acv fhir-questionnaire run as the user runs them: the Observations say what
// acv analyse says of the same records, the report travels as its PDF, an edited record's
// response is amended, and a file is written whole or not at all.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "storage/format/response_file.h"
#include "storage/history/history_file.h"
#include "storage/records/record_store.h"
#include "support/run_acv.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using Json = nlohmann::json;
using testing::ReadBytes;
using testing::RunAcv;

class FhirCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(RunAcv({"demo", dir_.path()}).status, 0); }
  std::string Sample() const { return dir_.File("sample.cvr"); }
  testing::TempDir dir_;
};

// The entries of `bundle` of one resource type.
std::vector<Json> OfType(const Json& bundle, const std::string& type) {
  std::vector<Json> found;
  for (const Json& entry : bundle["entry"]) {
    if (entry["resource"]["resourceType"] == type) {
      found.push_back(entry["resource"]);
    }
  }
  return found;
}

TEST_F(FhirCommandTest, ObservationsAgreeWithAnalyseAndTheReportTravelsAsItsPdf) {
  const auto analysed = RunAcv({"analyse", Sample(), "--self", "0", "--observer", "1"});
  const auto exported = RunAcv({"fhir", Sample(), "--self", "0", "--observer", "1"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  const Json analysis = Json::parse(analysed.out);
  const Json bundle = Json::parse(exported.out);
  // Which report each response is, by its entry name.
  std::map<std::string, std::string> reportOf;
  for (const Json& entry : bundle["entry"]) {
    if (entry["resource"]["resourceType"] == "QuestionnaireResponse") {
      reportOf[entry["fullUrl"]] = entry["resource"]["item"][0]["answer"][0]["valueCoding"]["code"];
    }
  }
  ASSERT_EQ(reportOf.size(), 2u);
  int screens = 0;
  for (const Json& observation : OfType(bundle, "Observation")) {
    const std::string code = observation["code"]["coding"][0]["code"];
    if (code == "reliability") {
      EXPECT_EQ(observation["valueString"], analysis["reliabilityComment"]);
      EXPECT_EQ(observation["component"][0]["valueBoolean"],
                analysis["reliabilityAttained"] == "YES");
      continue;
    }
    const Json& report = analysis[reportOf.at(observation["derivedFrom"][0]["reference"])];
    if (code == "omega") {
      EXPECT_DOUBLE_EQ(observation["valueQuantity"]["value"].get<double>(),
                       std::stod(report["omega"].get<std::string>()));
      continue;
    }
    ++screens;
    const Json& screen = report["screens"][std::stoi(code.substr(7)) - 1];
    EXPECT_EQ(observation["valueBoolean"], screen["positive"]) << code;
    ASSERT_EQ(observation["component"].size(), screen["counts"].size()) << code;
    for (std::size_t i = 0; i < screen["counts"].size(); ++i) {
      EXPECT_EQ(observation["component"][i]["valueInteger"], screen["counts"][i]) << code;
    }
  }
  EXPECT_EQ(screens, 2 * 26);
  const std::vector<Json> documents = OfType(bundle, "DocumentReference");
#ifdef ACV_REPORT_COMMAND
  ASSERT_EQ(documents.size(), 1u);
  const Json& attachment = documents[0]["content"][0]["attachment"];
  EXPECT_EQ(attachment["contentType"], "application/pdf");
  EXPECT_TRUE(attachment["data"].get<std::string>().starts_with("JVBERi0"));  // "%PDF-"
#else
  EXPECT_TRUE(documents.empty());  // a build without the window draws no report
#endif
  const auto withoutPdf = RunAcv({"fhir", Sample(), "--observer", "1", "--no-pdf"});
  EXPECT_TRUE(OfType(Json::parse(withoutPdf.out), "DocumentReference").empty());
  EXPECT_EQ(OfType(Json::parse(withoutPdf.out), "RelatedPerson").size(), 1u);
}

TEST_F(FhirCommandTest, EveryRecordsResponsesAsACollectionReadBackByImportAndTheQuestionnaire) {
  const auto all = RunAcv({"fhir", Sample(), "--all"});
  ASSERT_EQ(all.status, 0) << all.err;
  const Json bundle = Json::parse(all.out);
  EXPECT_EQ(bundle["type"], "collection");
  EXPECT_EQ(OfType(bundle, "QuestionnaireResponse").size(), 8u);
  EXPECT_FALSE(bundle["entry"][0].contains("request"));
  // Read back into a new file, the records give the same Bundle again; a Bundle with a field
  // no record can hold adds nothing.
  const std::string bundleFile = dir_.File("all.json");
  const std::string copy = dir_.File("copy.cvr");
  ASSERT_EQ(RunAcv({"fhir", Sample(), "--all", "--out", bundleFile}).status, 0);
  // Each export is noted in the history: this one and the one to standard output above.
  const std::string listed = RunAcv({"history", Sample()}).out;
  const std::string noted = ", exported as FHIR, records 0-7\n";
  const std::size_t first = listed.find(noted);
  ASSERT_NE(first, std::string::npos) << listed;
  EXPECT_NE(listed.find(noted, first + 1), std::string::npos) << listed;
  const auto imported = RunAcv({"import", "--fhir", copy, bundleFile});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, "imported 8 records as records 0 to 7\n");
  EXPECT_EQ(RunAcv({"fhir", copy, "--all"}).out, all.out);
  Json bad = bundle;
  bad["entry"][7]["resource"]["item"][3]["linkId"] = "300";
  testing::WriteBytes(bundleFile, bad.dump());
  const auto refused = RunAcv({"import", "--fhir", copy, bundleFile});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("entry 7 (QuestionnaireResponse) item[3].linkId"), std::string::npos)
      << refused.err;
  EXPECT_EQ(ReadBytes(copy).size(), ReadBytes(Sample()).size());
  const auto both = RunAcv({"fhir", Sample(), "--all", "--self", "0"});
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("--all takes every record"), std::string::npos);
  EXPECT_EQ(RunAcv({"fhir", Sample()}).status, 2);
  const auto questionnaire = RunAcv({"fhir-questionnaire"});
  ASSERT_EQ(questionnaire.status, 0);
  EXPECT_EQ(Json::parse(questionnaire.out)["item"].size(), 191u);
}

// The status of each QuestionnaireResponse of `bundle`, in order.
std::vector<std::string> Statuses(const Json& bundle) {
  std::vector<std::string> statuses;
  for (const Json& response : OfType(bundle, "QuestionnaireResponse")) {
    statuses.push_back(response["status"]);
  }
  return statuses;
}

// A record its history shows edited in place is amended, in a person's Bundle as in the whole
// file's; one whose history does not hold, or is gone, is completed like the rest.
TEST_F(FhirCommandTest, AResponseIsAmendedOnlyWhenAHistoryThatHoldsShowsItsRecordEdited) {
  StoredRecord original{};
  ResponseRecord record;
  ASSERT_EQ(ReadRecord(Sample(), 1, &record, MetFlags::kLeave, &original), FileStatus::kOk);
  record.SetResponse(12, 5);
  ASSERT_EQ(
      ReplaceRecord(Sample(), 1, original, record, {HistoryAction::kEditReplaced, "typo"}).status,
      FileStatus::kOk);
  std::vector<std::string> expected(8, "completed");
  expected[1] = "amended";
  EXPECT_EQ(Statuses(Json::parse(RunAcv({"fhir", Sample(), "--all"}).out)), expected);
  const auto pair = RunAcv({"fhir", Sample(), "--self", "0", "--observer", "1", "--no-pdf"});
  EXPECT_EQ(Statuses(Json::parse(pair.out)), (std::vector<std::string>{"completed", "amended"}));
  StoredRecord edited{};
  ASSERT_EQ(ReadRecord(Sample(), 1, &record, MetFlags::kLeave, &edited), FileStatus::kOk);
  int index = -1;
  ASSERT_EQ(ResponseFile::WriteRecord(Sample(), original, &index, 1), FileStatus::kOk);
  expected[1] = "completed";
  EXPECT_EQ(Statuses(Json::parse(RunAcv({"fhir", Sample(), "--all"}).out)), expected)
      << "a record changed outside the history";
  ASSERT_EQ(ResponseFile::WriteRecord(Sample(), edited, &index, 1), FileStatus::kOk);
  ASSERT_EQ(unlink(HistoryNameFor(Sample()).c_str()), 0);
  EXPECT_EQ(Statuses(Json::parse(RunAcv({"fhir", Sample(), "--all"}).out)), expected);
}

TEST_F(FhirCommandTest, AFileIsWrittenWholeReplacedOnlyWhenAskedAndAFailureLeavesNothing) {
  const std::string out = dir_.File("bundle.json");
  ASSERT_EQ(RunAcv({"fhir-questionnaire", "--out", out}).status, 0);
  const std::string first = ReadBytes(out);
  EXPECT_EQ(Json::parse(first)["resourceType"], "Questionnaire");
  const auto refused = RunAcv({"fhir", Sample(), "--self", "0", "--no-pdf", "--out", out});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("pass --force"), std::string::npos);
  EXPECT_EQ(ReadBytes(out), first);
  ASSERT_EQ(RunAcv({"fhir", Sample(), "--self", "0", "--no-pdf", "--out", out, "--force"}).status,
            0);
  EXPECT_EQ(Json::parse(ReadBytes(out))["type"], "transaction");
  const std::string nowhere = dir_.File("missing/bundle.json");
  const auto failed = RunAcv({"fhir-questionnaire", "--out", nowhere});
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
  EXPECT_TRUE(ReadBytes(nowhere).empty());
  // The whole file's Bundle, written as it is made, is no different.
  const std::string all = dir_.File("all.json");
  const auto unreadable = RunAcv({"fhir", dir_.File("none.cvr"), "--all", "--out", all});
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_NE(access(all.c_str(), F_OK), 0);
  EXPECT_EQ(RunAcv({"fhir", Sample(), "--all", "--out", out}).status, 2);
  EXPECT_EQ(Json::parse(ReadBytes(out))["type"], "transaction");
  const std::string sample = Sample();
  const std::string whole = dir_.File("whole.json");
  ASSERT_EQ(RunAcv({"fhir", sample, "--all", "--out", whole}).status, 0);
  // The disk fills halfway through.
  const rlim_t half = ReadBytes(whole).size() / 2;
  EXPECT_EQ(testing::InChild([&] {
              const rlimit limit{half, half};
              setrlimit(RLIMIT_FSIZE, &limit);
              const auto run = RunAcv({"fhir", sample, "--all", "--out", all});
              return run.err.find("the disk is full") != std::string::npos ? run.status : 99;
            }),
            2);
  EXPECT_NE(access(all.c_str(), F_OK), 0);
}

}  // namespace
}  // namespace acv
