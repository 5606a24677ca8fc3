// Scoring one record, and assembling every text of a two-report analysis.
#include <benchmark/benchmark.h>

#include <random>

#include "engine/analysis.h"
#include "engine/omega.h"

namespace acv {
namespace {

ResponseRecord RandomRecord(int type, unsigned seed) {
  std::mt19937 random(seed);
  ResponseRecord record;
  record.SetReportType(type);
  record.SetText(TextField::kFirstName, "Alex");
  record.SetText(TextField::kLastName, "Morgan");
  record.SetText(TextField::kBirthDate, "19750307");
  record.SetText(TextField::kCompletionDate, "20070612");
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, static_cast<int>(random() % 7) - 1);
  }
  return record;
}

void BM_ScoreOneRecord(benchmark::State& state) {
  ResponseRecord record = RandomRecord(kSelfReport, 1);
  for (auto _ : state) {
    record.MarkMetItems();
    int positive = 0;
    for (int row = 1; row <= kScreenCount; ++row) {
      positive += EvaluateScreen(row, record).positive ? 1 : 0;
    }
    benchmark::DoNotOptimize(positive);
    benchmark::DoNotOptimize(ComputeOmega(record));
  }
}
BENCHMARK(BM_ScoreOneRecord);

void BM_AssembleTwoReportAnalysis(benchmark::State& state) {
  Analysis analysis;
  analysis.selfReport() = RandomRecord(kSelfReport, 2);
  analysis.observerReport() = RandomRecord(kObserverReport, 3);
  analysis.selfReport().MarkMetItems();
  analysis.observerReport().MarkMetItems();
  for (auto _ : state) {
    std::size_t size = 0;
    for (int row = 1; row <= kScreenCount; ++row) {
      size += analysis.ScreenForReport(row, Report::kSelf).itemsMet.size();
      size += analysis.ScreenForReport(row, Report::kObserver).itemsMet.size();
    }
    for (const std::string& text :
         {analysis.PositiveScreenCountText(Report::kSelf),
          analysis.PositiveScreenCountText(Report::kObserver), analysis.SelfOmegaText(),
          analysis.ObserverOmegaText(), analysis.ReliabilityAttainedText(),
          analysis.ReliabilityCommentText(), analysis.RespondentNameText(),
          analysis.ObserverNameText(), analysis.AddressText(), analysis.PhoneText(),
          analysis.GenderText(), analysis.BirthDateText(), analysis.CompletionDateText(),
          analysis.AgeText(), analysis.CommentsText()}) {
      size += text.size();
    }
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_AssembleTwoReportAnalysis);

}  // namespace
}  // namespace acv
