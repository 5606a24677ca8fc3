// The RTF report: building the whole document of the sample's first analysis, against building
// the report cells it draws from (the floor every report pays), measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>

#include "reports/report_cells.h"
#include "reports/rtf_report.h"
#include "storage/records/sample_records.h"

namespace acv {
namespace {

const Analysis& SampleAnalysis() {
  static const Analysis analysis = [] {
    const std::vector<ResponseRecord> records = SampleRecords();
    Analysis made;
    made.selfReport() = records[0];
    made.observerReport() = records[1];
    made.selfReport().MarkMetItems();
    made.observerReport().MarkMetItems();
    return made;
  }();
  return analysis;
}

// The mean time of one BuildReportCells.
double CellsSeconds() {
  constexpr int kTimed = 2000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kTimed; ++i) {
    benchmark::DoNotOptimize(BuildReportCells(SampleAnalysis()));
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kTimed;
}

void BM_RtfDocument(benchmark::State& state) {
  const double cells = CellsSeconds();
  const auto start = std::chrono::steady_clock::now();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string document = RtfDocument(SampleAnalysis());
    bytes = document.size();
    benchmark::DoNotOptimize(document.data());
  }
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  state.counters["ratio_to_cells"] =
      spent.count() / static_cast<double>(state.iterations()) / cells;
  state.counters["document_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RtfDocument)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace acv
