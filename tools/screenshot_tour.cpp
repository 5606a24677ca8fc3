// Takes the screenshots a reviewer looks at: the welcome page, the analysis selection dialog with
// a person's records listed, the analysis of the sample file, top and bottom, and the Save As
// and export dialogs. Run it under a
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

#include "engine/dates.h"
#include "reports/analysis_view.h"
#include "reports/rtf_report.h"
#include "reports/save_as_dialog.h"
#include "shell/adult_an.h"
#include "shell/export_dialog.h"
#include "shell/export_password_dialog.h"
#include "shell/main_frame.h"
#include "storage/export_passwords.h"
#include "storage/sample_records.h"
#include "ui/artwork.h"
#include "ui/prompts.h"
#include "ui/text.h"

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

  const acv::Analysis& analysis = frame.view()->analysis();
  acv::CAnalysis_Save_As saveAs(
      prompts, analysis,
      data.filePath(acv::toQt(acv::DefaultRtfName(analysis, acv::FormatDate8(acv::Today())))),
      &frame);
  saveAs.show();
  Save(saveAs, folder, "6-save-as");
  const acv::ExportPasswords none(data.filePath(QStringLiteral("none")).toStdString());
  acv::CAdultExportPassword password(prompts, none, &frame);
  password.show();
  Save(password, folder, "7-export-password");
  acv::CAdultExport exporting(prompts, stem, data.filePath(QStringLiteral("export")), &frame);
  exporting.show();
  Save(exporting, folder, "8-export");
  return 0;
}
