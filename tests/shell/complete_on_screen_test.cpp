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
#include "reports/analysis_view.h"
#include "shell/acv_settings.h"
#include "shell/main_frame.h"
#include "storage/record_store.h"
#include "support/fake_prompts.h"
#include "ui/date_boxes.h"
#include "ui/text.h"

namespace acv {

class CompleteOnScreenTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

 private slots:
  void ctrlRSavesAQuestionnaireAndRemembersTheFile() {
    const QString stem = dir_.filePath(QStringLiteral("clinic"));
    {
      AcvSettings settings;
      settings.setAcvFileName(stem + QStringLiteral(".cvr"));
      settings.write();
    }
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    Analysis shown;
    shown.selfReport().SetReportType(kSelfReport);
    shown.selfReport().SetText(TextField::kLastName, "Morgan");
    frame.view()->setAnalysis(shown);
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    bool analysisDropped = false;
    QTimer::singleShot(0, [&] {
      auto* sheet = qobject_cast<CAdultSheet*>(QApplication::activeModalWidget());
      if (sheet == nullptr) {
        return;
      }
      analysisDropped = !frame.view()->hasReport();
      const auto next = [sheet] { sheet->button(QWizard::NextButton)->click(); };
      next();  // the name from the settings
      next();  // Self-report
      DetailsPage& details = *sheet->detailsPage();
      details.firstNameBox()->setText(QStringLiteral("Sam"));
      details.lastNameBox()->setText(QStringLiteral("Reed"));
      details.birthDate()->setDate(CalendarDate{1970, 1, 2});
      next();
      for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
        for (int row = 0; row < ItemPage::kRows; ++row) {
          sheet->itemPage(index)->row(row)->choice(2)->click();
        }
        next();
      }
      next();  // no comment
      sheet->button(QWizard::FinishButton)->click();
      if (sheet->isVisible()) {
        sheet->reject();
      }
    });
    QTest::keyClick(&frame, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(analysisDropped);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Save Was Successful")});
    ResponseRecord stored;
    QCOMPARE(ReadRecord(stem.toStdString() + ".cvr", 0, &stored), FileStatus::kOk);
    QCOMPARE(stored.Text(TextField::kLastName), std::string_view("Reed"));
    QCOMPARE(AcvSettings().acvFileName(), stem);  // stored without ".cvr"
  }
};

}  // namespace acv

QTEST_MAIN(acv::CompleteOnScreenTest)
#include "complete_on_screen_test.moc"
