// "Enter responses ..." from the main window: Ctrl+E runs the paper wizard on the file of the
// settings; a paper copy typed in digit by digit is saved and its analysis shown at once.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/pages/details_page.h"
#include "entry/paper_save_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "reports/analysis_view.h"
#include "shell/acv_settings.h"
#include "shell/history_dialog.h"
#include "shell/main_frame.h"
#include "storage/records/record_store.h"
#include "storage/records/sample_records.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/sample_file.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"

namespace acv {

class EnterResponsesTest : public QObject {
  Q_OBJECT

 private:
  // The sample file and the two analysis options, as a previous run left them.
  static void StoreSettings(const testing::SampleFile& sample, bool view, bool related) {
    AcvSettings settings;
    settings.setAcvFileName(sample.stem());
    settings.setViewAnalysis(view);
    settings.setAlsoViewRelatedAnalysis(related);
    settings.write();
  }
  // Runs Ctrl+E with the sample file in the settings and types Alex Morgan's Self-report (item
  // k answered k % 6, item 42 left blank) with the analysis options given; the choice the last
  // page started with goes to `started`.
  void enterSelfReport(CMainFrame& frame, bool view, bool related, ViewAfterFinish* started) {
    testing::ShowActive(&frame);
    QTimer::singleShot(0, [&frame, view, related, started] {
      auto* sheet = qobject_cast<CAdultQSheet*>(QApplication::activeModalWidget());
      if (sheet == nullptr) {
        return;
      }
      QApplication::setActiveWindow(sheet);
      testing::Next(*sheet);  // Self-report
      DetailsPage& details = *sheet->detailsPage();
      details.firstNameBox()->setText(QStringLiteral("Alex"));
      details.lastNameBox()->setText(QStringLiteral("Morgan"));
      details.birthDate()->setDate(CalendarDate{1975, 3, 7});
      testing::Next(*sheet);
      QCOMPARE(sheet->windowTitle(), QStringLiteral("ACV Page 3 of 5"));
      for (int item = 1; item <= kItemCount; ++item) {
        const QString key = item == 42 ? QStringLiteral(" ") : QString::number(item % 6);
        QTest::keyClicks(QApplication::focusWidget(), key);
      }
      testing::ClickInModal(QStringLiteral("Leave blank and go to the next page"));  // item 42
      testing::Next(*sheet);
      testing::Next(*sheet);  // no comment
      PaperSavePage& save = *sheet->savePage();
      *started = save.analysisChoice();
      save.viewBox()->setChecked(view);
      save.relatedBox()->setChecked(related);
      testing::Finish(*sheet);
      if (sheet->isVisible()) {
        sheet->reject();
      }
    });
    QTest::keyClick(&frame, Qt::Key_E, Qt::ControlModifier);
  }

 private slots:
  void aTypedCopyIsSavedAndAnalysedAtOnce() {
    testing::SampleFile sample;
    StoreSettings(sample, true, false);
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    ViewAfterFinish started;
    enterSelfReport(frame, true, true, &started);
    QVERIFY(started.view);
    QVERIFY(!started.related);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Save Was Successful")});
    ResponseRecord stored;
    QCOMPARE(ReadRecord(sample.fullName(), 8, &stored), FileStatus::kOk);
    QCOMPARE(stored.EntryMethod(), kEnteredFromPaper);
    for (int item = 1; item <= kItemCount; ++item) {
      QCOMPARE(stored.GetResponse(item), item == 42 ? -1 : item % 6);
    }
    // The new Self-report with Alex Morgan's Observer-report, the sample's record 1.
    const Analysis& shown = frame.view()->analysis();
    QVERIFY(shown.selfReport().IsSameAs(stored));
    QVERIFY(shown.selfReport().IsMet(3));
    QCOMPARE(shown.observerReport().Text(TextField::kObserverName),
             SampleRecords()[1].Text(TextField::kObserverName));
    // Both are the file's records, as if the Analysis dialog had chosen them: the History lists
    // the entry of the one just written.
    bool listed = false;
    testing::WhenShown<HistoryDialog>([&listed](HistoryDialog& dialog) {
      for (int row = 0; row < dialog.table()->rowCount(); ++row) {
        listed = listed || (dialog.table()->item(row, 2)->text() == QStringLiteral("paper entry") &&
                            dialog.table()->item(row, 3)->text() == QStringLiteral("8"));
      }
      dialog.reject();
    });
    frame.command(QStringLiteral("history"))->trigger();
    QVERIFY(listed);
    AcvSettings settings;
    QVERIFY(settings.viewAnalysis());
    QVERIFY(settings.alsoViewRelatedAnalysis());
    QCOMPARE(settings.acvFileName(), sample.stem());
  }

  void notViewingIsRemembered() {
    testing::SampleFile sample;
    StoreSettings(sample, true, true);
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    ViewAfterFinish started;
    enterSelfReport(frame, false, false, &started);
    QVERIFY(!frame.view()->hasReport());
    QVERIFY(!AcvSettings().viewAnalysis());
    QVERIFY(AcvSettings().alsoViewRelatedAnalysis());  // left as it was
    enterSelfReport(frame, false, false, &started);
    QVERIFY(!started.view);
    QVERIFY(started.related);
  }
};

}  // namespace acv

QTEST_MAIN(acv::EnterResponsesTest)
#include "enter_responses_test.moc"
