// "Analysis - Save As": every check and message, the File Exists question, Browse, and the
// Save As command from the window to the settings.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "engine/dates.h"
#include "reports/analysis_view.h"
#include "reports/rtf_report.h"
#include "reports/save_as_dialog.h"
#include "shell/acv_settings.h"
#include "shell/main_frame.h"
#include "storage/records/analysis_loader.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "ui/artwork.h"
#include "ui/file_name_box.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;

// Alex Morgan's Self- and Observer-report from the sample file.
Analysis AlexMorgan(const SampleFile& sample) {
  Analysis analysis;
  if (LoadSelfReport(analysis, sample.fullName(), 0) != FileStatus::kOk ||
      LoadObserverReport(analysis, sample.fullName(), 1) != FileStatus::kOk) {
    qFatal("the sample file cannot be read");
  }
  return analysis;
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SaveAsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }

  void checksInOrderThenSaves() {
    SampleFile sample;
    const Analysis analysis = AlexMorgan(sample);
    FakePrompts prompts;
    CAnalysis_Save_As dialog(prompts, analysis, QString());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Analysis - Save As"));
    QCOMPARE(dialog.fileBox()->suffixLabel()->text(), QStringLiteral(".rtf"));
    QCOMPARE(QApplication::focusWidget(), dialog.fileBox()->box());
    QVERIFY(!dialog.privacyBox()->isChecked());
    QVERIFY(testing::Unnamed(dialog).isEmpty());

    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Data Privacy Responsibility"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("To proceed with the save, you must check the box indicating\nthat "
                            "you accept responsibility for the privacy of the data."));
    dialog.privacyBox()->setChecked(true);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("File Name Error"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must specify a file name.\n\nYou may like to use the 'Browse "
                            "...' button."));
    for (const char* name : {"/tmp/reports/", "reports\\", "c:"}) {
      dialog.fileBox()->setText(QString::fromLatin1(name));
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      QCOMPARE(prompts.shown.last().text,
               QStringLiteral("You must specify a valid file name.\n\nYou may like to use the "
                              "'Browse ...' button."));
    }
    const QString missing = sample.folder() + QStringLiteral("/none/report");
    dialog.fileBox()->setText(missing);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save File Error"));
    QCOMPARE(prompts.shown.last().text, QStringLiteral("The path to file\n\t'") + missing +
                                            QStringLiteral(".rtf'\nwas not found"));
    QVERIFY(dialog.isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);

    const QString name = sample.folder() + QStringLiteral("/Alex report");
    {
      QFile old(name + QStringLiteral(".rtf"));
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("older");
    }
    dialog.fileBox()->setText(name);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].caption, QStringLiteral("File Exists"));
    QVERIFY(!prompts.asked[0].acceptIsDefault);
    QCOMPARE(Read(name + QStringLiteral(".rtf")), QByteArray("older"));
    QVERIFY(dialog.isVisible());

    prompts.answers.enqueue(true);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save Successful"));
    QCOMPARE(prompts.shown.last().text, QStringLiteral("The Rich Text Format file \n\n    ") +
                                            name + QStringLiteral(".rtf\n\nhas been saved"));
    QCOMPARE(prompts.shown.last().icon, Prompts::Icon::kInformation);
    QCOMPARE(Read(name + QStringLiteral(".rtf")), QByteArray::fromStdString(RtfDocument(analysis)));
    QCOMPARE(dialog.savedName(), name);
    QVERIFY(!dialog.isVisible());
  }

  void browseTakesOnlyLowerCaseRtf() {
    SampleFile sample;
    const Analysis analysis = AlexMorgan(sample);
    FakePrompts prompts;
    CAnalysis_Save_As dialog(prompts, analysis, QStringLiteral("/data/Alex"));
    prompts.chosenFiles.enqueue(QStringLiteral("/data/jane_smith.RTF"));
    QTest::mouseClick(dialog.fileBox()->browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.fileDialogStarts, QStringList{QStringLiteral("/data/Alex.rtf")});
    QCOMPARE(prompts.fileDialogFilters,
             QStringList{QStringLiteral("Rich Text Format Files (*.rtf)")});
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Incorrect File Name"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must enter an RTF filename (*.rtf).  For example:  "
                            "c:/analysis_files/jane_smith.rtf"));
    QCOMPARE(dialog.fileBox()->text(), QStringLiteral("/data/Alex"));
    prompts.chosenFiles.enqueue(QStringLiteral("/data/jane_smith.rtf"));
    QTest::mouseClick(dialog.fileBox()->browseButton(), Qt::LeftButton);
    QCOMPARE(dialog.fileBox()->text(), QStringLiteral("/data/jane_smith"));
  }

  void theCommandOffersTheDefaultNameAndRemembersTheFolder() {
    SampleFile sample;
    FakePrompts prompts;
    CMainFrame frame(prompts);
    QAction* saveAs = frame.command(QStringLiteral("saveAs"));
    QVERIFY(!saveAs->isEnabled());
    frame.saveAsCommand();
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("No Analysis Selection")});

    Analysis onlyObserver;
    QCOMPARE(LoadObserverReport(onlyObserver, sample.fullName(), 1), FileStatus::kOk);
    frame.view()->setAnalysis(onlyObserver);
    QVERIFY(saveAs->isEnabled());
    {
      AcvSettings settings;
      settings.setAnalysisFileName(sample.folder() + QStringLiteral("/reports/earlier"));
      settings.write();
    }
    const QString today = QString::fromStdString(FormatDate8(Today()));
    const QString expected = sample.folder() + QStringLiteral("/reports/Alex_Morgan_o_") + today;
    QDir(sample.folder()).mkdir(QStringLiteral("reports"));
    testing::WhenShown<CAnalysis_Save_As>([&](CAnalysis_Save_As& dialog) {
      QCOMPARE(dialog.fileBox()->text(), expected);
      dialog.privacyBox()->setChecked(true);
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    saveAs->trigger();
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save Successful"));
    QVERIFY(QFile::exists(expected + QStringLiteral(".rtf")));
    QCOMPARE(AcvSettings().analysisFileName(), expected);
  }
};

}  // namespace acv

QTEST_MAIN(acv::SaveAsDialogTest)
#include "save_as_dialog_test.moc"
