// Window benchmarks on the offscreen platform: start-up to the first shown main window, and
// filling the view with a two-report analysis, with the part of it that builds the cells every
// report shares.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "reports/analysis_view.h"
#include "reports/report_cells.h"
#include "shell/main_frame.h"
#include "storage/records/analysis_loader.h"
#include "storage/records/sample_records.h"
#include "ui/artwork.h"
#include "ui/prompts.h"

namespace {

// Alex Morgan's Self-report and Observer-report, read from a sample response file.
acv::Analysis SampleAnalysis() {
  QTemporaryDir dir;
  const std::string name = dir.filePath(QStringLiteral("sample.cvr")).toStdString();
  acv::Analysis analysis;
  if (acv::WriteSampleFile(name) != acv::FileStatus::kOk ||
      acv::LoadSelfReport(analysis, name, 0) != acv::FileStatus::kOk ||
      acv::LoadObserverReport(analysis, name, 1) != acv::FileStatus::kOk) {
    qFatal("The sample response file could not be written and read");
  }
  return analysis;
}

void BM_StartUpToShownWindow(benchmark::State& state) {
  acv::QtPrompts prompts;
  for (auto _ : state) {
    acv::CMainFrame frame(prompts);
    frame.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(frame.isVisible());
  }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void BM_FillTwoReportView(benchmark::State& state) {
  const acv::Analysis analysis = SampleAnalysis();
  acv::CTesselView view;
  view.resize(880, 520);
  view.show();
  for (auto _ : state) {
    acv::ClearAnalysisView(view);
    acv::FillAnalysisView(view, analysis);
    view.form()->repaint();
  }
}
BENCHMARK(BM_FillTwoReportView)->Unit(benchmark::kMicrosecond);

void BM_BuildReportCells(benchmark::State& state) {
  const acv::Analysis analysis = SampleAnalysis();
  for (auto _ : state) {
    benchmark::DoNotOptimize(acv::BuildReportCells(analysis));
  }
}
BENCHMARK(BM_BuildReportCells)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  QApplication app(argc, argv);
  acv::InitArtwork();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
