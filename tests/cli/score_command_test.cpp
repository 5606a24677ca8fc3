#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "engine/omega.h"
#include "engine/screens.h"
#include "support/record_builder.h"
#include "support/run_acv.h"

namespace acv {
namespace {

using testing::RunAcv;

std::string RandomResponses(std::mt19937& random) {
  const std::string alphabet = "012345.7 ";
  std::string responses;
  for (int i = 0; i < kItemCount; ++i) {
    responses.push_back(alphabet[random() % alphabet.size()]);
  }
  return responses;
}

ResponseRecord RecordFor(const std::string& responses, int type) {
  ResponseRecord record;
  record.SetReportType(type);
  testing::AnswerEvery(record, [&](int item) {
    const char c = responses[static_cast<std::size_t>(item - 1)];
    return c >= '0' && c <= '5' ? c - '0' : -1;
  });
  record.MarkMetItems();
  return record;
}

TEST(ScoreCommandTest, MatchesTheEngine) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 6; ++trial) {
    const std::string responses = RandomResponses(random);
    const bool observer = trial % 2 == 1;
    const auto run = RunAcv({"score", "--type", observer ? "observer" : "self", responses});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = nlohmann::json::parse(run.out);
    const ResponseRecord record = RecordFor(responses, observer ? kObserverReport : kSelfReport);
    EXPECT_EQ(json["reportType"], observer ? "observer" : "self");
    std::vector<int> met;
    for (int item = 1; item <= kItemCount; ++item) {
      if (record.IsMet(item)) {
        met.push_back(item);
      }
    }
    EXPECT_EQ(json["metItems"].get<std::vector<int>>(), met);
    ASSERT_EQ(json["screens"].size(), static_cast<std::size_t>(kScreenCount));
    int positive = 0;
    for (int row = 1; row <= kScreenCount; ++row) {
      const auto& screen = json["screens"][row - 1];
      const ScreenResult expected = EvaluateScreen(row, record);
      positive += expected.positive ? 1 : 0;
      EXPECT_EQ(screen["row"], row);
      EXPECT_EQ(screen["label"], std::string(ScreenTableRow(row).label));
      EXPECT_EQ(screen["category"], std::string(ScreenTableRow(row).category));
      EXPECT_EQ(screen["cutoff"], std::string(ScreenTableRow(row).cutoffText));
      EXPECT_EQ(screen["positive"], expected.positive);
      EXPECT_EQ(screen["counts"].get<std::vector<int>>(), expected.counts);
      EXPECT_EQ(screen["itemsMet"], expected.itemsMet);
    }
    EXPECT_EQ(json["positiveCount"], positive);
    const OmegaResult omega = ComputeOmega(record);
    EXPECT_EQ(json["omega"]["text"], omega.text);
    EXPECT_EQ(json["omega"]["aboveCutoff"], omega.aboveCutoff);
  }
}

TEST(ScoreCommandTest, KeysComeInTheDocumentedOrder) {
  const auto run = RunAcv({"score", "--type", "self", std::string(kItemCount, '2')});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("{\"reportType\":\"self\",\"metItems\":[9,14,", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\"positiveCount\":2,\"omega\":{\"text\":\" 1.00\""), std::string::npos);
}

TEST(ScoreCommandTest, BadInputIsRefusedWithOneLine) {
  std::string badCharacter(kItemCount, '1');
  badCharacter[41] = '6';
  const std::vector<std::vector<std::string>> cases = {
      {"score", "--type", "self", std::string(189, '1')},
      {"score", "--type", "self", std::string(191, '1')},
      {"score", "--type", "self", badCharacter},
      {"score", "--type", "teacher", std::string(kItemCount, '1')},
      {"score", std::string(kItemCount, '1')},
  };
  for (const auto& args : cases) {
    const auto run = RunAcv(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  const auto run = RunAcv({"score", "--type", "self", badCharacter});
  EXPECT_NE(run.err.find("character 42 is '6'"), std::string::npos) << run.err;
  EXPECT_NE(RunAcv({"score", "--type", "self", std::string(189, '1')}).err.find("189"),
            std::string::npos);
}

TEST(ScoreCommandTest, HelpAndVersionNeedNoCommand) {
  const auto top = RunAcv({"--help"});
  EXPECT_EQ(top.status, 0);
  EXPECT_NE(top.out.find("score"), std::string::npos);
  EXPECT_NE(top.out.find("--version"), std::string::npos);
  const auto version = RunAcv({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "acv (Adult Corvantis) " ACV_VERSION "\n");
  EXPECT_EQ(version.err, "");
  const auto score = RunAcv({"score", "--help"});
  EXPECT_EQ(score.status, 0);
  EXPECT_NE(score.out.find("--type"), std::string::npos);
  EXPECT_NE(score.out.find("RESPONSES"), std::string::npos);
}

// What was typed wrong is named for what it is, in one line, with status 2.
TEST(ScoreCommandTest, UsageErrorsNameWhatWasWrong) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--bogus"}, "acv: unknown option '--bogus' (acv --help lists what it takes)\n"},
      {{"-v"}, "acv: unknown option '-v' (acv --help lists what it takes)\n"},
      {{"bogus"}, "acv: unknown command 'bogus' (acv --help lists what it takes)\n"},
      {{"check", "a.cvr", "b.cvr"},
       "acv check: unexpected argument 'b.cvr' (acv check --help lists what it takes)\n"},
      {{"check", "--bogus", "a.cvr"},
       "acv check: unknown option '--bogus' (acv check --help lists what it takes)\n"},
      {{}, "acv: a command is required (acv --help lists them)\n"},
      {{"show", "f.cvr", "abc"},
       "acv: INDEX: 'abc' is not a record index: an index is a record's place in the file, 0 "
       "for the first record up to 656, as acv list prints it\n"},
  };
  for (const auto& wrong : cases) {
    const auto run = RunAcv(wrong.args);
    EXPECT_EQ(run.status, 2) << wrong.err;
    EXPECT_EQ(run.err, wrong.err);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace acv
