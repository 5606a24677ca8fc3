// The window program's main window on its welcome page, an analysis view of the first sample
// person's two reports and an on-screen entry wizard, to be read through the desktop's
// accessibility bus. Prints "ready" once they are shown, then follows commands, one a line on
// its standard input:
//   wizard   makes the wizard the active window (at its first page)
//   next     presses the wizard's Next
//   key C    types the character C into the control that has the focus
//   results  makes the analysis view the active window, Tab moving the focus into its results
#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>
#include <string>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_sheet.h"
#include "grid/grid_control.h"
#include "reports/analysis_view.h"
#include "shell/main_frame.h"
#include "storage/records/analysis_loader.h"
#include "storage/records/sample_records.h"
#include "ui/accessible_roles.h"
#include "ui/artwork.h"
#include "ui/prompts.h"

namespace {

void Activate(QWidget& window) {
  window.raise();
  window.activateWindow();
}

void Type(const std::string& character) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || character.size() != 1) {
    return;
  }
  const QString text = QString::fromLatin1(character.c_str(), 1);
  const int key = text.front().toUpper().unicode();
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(focus, &event);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  acv::InitArtwork();
  acv::InstallAccessibleRoles();
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

  // A person whose details pass, so that Next goes on to the first statements.
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  record.SetText(acv::TextField::kFirstName, "Ann");
  record.SetText(acv::TextField::kLastName, "Lee");
  record.SetText(acv::TextField::kBirthDate, "19800101");
  record.SetText(acv::TextField::kCompletionDate, acv::FormatDate8(acv::Today()));
  QString fileName = dir.filePath(QStringLiteral("answers"));
  acv::CAdultSheet wizard(prompts, record, fileName);
  wizard.show();

  QSocketNotifier commands(0, QSocketNotifier::Read);
  QObject::connect(&commands, &QSocketNotifier::activated, [&] {
    std::string line;
    if (!std::getline(std::cin, line)) {
      commands.setEnabled(false);
      return;
    }
    if (line == "wizard") {
      Activate(wizard);
    } else if (line == "next") {
      wizard.next();
    } else if (line.rfind("key ", 0) == 0) {
      Type(line.substr(4));
    } else if (line == "results") {
      Activate(view);
      view.form()->results()->setFocus(Qt::TabFocusReason);
    }
  });
  std::puts("ready");
  std::fflush(stdout);
  return QApplication::exec();
}
