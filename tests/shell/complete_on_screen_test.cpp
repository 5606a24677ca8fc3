// "Complete on screen ..." from the main window: Ctrl+R drops the analysis shown, runs the
// wizard on the file name of the settings, and stores the name it saved under.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/adult_sheet.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "reports/analysis_view.h"
#include "shell/acv_settings.h"
#include "shell/main_frame.h"
#include "storage/records/record_search.h"
#include "support/fake_prompts.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"
#include "ui/text.h"

namespace acv {

class CompleteOnScreenTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  // Runs the command with Ctrl+R and completes the questionnaire for Sam Reed as `reportType`;
  // false when the wizard did not open.
  static bool CompleteWithCtrlR(CMainFrame& frame, int reportType) {
    testing::ShowActive(&frame);
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* sheet = qobject_cast<CAdultSheet*>(QApplication::activeModalWidget());
      if (sheet == nullptr) {
        return;
      }
      opened = !frame.view()->hasReport();  // the analysis shown was dropped first
      testing::Next(*sheet);                // the name from the settings
      if (reportType == kObserverReport) {
        sheet->reportTypePage()->observerButton()->click();
        sheet->reportTypePage()->observerNameBox()->setText(QStringLiteral("Jo Reed"));
      }
      testing::Next(*sheet);
      DetailsPage& details = *sheet->detailsPage();
      details.firstNameBox()->setText(QStringLiteral("Sam"));
      details.lastNameBox()->setText(QStringLiteral("Reed"));
      details.birthDate()->setDate(CalendarDate{1970, 1, 2});
      testing::Next(*sheet);
      for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
        for (int row = 0; row < ItemPage::kRows; ++row) {
          sheet->itemPage(index)->row(row)->choice(2)->click();
        }
        testing::Next(*sheet);
      }
      testing::Next(*sheet);  // no comment
      testing::Finish(*sheet);
      if (sheet->isVisible()) {
        sheet->QDialog::reject();  // past the cancel confirmation
      }
    });
    QTest::keyClick(&frame, Qt::Key_R, Qt::ControlModifier);
    return opened;
  }

 private slots:
  void selfAndObserverReportsOfOnePersonAreSavedAndTheFileRemembered() {
    const QString stem = dir_.filePath(QStringLiteral("clinic"));
    {
      AcvSettings settings;
      settings.setAcvFileName(stem + QStringLiteral(".cvr"));
      settings.write();
    }
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    Analysis shown;
    shown.selfReport().SetReportType(kSelfReport);
    shown.selfReport().SetText(TextField::kLastName, "Morgan");
    frame.view()->setAnalysis(shown);

    QVERIFY(CompleteWithCtrlR(frame, kSelfReport));
    QCOMPARE(AcvSettings().acvFileName(), stem);  // stored without ".cvr"
    QVERIFY(CompleteWithCtrlR(frame, kObserverReport));
    QCOMPARE(prompts.captions(), QStringList(2, QStringLiteral("Save Was Successful")));

    // What the Analysis command lists for Sam Reed.
    RecordIndex index;
    QCOMPARE(BuildRecordIndex(stem.toStdString() + ".cvr", true, &index), FileStatus::kOk);
    const std::vector<IndexEntry> found = FindPerson(index, "Sam", "Reed", "19700102");
    QCOMPARE(found.size(), std::size_t{2});
    QCOMPARE(found[0].reportType + found[1].reportType, kSelfReport + kObserverReport);
    QCOMPARE(found[0].entryMethod, kEnteredOnScreen);
  }
};

}  // namespace acv

QTEST_MAIN(acv::CompleteOnScreenTest)
#include "complete_on_screen_test.moc"
