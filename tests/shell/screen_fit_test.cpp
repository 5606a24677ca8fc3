// Windows open within the free area of the screen: the main window keeps its 880 x 575 pixels
// where they fit, and the main window and the wizards opened at a large font, which ask for more
// than the screen's width, fit the screen (also run with the desktop scaled to twice the size).
#include <QScreen>
#include <QWizard>
#include <QtTest>

#include "shell/main_frame.h"
#include "support/fake_prompts.h"
#include "ui/artwork.h"

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
};

}  // namespace acv

QTEST_MAIN(acv::ScreenFitTest)
#include "screen_fit_test.moc"
