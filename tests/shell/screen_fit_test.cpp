// Windows open within the free area of the screen: the main window keeps its 880 x 575 pixels
// where they fit, and the main window and the wizards opened at a large font, which ask for more
// than the screen's width, fit the screen; every page of both wizards, the Edit and Analysis
// selections, the export dialog and Save As keep their buttons on the screen, the grid wrapping its
// columns (also run at 1024 x 768 with fonts at 144 dpi, and with the desktop scaled to twice the
// size).
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QWizard>
#include <QtTest>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "reports/save_as_dialog.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "shell/export_dialog.h"
#include "shell/main_frame.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "ui/artwork.h"
#include "ui/screen_fit.h"

namespace acv {

class ScreenFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }

  void theMainWindowKeepsItsSize() {
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.size(), QSize(880, 575));
    QVERIFY(frame.screen()->availableGeometry().contains(frame.frameGeometry()));
  }

  void windowsAtALargeFontFitTheScreen() {
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSize(15);
    QApplication::setFont(large);
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.screen()->availableGeometry().contains(frame.frameGeometry()));
    for (void (CMainFrame::*command)() :
         {&CMainFrame::completeOnScreenCommand, &CMainFrame::enterResponsesCommand}) {
      QRect opened;
      QRect room;
      QTimer::singleShot(0, [&] {
        if (auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget())) {
          opened = wizard->frameGeometry();
          room = wizard->screen()->availableGeometry();
          wizard->QDialog::reject();  // past the cancel confirmation
        }
      });
      (frame.*command)();
      QVERIFY(!opened.isEmpty());
      QVERIFY2(room.contains(opened), qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                                                     .arg(opened.width())
                                                     .arg(opened.height())
                                                     .arg(opened.x())
                                                     .arg(opened.y())));
    }
    QApplication::setFont(normal);
  }

  void everyPageKeepsItsButtonsOnTheScreen() {
    testing::FakePrompts prompts;
    ResponseRecord record = testing::TestRecord(kSelfReport, {.first = "Ann",
                                                              .last = "Lee",
                                                              .birthDate = "19800101",
                                                              .completed = FormatDate8(Today())});
    testing::AnswerEvery(record, [](int) { return 2; });
    QString fileName = QStringLiteral("fit");
    Analysis analysis;
    CAdultSheet onScreen(prompts, record, fileName);
    CAdultQSheet paper(prompts, record, fileName, analysis);
    for (QWizard* wizard : {static_cast<QWizard*>(&onScreen), static_cast<QWizard*>(&paper)}) {
      FitToScreen(*wizard);
      wizard->show();
      QVERIFY(QTest::qWaitForWindowExposed(wizard));
      const QRect room = wizard->screen()->availableGeometry();
      for (int page = 0; page < 30 && wizard->currentPage() != nullptr; ++page) {
        const QString where =
            QStringLiteral("%1 page %2").arg(wizard->metaObject()->className()).arg(page + 1);
        const QRect frame = wizard->frameGeometry();
        QVERIFY2(room.contains(frame), qPrintable(QStringLiteral("%1: %2 x %3 at %4, %5")
                                                      .arg(where)
                                                      .arg(frame.width())
                                                      .arg(frame.height())
                                                      .arg(frame.x())
                                                      .arg(frame.y())));
        for (auto which : {QWizard::NextButton, QWizard::CancelButton}) {
          QAbstractButton* button = wizard->button(which);
          if (button->isVisible()) {
            const QRect place(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(room.contains(place), qPrintable(where + QLatin1String(" ") + button->text()));
          }
        }
        for (ResponseGrid* grid : wizard->currentPage()->findChildren<ResponseGrid*>()) {
          auto* scroll = qobject_cast<QScrollArea*>(grid->parentWidget()->parentWidget());
          QVERIFY(scroll != nullptr);
          // Every box in sight across: the columns wrap rather than run past the window.
          QVERIFY2(grid->width() <= scroll->viewport()->width(), qPrintable(where));
          QTRY_VERIFY2(grid->box(kItemCount)->geometry().right() < grid->width(),
                       qPrintable(where));
        }
        if (wizard->currentPage()->isFinalPage()) {
          break;
        }
        wizard->next();
      }
      wizard->hide();
    }
  }

  void dialogsKeepTheirButtonsOnTheScreen() {
    testing::FakePrompts prompts;
    const Analysis analysis;
    CAdultEdit edit(prompts, QStringLiteral("fit"), EditLayout::kOnScreen);
    CAdultAn analysisSelection(prompts, QStringLiteral("fit"));
    CAdultExport exporting(prompts, QStringLiteral("fit"), QStringLiteral("fit"));
    CAnalysis_Save_As saveAs(prompts, analysis, QStringLiteral("fit"));
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{&edit, &analysisSelection, &exporting, &saveAs}) {
      dialog->show();
      QVERIFY(QTest::qWaitForWindowExposed(dialog));
      const QRect room = dialog->screen()->availableGeometry();
      const QString name = QLatin1String(dialog->metaObject()->className());
      QVERIFY2(room.contains(dialog->frameGeometry()), qPrintable(name));
      for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons()) {
          const QRect place(button->mapToGlobal(QPoint(0, 0)), button->size());
          QVERIFY2(room.contains(place), qPrintable(name + QLatin1String(" ") + button->text()));
        }
      }
      dialog->hide();
    }
  }
};

}  // namespace acv

QTEST_MAIN(acv::ScreenFitTest)
#include "screen_fit_test.moc"
