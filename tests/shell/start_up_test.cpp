// Starting the window program: its command-line options, the one-line refusal without a display,
// and a response file given at start (the desktop's double-click) opening the Analysis selection.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "reports/analysis_view.h"
#include "shell/adult_an.h"
#include "shell/main_frame.h"
#include "storage/text/messages.h"
#include "support/analysis_choice.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "ui/artwork.h"
#include "ui/product.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;
using testing::WhenShown;

struct Run {
  int status = -1;
  QString out;
  QString err;
};

Run RunWindowProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(ACV_WINDOW_EXE), arguments);
  if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit) {
    return {};
  }
  return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
          QString::fromUtf8(program.readAllStandardError())};
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }

  void optionsAndNoDisplayNeedNoWindow() {
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"}) {
      noDisplay.remove(QString::fromLatin1(name));
    }
    const Run version = RunWindowProgram({QStringLiteral("--version")}, noDisplay);
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, toQt(product::kName) + QStringLiteral(" " ACV_VERSION "\n"));

    const Run help = RunWindowProgram({QStringLiteral("--help")}, noDisplay);
    QCOMPARE(help.status, 0);
    for (const char* part : {"[file.cvr]", "--version", "--help", "Analysis selection"}) {
      QVERIFY2(help.out.contains(QLatin1String(part)), part);
    }

    // Without a display, with or without a file: one line and status 2, not Qt's abort.
    for (const QStringList& arguments : {QStringList(), QStringList{QStringLiteral("a.cvr")}}) {
      const Run refused = RunWindowProgram(arguments, noDisplay);
      QCOMPARE(refused.status, 2);
      QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
      QVERIFY2(refused.err.endsWith(QLatin1Char('\n')) && refused.err.contains("display"),
               qPrintable(refused.err));
    }
    // Of several files the first is opened, and the others are said not to be.
    const Run several = RunWindowProgram(
        {QStringLiteral("a.cvr"), QStringLiteral("b.cvr"), QStringLiteral("c.cvr")}, noDisplay);
    QVERIFY2(several.err.startsWith(QStringLiteral(
                 "adult-corvantis: one file is opened at a time; not opened: b.cvr, c.cvr\n")),
             qPrintable(several.err));
    QCOMPARE(RunWindowProgram({QStringLiteral("--no-such-option")}, noDisplay).status, 1);
  }

  // The suffix as the desktop hands it over, in any case; the records are those of that file.
  void aResponseFileOpensInTheAnalysisSelection() {
    SampleFile sample;
    const QString upper = sample.folder() + QStringLiteral("/SAMPLE.CVR");
    QVERIFY(QFile::copy(QString::fromStdString(sample.fullName()), upper));
    for (const QString& path : {QString::fromStdString(sample.fullName()), upper}) {
      FakePrompts prompts;
      CMainFrame frame(prompts);
      frame.show();
      QVERIFY(QTest::qWaitForWindowActive(&frame));
      bool opened = false;
      WhenShown<CAdultAn>([&](CAdultAn& dialog) {
        opened = true;
        QCOMPARE(dialog.fileNameBox()->text(), path.chopped(4));
        testing::TypePerson(dialog, QStringLiteral("Alex"), QStringLiteral("Morgan"), "07", "03");
        dialog.loadButton()->click();
        QCOMPARE(dialog.list()->count(), 2);
        QCOMPARE(dialog.fullFileName(), QFile::encodeName(path).toStdString());
      });
      frame.openAtStart(path);
      QVERIFY2(opened, qPrintable(path));
      QCOMPARE(prompts.captions(), QStringList());
    }
  }

  void whatIsNotAReadableResponseFileGetsTheUsualMessage() {
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.cvr")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(3000, 'x'));
    junk.close();
    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    const struct {
      QString path;
      std::string_view caption;
    } cases[] = {
        {notes.fileName(), "Incorrect File Name"},
        {dir.filePath(QStringLiteral("absent.cvr")), "File Not Found"},
        {junk.fileName(), "Partial File Corruption"},
        {QString(), ""},
    };
    for (const auto& given : cases) {
      FakePrompts prompts;
      CMainFrame frame(prompts);
      frame.show();
      QVERIFY(QTest::qWaitForWindowActive(&frame));
      // A dialog opened by mistake is closed again, so that the test goes on to fail.
      bool opened = false;
      QTimer::singleShot(0, &frame, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
          opened = true;
          dialog->close();
        }
      });
      frame.openAtStart(given.path);
      QVERIFY2(!opened, qPrintable(given.path));
      QCOMPARE(prompts.captions(),
               given.caption.empty() ? QStringList() : QStringList{toQt(given.caption)});
      QVERIFY(!frame.view()->hasReport());
    }
    // The message names the file as it was given, its suffix in the case given.
    for (const QString& name : {QStringLiteral("absent.cvr"), QStringLiteral("ABSENT.Cvr")}) {
      FakePrompts prompts;
      CMainFrame frame(prompts);
      frame.openAtStart(dir.filePath(name));
      QCOMPARE(prompts.shown.at(0).text,
               QStringLiteral("The file '%1' was not found.").arg(dir.filePath(name)));
    }
  }
};

}  // namespace acv

QTEST_MAIN(acv::StartUpTest)
#include "start_up_test.moc"
