// The window program's main window on its welcome page and, beside it, an analysis view of the
// first sample person's two reports, to be read through the desktop's accessibility bus.
// Prints "ready" once both are shown.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "engine/analysis.h"
#include "reports/analysis_view.h"
#include "shell/main_frame.h"
#include "storage/analysis_loader.h"
#include "storage/sample_records.h"
#include "ui/artwork.h"
#include "ui/prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  acv::InitArtwork();
  acv::QtPrompts prompts;
  acv::CMainFrame frame(prompts);
  frame.show();

  QTemporaryDir dir;
  const std::string file = dir.filePath(QStringLiteral("sample.cvr")).toStdString();
  acv::Analysis analysis;
  if (acv::WriteSampleFile(file) != acv::FileStatus::kOk ||
      acv::LoadSelfReport(analysis, file, 0) != acv::FileStatus::kOk ||
      acv::LoadObserverReport(analysis, file, 1) != acv::FileStatus::kOk) {
    std::fputs("the sample analysis could not be made\n", stderr);
    return 1;
  }
  acv::CTesselView view;
  view.setWindowTitle(QStringLiteral("Sample analysis"));
  view.setAnalysis(analysis);
  view.resize(900, 700);
  view.show();
  std::puts("ready");
  std::fflush(stdout);
  return QApplication::exec();
}
