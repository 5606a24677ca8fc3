// Takes the screenshots a reviewer looks at: the welcome page, the analysis selection dialog with
// a person's records listed, and the analysis of the sample file, top and bottom. Run it under a
// real X server (scripts/screenshots) to see what a user sees.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "reports/analysis_view.h"
#include "shell/adult_an.h"
#include "shell/main_frame.h"
#include "storage/sample_records.h"
#include "ui/artwork.h"
#include "ui/prompts.h"

namespace {

void Save(QWidget& widget, const QString& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png");
  if (!widget.grab().save(path)) {
    std::fprintf(stderr, "screenshot_tour: cannot write %s\n", qPrintable(path));
  }
  std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  acv::InitArtwork();
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("out/screenshots");
  QDir().mkpath(folder);

  QTemporaryDir data;
  const QString stem = data.filePath(QStringLiteral("sample"));
  if (acv::WriteSampleFile((stem + QStringLiteral(".cvr")).toStdString()) != acv::FileStatus::kOk) {
    qFatal("The sample response file could not be written");
  }

  acv::QtPrompts prompts;
  acv::CMainFrame frame(prompts);
  frame.show();
  Save(frame, folder, "1-welcome");

  acv::CAdultAn dialog(prompts, stem, &frame);
  dialog.show();
  dialog.firstNameBox()->setText(QStringLiteral("Alex"));
  dialog.lastNameBox()->setText(QStringLiteral("Morgan"));
  dialog.dayBox()->setText(QStringLiteral("07"));
  dialog.monthBox()->setText(QStringLiteral("03"));
  dialog.yearBox()->setText(QStringLiteral("1975"));
  dialog.loadButton()->click();
  dialog.list()->selectAll();
  Save(dialog, folder, "2-select-analysis");
  dialog.okButton()->click();
  frame.view()->setAnalysis(dialog.analysis());
  Save(frame, folder, "3-analysis-top");

  frame.resize(1000, 900);
  frame.view()->verticalScrollBar()->setValue(frame.view()->verticalScrollBar()->maximum());
  Save(frame, folder, "4-analysis-bottom");
  Save(*frame.view()->form(), folder, "5-analysis-form");
  return 0;
}
