// The main window: its menus, toolbar and status tips, which commands are available when, the
// About box and web site, the settings, and the Analysis command from the menu to the view.
#include <unistd.h>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "entry/adult_q_sheet.h"
#include "grid/grid_control.h"
#include "reports/analysis_view.h"
#include "reports/save_as_dialog.h"
#include "shell/about_dialog.h"
#include "shell/acv_settings.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "shell/export_password_dialog.h"
#include "shell/history_dialog.h"
#include "shell/main_frame.h"
#include "storage/csv/export_passwords.h"
#include "storage/records/record_search.h"
#include "storage/records/record_store.h"
#include "support/analysis_choice.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "support/temp_dir.h"
#include "ui/artwork.h"
#include "ui/product.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;
using testing::Unnamed;
using testing::WhenShown;

QStringList MenuEntries(const CMainFrame& frame, const QString& title) {
  for (QAction* menu : frame.menuBar()->actions()) {
    if (menu->text() == title) {
      QStringList entries;
      for (QAction* entry : menu->menu()->actions()) {
        entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
      }
      return entries;
    }
  }
  return {};
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }
  void init() {
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, toQt(product::kOrganisation),
                   toQt(product::kApplication));
    user.clear();
    user.sync();
  }

  void menusToolbarAndTips() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QCOMPARE(frame.size(), QSize(880, 575));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Adult Corvantis"));
    QStringList titles;
    for (QAction* menu : frame.menuBar()->actions()) {
      titles << menu->text();
    }
    QCOMPARE(titles, (QStringList{"&File", "&ACV", "&View", "&Help"}));
    QCOMPARE(MenuEntries(frame, "&File"),
             (QStringList{"&Export a Questionnaire File ...", "&Print ...", "Print Pre&view ...",
                          "Save As ...", "Export as F&HIR ...", "Histor&y ...", "-", "E&xit"}));
    QCOMPARE(MenuEntries(frame, "&ACV"),
             (QStringList{"Complete on sc&reen ...", "&Enter responses ...", "&Analysis ...",
                          "E&dit ..."}));
    QCOMPARE(MenuEntries(frame, "&View"), QStringList{"&Toolbar"});
    QCOMPARE(MenuEntries(frame, "&Help").first(), QStringLiteral("&About Adult Corvantis ..."));
    QCOMPARE(frame.command("print")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(frame.command("completeOnScreen")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(frame.command("enterResponses")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QCOMPARE(frame.command("analysis")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(frame.command("analysis")->statusTip(),
             QStringLiteral("Display the analysis of an ACV record"));
    QCOMPARE(frame.command("analysis")->toolTip(), QStringLiteral("ACV Analysis"));
    QCOMPARE(frame.command("completeOnScreen")->statusTip(),
             QStringLiteral("Wizard to enter responses on the screen"));
    QCOMPARE(frame.command("enterResponses")->toolTip(), QStringLiteral("ACV Enter responses"));
    QCOMPARE(frame.command("saveAs")->toolTip(), QStringLiteral("Save As ... a .rtf file"));

    QStringList tools;
    for (QAction* action : frame.toolBar()->actions()) {
      tools << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    QCOMPARE(tools, (QStringList{"completeOnScreen", "enterResponses", "-", "analysis", "-",
                                 "print", "saveAs", "-", "about", "webSite"}));
    for (QAction* action : frame.toolBar()->actions()) {
      QVERIFY(action->isSeparator() || !action->icon().isNull());
    }
    QCOMPARE(frame.toolBarArea(frame.toolBar()), Qt::TopToolBarArea);

    // The toolbar toggle hides and shows it.
    QAction* toggle = frame.findChild<QAction*>(QStringLiteral("toolBarToggle"));
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QVERIFY(!frame.toolBar()->isVisible());
    toggle->trigger();
    QVERIFY(frame.toolBar()->isVisible());

    // Pointing at a menu entry puts its prompt in the status bar.
    QMenu* acvMenu = frame.menuBar()->actions()[1]->menu();
    acvMenu->popup(frame.mapToGlobal(QPoint(40, 20)));
    acvMenu->setActiveAction(frame.command("analysis"));
    QCOMPARE(frame.statusBar()->currentMessage(),
             QStringLiteral("Display the analysis of an ACV record"));
    acvMenu->hide();
  }

  void everyControlHasAnAccessibleName() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QCOMPARE(Unnamed(frame), QStringList());
    CAdultAn analysis(prompts, QString());
    QCOMPARE(Unnamed(analysis), QStringList());
    CAdultEdit edit(prompts, QString(), EditLayout::kOnScreen);
    QCOMPARE(Unnamed(edit), QStringList());
    AboutDialog about;
    QCOMPARE(Unnamed(about), QStringList());
  }

  void ctrlAOpensAnalysisWhereverTheFocusIs() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    Analysis analysis;
    analysis.selfReport().SetText(TextField::kLastName, "Morgan");
    analysis.selfReport().SetText(TextField::kComments, "Seen twice.");
    frame.view()->setAnalysis(analysis);
    AnalysisForm* form = frame.view()->form();
    auto* comments = form->findChild<QPlainTextEdit*>(QStringLiteral("comments"));
    QTest::mouseClick(comments->viewport(), Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != comments);  // no focus stop for the mouse
    for (QWidget* field : {static_cast<QWidget*>(comments),
                           static_cast<QWidget*>(form->findChild<QLineEdit*>("name"))}) {
      QApplication::setActiveWindow(&frame);
      field->setFocus();
      QCOMPARE(QApplication::focusWidget(), field);
      bool opened = false;
      WhenShown<CAdultAn>([&](CAdultAn&) { opened = true; });
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QVERIFY2(opened, qPrintable(field->objectName()));
    }
  }

  void viewFitsTheWindow() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QScrollBar* down = frame.view()->verticalScrollBar();
    QCOMPARE(down->maximum(), 0);  // the welcome page has nothing below it to scroll to
    Analysis analysis;
    analysis.selfReport().SetText(TextField::kLastName, "Morgan");
    frame.view()->setAnalysis(analysis);
    QVERIFY(down->maximum() > 0);
    QCOMPARE(frame.view()->horizontalScrollBar()->maximum(), 0);
    // The note and the credit line are shown whole within the tables' width.
    for (const char* name : {"noteText", "creditLine"}) {
      const auto* text = frame.view()->form()->findChild<QLabel*>(QString::fromLatin1(name));
      QVERIFY2(text->wordWrap()
                   ? text->heightForWidth(text->width()) <= text->height()
                   : text->fontMetrics().horizontalAdvance(text->text()) <= text->width(),
               name);
      QVERIFY2(text->geometry().right() <= frame.view()->form()->results()->geometry().right(),
               name);
    }
    frame.view()->dropAnalysis();
    QCOMPARE(down->maximum(), 0);
  }

  void reportCommandsNeedAReport() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    for (const char* name : {"print", "printPreview", "saveAs"}) {
      QVERIFY2(!frame.command(name)->isEnabled(), name);
    }
    QVERIFY(frame.command("analysis")->isEnabled());
    frame.saveAsCommand();
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown[0].caption, QStringLiteral("No Analysis Selection"));
    QCOMPARE(prompts.shown[0].text,
             QStringLiteral("There is no selection for the analysis to occur"));

    Analysis analysis;
    analysis.selfReport().SetReportType(kSelfReport);
    analysis.selfReport().SetText(TextField::kLastName, "Morgan");
    frame.view()->setAnalysis(analysis);
    for (const char* name : {"print", "printPreview", "saveAs"}) {
      QVERIFY2(frame.command(name)->isEnabled(), name);
    }
    frame.view()->dropAnalysis();
    QVERIFY(!frame.command("print")->isEnabled());
  }

  void aboutAndWebSite() {
    FakePrompts prompts;
    CMainFrame frame(prompts);
    WhenShown<AboutDialog>([](AboutDialog& about) {
      QCOMPARE(about.findChild<QLabel*>("aboutVersion")->text(),
               QStringLiteral("Adult Corvantis Version 4.0"));
      QVERIFY(about.findChild<QLabel*>("aboutCredit")->text().contains(QStringLiteral("VELT")));
      QVERIFY(!about.findChild<QLabel*>("aboutPicture")->pixmap().isNull());
      about.accept();
    });
    frame.command("about")->trigger();

    frame.command("webSite")->trigger();
    QCOMPARE(prompts.openedAddresses, QStringList{toQt(product::kWebAddress)});
    QVERIFY(prompts.shown.isEmpty());
    prompts.webAddressOpens = false;
    frame.command("webSite")->trigger();
    QCOMPARE(prompts.shown.size(), 1);
    QVERIFY(prompts.shown[0].text.contains(toQt(product::kWebAddress)));
  }

  void settingsWriteOnlyWhatTheUserSet() {
    const auto userKeys = [] {
      QSettings user(QSettings::NativeFormat, QSettings::UserScope, toQt(product::kOrganisation),
                     toQt(product::kApplication));
      user.setFallbacksEnabled(false);
      return user.allKeys();
    };
    {
      AcvSettings settings;  // as at start-up: read, nothing set
      settings.write();
    }
    QCOMPARE(userKeys(), QStringList());

    // An administrator sets machine-wide values afterwards; they show through.
    const QString machineFile = qEnvironmentVariable("XDG_CONFIG_DIRS").section(u':', 0, 0) +
                                QStringLiteral("/VELT/ACV.conf");
    QSettings machine(machineFile, QSettings::IniFormat);
    machine.setValue(QStringLiteral("ACVFileName"), QStringLiteral("/srv/clinic/acv"));
    machine.setValue(QStringLiteral("EditMethod"), QStringLiteral("1"));
    machine.sync();
    {
      AcvSettings settings;
      QCOMPARE(settings.acvFileName(), QStringLiteral("/srv/clinic/acv"));
      QCOMPARE(settings.exportFileName(), QString());
      settings.setAcvFileName(QStringLiteral("/home/me/acv"));
    }  // written when it ends, having changed
    {
      AcvSettings settings;
      QCOMPARE(settings.acvFileName(), QStringLiteral("/home/me/acv"));
      QCOMPARE(settings.editLayout(), EditLayout::kPaper);
      QCOMPARE(userKeys(), QStringList{QStringLiteral("ACVFileName")});
      settings.setAcvFileName(QString());  // emptied: the machine-wide value returns
      settings.write();
    }
    QCOMPARE(userKeys(), QStringList());
    QCOMPARE(AcvSettings().acvFileName(), QStringLiteral("/srv/clinic/acv"));
    machine.sync();
    QCOMPARE(machine.value(QStringLiteral("ACVFileName")).toString(),
             QStringLiteral("/srv/clinic/acv"));
    machine.clear();
    machine.sync();
  }

  void analysisCommandShowsTheChosenReports() {
    SampleFile sample;
    {
      AcvSettings settings;
      settings.setAcvFileName(sample.stem());
    }
    FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    WhenShown<CAdultAn>([&](CAdultAn& dialog) {
      QCOMPARE(dialog.fileNameBox()->text(), sample.stem());
      testing::TypePerson(dialog, QStringLiteral("Alex"), QStringLiteral("Morgan"), "7", "3", "75");
      // From the keyboard alone: Tab past the file box and Browse to Load, press it, then
      // select every line and Tab on to Analyse.
      dialog.yearBox()->setFocus();
      for (int tab = 0; tab < 3; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      QCOMPARE(QApplication::focusWidget(), dialog.loadButton());
      QTest::keyClick(dialog.loadButton(), Qt::Key_Space);
      QCOMPARE(dialog.yearBox()->text(), QStringLiteral("1975"));
      QCOMPARE(dialog.list()->count(), 2);
      QCOMPARE(QApplication::focusWidget(), dialog.list());
      QTest::keyClick(dialog.list(), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(dialog.list(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), dialog.okButton());
      QTest::keyClick(dialog.okButton(), Qt::Key_Space);
    });
    QTest::keyClick(&frame, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(prompts.shown.isEmpty());
    QVERIFY(frame.view()->hasReport());
    QVERIFY(frame.view()->form()->analysisFaceShown());
    QCOMPARE(frame.view()->form()->fieldText(AnalysisForm::Field::kName),
             QStringLiteral("Ms Alex Morgan"));
    QVERIFY(frame.command("print")->isEnabled());
    QCOMPARE(AcvSettings().acvFileName(), sample.stem());

    // Cancelling leaves the analysis shown.
    WhenShown<CAdultAn>([](CAdultAn& dialog) { dialog.reject(); });
    frame.command("analysis")->trigger();
    QVERIFY(frame.view()->hasReport());
  }

  // File > History lists the changes to the records analysed, and only theirs, in a table read
  // cell by cell; Tab leaves it for Close.
  void historyListsTheChangesToTheRecordsAnalysed() {
    SampleFile sample;
    RecordIndex index;
    QCOMPARE(BuildRecordIndex(sample.fullName(), true, &index), FileStatus::kOk);
    const std::vector<IndexEntry> alex = FindPerson(index, "Alex", "Morgan", "19750307");
    QCOMPARE(alex.size(), std::size_t{2});
    const auto edit = [&](int at, const std::string& reason) {
      ResponseRecord record;
      StoredRecord stored{};
      QCOMPARE(ReadRecord(sample.fullName(), at, &record, MetFlags::kLeave, &stored),
               FileStatus::kOk);
      record.SetText(TextField::kComments, "Checked again");
      QCOMPARE(ReplaceRecord(sample.fullName(), at, stored, record,
                             {HistoryAction::kEditReplaced, reason})
                   .status,
               FileStatus::kOk);
    };
    edit(alex[0].fileIndex, "Comment <b>from</b> the paper copy");
    const int other = alex[0].fileIndex == 0 && alex[1].fileIndex == 1 ? 2 : 0;
    edit(other, "Another person's record");
    {
      AcvSettings settings;
      settings.setAcvFileName(sample.stem());
    }
    FakePrompts prompts;
    CMainFrame frame(prompts);
    QAction* history = frame.command(QStringLiteral("history"));
    QVERIFY(!history->isEnabled());
    testing::AnalyseAlexMorgan();
    frame.command(QStringLiteral("analysis"))->trigger();
    QVERIFY(history->isEnabled());
    bool shown = false;
    WhenShown<HistoryDialog>([&](HistoryDialog& dialog) {
      shown = true;
      QTableWidget* table = dialog.table();
      QCOMPARE(dialog.summary()->text(),
               QStringLiteral("The history holds, and every record matches it."));
      // Each record as it was first written, then the one change, and nothing of the other
      // record changed.
      QCOMPARE(table->rowCount(), 3);
      const int last = 2;
      QCOMPARE(table->item(last, 2)->text(), QStringLiteral("edit replaced"));
      QCOMPARE(table->item(last, 3)->text(), QString::number(alex[0].fileIndex));
      QCOMPARE(table->item(last, 4)->text(), QStringLiteral("Comment <b>from</b> the paper copy"));
      QVERIFY(table->item(last, 5)->text().contains(QStringLiteral("comments")));
      QVERIFY(!table->accessibleName().isEmpty());
      QAccessibleTableInterface* cells =
          QAccessible::queryAccessibleInterface(table)->tableInterface();
      QVERIFY(cells != nullptr);
      QAccessibleInterface* cell = cells->cellAt(last, 4);
      QVERIFY(cell != nullptr);
      QCOMPARE(cells->columnDescription(4), QStringLiteral("Reason"));
      QCOMPARE(cell->text(QAccessible::Name), table->item(last, 4)->text());
      table->setFocus();
      QTest::keyClick(table, Qt::Key_Tab);
      QCOMPARE(qobject_cast<QPushButton*>(QApplication::focusWidget())->text().remove('&'),
               QStringLiteral("Close"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    history->trigger();
    QVERIFY(shown);
    QVERIFY(prompts.shown.isEmpty());

    // The FHIR export of the same analysis says which of its reports was edited.
    testing::TempDir out;
    ExportPasswords passwords(out.File("passwords"), geteuid());
    QCOMPARE(passwords.Set(1, "Open"), FileStatus::kOk);
    frame.setExportPasswordFile(out.File("passwords"), geteuid());
    WhenShown<CAdultExportPassword>([](CAdultExportPassword& dialog) {
      QTest::keyClicks(dialog.passwordBox(), QStringLiteral("Open"));
      QTest::keyClick(dialog.passwordBox(), Qt::Key_Return);
    });
    prompts.answers.enqueue(true);
    prompts.chosenFiles.enqueue(QString::fromStdString(out.File("bundle.json")));
    frame.command(QStringLiteral("exportFhir"))->trigger();
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Save Was Successful"));
    std::ifstream bundleFile(out.File("bundle.json"));
    const nlohmann::json bundle = nlohmann::json::parse(bundleFile);
    std::map<std::string, std::string> statusOf;  // by report type
    for (const nlohmann::json& entry : bundle["entry"]) {
      const nlohmann::json& resource = entry["resource"];
      if (resource["resourceType"] == "QuestionnaireResponse") {
        statusOf[resource["item"][0]["answer"][0]["valueCoding"]["code"]] = resource["status"];
      }
    }
    const bool selfEdited = alex[0].reportType == kSelfReport;
    QCOMPARE(statusOf["self"], selfEdited ? "amended" : "completed");
    QCOMPARE(statusOf["observer"], selfEdited ? "completed" : "amended");
    // ... and the history notes that both records were taken out.
    HistoryReview after;
    QCOMPARE(ReviewHistory(sample.fullName(), &after), FileStatus::kOk);
    QCOMPARE(after.entries.back().action, HistoryAction::kExportedFhir);
    QCOMPARE(IndexRunsText(after.entries.back().taken),
             std::to_string(alex[0].fileIndex) + "-" + std::to_string(alex[1].fileIndex));

    // Saved as RTF, it is noted too; where the history cannot take the note, the report is saved
    // all the same and a box says so once.
    const auto saveAs = [&](const QString& name) {
      WhenShown<CAnalysis_Save_As>([name](CAnalysis_Save_As& dialog) {
        dialog.fileBox()->setText(name);
        dialog.privacyBox()->setChecked(true);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      });
      frame.command(QStringLiteral("saveAs"))->trigger();
    };
    saveAs(QString::fromStdString(out.File("report")));
    QCOMPARE(ReviewHistory(sample.fullName(), &after), FileStatus::kOk);
    QCOMPARE(after.entries.back().action, HistoryAction::kReportRtf);
    const std::string historyFile =
        sample.fullName().substr(0, sample.fullName().size() - 4) + ".cvh";
    QVERIFY(std::filesystem::remove(historyFile));
    QVERIFY(std::filesystem::create_directory(historyFile));
    const qsizetype before = prompts.shown.size();
    saveAs(QString::fromStdString(out.File("again")));
    QVERIFY(QFile::exists(QString::fromStdString(out.File("again.rtf"))));
    QCOMPARE(prompts.shown.size(), before + 2);  // the save, then the note's box
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Not Recorded in the History"));
  }

  void editCommandRemembersTheLayout() {
    SampleFile sample;
    {
      AcvSettings settings;
      settings.setAcvFileName(QStringLiteral("/elsewhere/acv"));
      settings.setEditLayout(EditLayout::kOnScreen);
    }
    FakePrompts prompts;
    CMainFrame frame(prompts);
    WhenShown<CAdultEdit>([&](CAdultEdit& dialog) {
      QVERIFY(dialog.onScreenOption()->isChecked());
      dialog.fileNameBox()->setText(sample.stem());
      testing::TypePerson(dialog, QStringLiteral("Sam"), QStringLiteral("Whitlow"), "14", "9",
                          "1982");
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      dialog.list()->setCurrentRow(1);
      dialog.paperOption()->setChecked(true);
      // The record opens in the paper layout; Cancel, confirmed, saves nothing.
      WhenShown<CAdultQEditSheet>([&](CAdultQEditSheet& sheet) {
        QCOMPARE(sheet.windowTitle(), QStringLiteral("ACV Page 1 of 5"));
        prompts.answers.enqueue(true);
      });
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    frame.command("edit")->trigger();
    AcvSettings after;
    QCOMPARE(after.editLayout(), EditLayout::kPaper);
    QCOMPARE(after.acvFileName(), sample.stem());
    QVERIFY(!frame.view()->hasReport());
  }

 private:
};

}  // namespace acv

QTEST_MAIN(acv::MainFrameTest)
#include "main_frame_test.moc"
