// The CSV export from the window: the password dialog, the export dialog with every message it
// shows, and the File menu's command from the password to the settings; the FHIR export of the
// analysis shown behind the same password and privacy acceptance.
#include <unistd.h>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "reports/analysis_view.h"
#include "shell/acv_settings.h"
#include "shell/export_dialog.h"
#include "shell/export_password_dialog.h"
#include "shell/main_frame.h"
#include "storage/csv/export_passwords.h"
#include "storage/history/history_file.h"
#include "storage/history/history_review.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_analysis.h"
#include "support/sample_file.h"
#include "support/temp_dir.h"
#include "ui/artwork.h"
#include "ui/file_name_box.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;
using testing::WhenShown;

QString Csv(const QString& stem) {
  return stem + QStringLiteral(".csv");
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

}  // namespace

class ExportDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    InitArtwork();
    ExportPasswords passwords(passwordFile(), geteuid());
    QCOMPARE(passwords.Set(2, "Right One"), FileStatus::kOk);
  }

  void aWrongPasswordIsRefusedAndWiped() {
    FakePrompts prompts;
    const ExportPasswords passwords(passwordFile(), geteuid());
    CAdultExportPassword dialog(prompts, passwords);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Questionnaire File - Password"));
    QCOMPARE(QApplication::focusWidget(), dialog.passwordBox());
    QCOMPARE(dialog.passwordBox()->echoMode(), QLineEdit::Password);
    QVERIFY(testing::Unnamed(dialog).isEmpty());

    QTest::keyClicks(dialog.passwordBox(), QStringLiteral("right one"));
    QTest::keyClick(dialog.passwordBox(), Qt::Key_Return);
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown[0].caption, QStringLiteral("Wrong Password"));
    QCOMPARE(prompts.shown[0].text,
             QStringLiteral("Sorry, but the password you entered is not correct.\n\nIf you need "
                            "help with the password please contact\nyour system administrator "
                            "for assistance."));
    QCOMPARE(prompts.shown[0].icon, Prompts::Icon::kStop);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.passwordBox()->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), dialog.passwordBox());

    QTest::keyClicks(dialog.passwordBox(), QStringLiteral("Right One"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.passwordBox()->text().isEmpty());
    QCOMPARE(prompts.shown.size(), 1);
  }

  void checksComeBeforeTheExport() {
    SampleFile sample;
    FakePrompts prompts;
    const QString exportStem = sample.folder() + QStringLiteral("/out/older");
    CAdultExport dialog(prompts, sample.stem(), exportStem);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Questionnaire File"));
    QCOMPARE(dialog.acvFileBox()->suffixLabel()->text(), QStringLiteral(".cvr"));
    QCOMPARE(dialog.exportFileBox()->suffixLabel()->text(), QStringLiteral(".csv"));
    QVERIFY(!dialog.privacyBox()->isChecked());
    QVERIFY(testing::Unnamed(dialog).isEmpty());

    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Data Privacy Responsibility")});
    QCOMPARE(prompts.shown[0].text,
             QStringLiteral("To proceed with the export, you must check the box indicating\nthat "
                            "you accept responsibility for the privacy of the data."));
    QVERIFY(dialog.isVisible());

    // A new response-file name proposes its own export name when the box is left.
    dialog.acvFileBox()->setFocus();
    dialog.acvFileBox()->box()->clear();
    QTest::keyClicks(dialog.acvFileBox()->box(), sample.folder() + QStringLiteral("/clinic_b"));
    QTest::keyClick(&dialog, Qt::Key_Tab);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Export File Name"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("The default Export File name has changed because the ACV file name "
                            "has changed"));
    QCOMPARE(prompts.shown.last().icon, Prompts::Icon::kInformation);
    QCOMPARE(dialog.exportFileBox()->text(), sample.folder() + QStringLiteral("/out/clinic_b"));
    QCOMPARE(QApplication::focusWidget(), dialog.exportFileBox()->box());
    // Leaving it again with the same name says nothing more.
    dialog.acvFileBox()->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Tab);
    QCOMPARE(prompts.shown.size(), 2);

    QTest::keyClick(dialog.privacyBox(), Qt::Key_Space);
    QVERIFY(dialog.privacyBox()->isChecked());
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("ACV File Error"));
    QCOMPARE(prompts.shown.last().text, QStringLiteral("The file\n\t'") + sample.folder() +
                                            QStringLiteral("/clinic_b.cvr'\nwas not found"));
    QCOMPARE(QApplication::focusWidget(), dialog.acvFileBox()->box());

    // Leaving the box for the button proposes the export name first.
    dialog.acvFileBox()->setText(sample.stem());
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions().mid(3), (QStringList{QStringLiteral("Export File Name"),
                                                     QStringLiteral("Export File Error")}));
    QCOMPARE(prompts.shown.last().text, QStringLiteral("The path to file\n\t'") + sample.folder() +
                                            QStringLiteral("/out/sample.csv'\nwas not found"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.exportDone());
  }

  void anExistingFileIsReplacedOnlyOnYes() {
    SampleFile sample;
    FakePrompts prompts;
    const QString stem = sample.folder() + QStringLiteral("/export");
    Write(Csv(stem), "older export\r\n");
    CAdultExport dialog(prompts, sample.stem(), stem);
    dialog.show();
    dialog.privacyBox()->setChecked(true);
    prompts.answers.enqueue(false);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].caption, QStringLiteral("File Exists"));
    QCOMPARE(prompts.asked[0].text,
             QStringLiteral("The file already exists.\nDo you want to replace it?"));
    QVERIFY(!prompts.asked[0].acceptIsDefault);
    QVERIFY(prompts.shown.isEmpty());
    QCOMPARE(Read(Csv(stem)), QByteArray("older export\r\n"));
    QVERIFY(dialog.isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);

    prompts.answers.enqueue(true);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Export OK")});
    QCOMPARE(prompts.shown[0].text, QStringLiteral("The ACV file \n\n\t") + sample.stem() +
                                        QStringLiteral(".cvr\n\nwas exported to\n\n\t") + stem +
                                        QStringLiteral(".csv"));
    QCOMPARE(prompts.shown[0].icon, Prompts::Icon::kInformation);
    QCOMPARE(Read(Csv(stem)).count('\n'), 9);
    QVERIFY(dialog.exportDone());
    QCOMPARE(dialog.acvFileName(), sample.stem());
    QCOMPARE(dialog.exportFileName(), stem);
    QVERIFY(!dialog.isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    // The history notes that every record was exported; where it cannot take the note, the
    // export is made all the same and a box says so after the summary.
    HistoryReview review;
    QCOMPARE(ReviewHistory(sample.fullName(), &review), FileStatus::kOk);
    QCOMPARE(review.entries.back().action, HistoryAction::kExportedCsv);
    QVERIFY((review.entries.back().taken == std::vector<IndexRun>{{0, 7}}));
    const std::string history = HistoryNameFor(sample.fullName());
    QVERIFY(std::filesystem::remove(history) && std::filesystem::create_directory(history));
    prompts.shown.clear();
    dialog.show();
    prompts.answers.enqueue(true);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), (QStringList{QStringLiteral("Export OK"),
                                              QStringLiteral("Not Recorded in the History")}));
    QCOMPARE(Read(Csv(stem)).count('\n'), 9);
  }

  void dismissingFileExistsMeansNo() {
    SampleFile sample;
    QtPrompts prompts;
    const QString stem = sample.folder() + QStringLiteral("/export");
    Write(Csv(stem), "older export\r\n");
    CAdultExport dialog(prompts, sample.stem(), stem);
    dialog.show();
    dialog.privacyBox()->setChecked(true);
    QTimer::singleShot(0, [] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box != nullptr);
      QCOMPARE(box->windowTitle(), QStringLiteral("File Exists"));
      QVERIFY(QGuiApplication::overrideCursor() == nullptr);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(Read(Csv(stem)), QByteArray("older export\r\n"));
    QVERIFY(dialog.isVisible());
  }

  void aDamagedRecordGivesThePartialSummary() {
    SampleFile sample;
    sample.damageRecord(5);
    FakePrompts prompts;
    const QString stem = sample.folder() + QStringLiteral("/export");
    CAdultExport dialog(prompts, sample.stem(), stem);
    dialog.show();
    dialog.privacyBox()->setChecked(true);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Export File Problem")});
    QCOMPARE(prompts.shown[0].icon, Prompts::Icon::kExclamation);
    QVERIFY(prompts.shown[0].text.endsWith(
        QStringLiteral("Number of Records:\t    8\nRecords Written:\t    7\nCould Not Read:\t    "
                       "0\nCould Not Import:\t    1\nCould Not Write:\t    0")));
    QVERIFY(dialog.exportDone());
  }

  void theFileMenuAsksForThePasswordFirst() {
    SampleFile sample;
    FakePrompts prompts;
    CMainFrame frame(prompts);
    QAction* exportCommand = frame.command(QStringLiteral("export"));
    QVERIFY(exportCommand->isEnabled());

    testing::TempDir none;
    frame.setExportPasswordFile(none.File("acv-export-passwords"), geteuid());
    exportCommand->trigger();
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Export Password Not Set")});
    QVERIFY(prompts.shown[0].text.contains(QStringLiteral("sudo acv set-export-password 1")));

    frame.setExportPasswordFile(passwordFile(), geteuid());
    {
      AcvSettings settings;
      settings.setAcvFileName(sample.stem());
      settings.setExportFileName(sample.folder() + QStringLiteral("/old/name"));
      settings.write();
    }
    WhenShown<CAdultExportPassword>([](CAdultExportPassword& dialog) {
      WhenShown<CAdultExport>([](CAdultExport& exporting) {
        QCOMPARE(exporting.acvFileBox()->text().isEmpty(), false);
        exporting.exportFileBox()->setText(exporting.exportFileBox()->text().section('/', 0, -3) +
                                           QStringLiteral("/done"));
        exporting.privacyBox()->setChecked(true);
        QTest::mouseClick(exporting.exportButton(), Qt::LeftButton);
      });
      QTest::keyClicks(dialog.passwordBox(), QStringLiteral("Right One"));
      QTest::keyClick(dialog.passwordBox(), Qt::Key_Return);
    });
    exportCommand->trigger();
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Export OK"));
    const AcvSettings settings;
    QCOMPARE(settings.exportFileName(), sample.folder() + QStringLiteral("/done"));
    QCOMPARE(settings.acvFileName(), sample.stem());
    QVERIFY(QFile::exists(sample.folder() + QStringLiteral("/done.csv")));
  }

  void theFileMenuExportsTheAnalysisAsFhirBehindTheSamePassword() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.setExportPasswordFile(passwordFile(), geteuid());
    QAction* exportFhir = frame.command(QStringLiteral("exportFhir"));
    QVERIFY(!exportFhir->isEnabled());
    frame.view()->setAnalysis(testing::SampleAnalysis());
    QVERIFY(exportFhir->isEnabled());
    const auto giveThePassword = [] {
      WhenShown<CAdultExportPassword>([](CAdultExportPassword& dialog) {
        QTest::keyClicks(dialog.passwordBox(), QStringLiteral("Right One"));
        QTest::keyClick(dialog.passwordBox(), Qt::Key_Return);
      });
    };
    // Declining the responsibility for the data's privacy ends it before any file is chosen.
    giveThePassword();
    prompts.answers.enqueue(false);
    exportFhir->trigger();
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].caption, QStringLiteral("Data Privacy Responsibility"));
    QVERIFY(prompts.fileDialogCaptions.isEmpty());

    testing::TempDir out;
    giveThePassword();
    prompts.answers.enqueue(true);
    prompts.chosenFiles.enqueue(QString::fromStdString(out.File("bundle")));
    exportFhir->trigger();
    QCOMPARE(prompts.fileDialogCaptions, QStringList{QStringLiteral("Export as FHIR")});
    QVERIFY(prompts.fileDialogStarts[0].endsWith(QStringLiteral(".json")));
    QVERIFY(prompts.fileDialogFilters[0].contains(QStringLiteral("*.json")));
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save Was Successful"));
    const auto bundle =
        nlohmann::json::parse(Read(QString::fromStdString(out.File("bundle.json"))).toStdString());
    QCOMPARE(bundle["type"], "transaction");
    QCOMPARE(bundle["entry"][0]["resource"]["name"][0]["family"], "Morgan");
    QCOMPARE(bundle["entry"].back()["resource"]["resourceType"], "DocumentReference");

    // A file that cannot be written is said so, and nothing is left.
    giveThePassword();
    prompts.answers.enqueue(true);
    const QString nowhere = QString::fromStdString(out.File("missing/bundle.json"));
    prompts.chosenFiles.enqueue(nowhere);
    exportFhir->trigger();
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save Has Failed"));
    QCOMPARE(prompts.shown.last().icon, Prompts::Icon::kStop);
    QVERIFY(!QFile::exists(nowhere));

    // Without a password set, nothing is exported, as for the CSV export.
    testing::TempDir none;
    frame.setExportPasswordFile(none.File("acv-export-passwords"), geteuid());
    exportFhir->trigger();
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Export Password Not Set"));
    QCOMPARE(prompts.asked.size(), 3);
  }

 private:
  std::string passwordFile() const { return dir_.File("machine/acv-export-passwords"); }
  testing::TempDir dir_;
};

}  // namespace acv

QTEST_MAIN(acv::ExportDialogsTest)
#include "export_dialogs_test.moc"
