// Where the keyboard focus stands while answers are typed: a burst of keys typed on while
// "Incorrect Value" shows, the digit of item 1 selected whenever the grid opens, and
// the first blank item after "Continue with the current page".
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "engine/response_record.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/comments_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/record_builder.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/prompts.h"

namespace acv {
namespace {

using testing::ClickInModal;
using testing::FakePrompts;

// The grid page and an item page, each followed by a comments page.
class FocusWizard : public testing::PageWizard {
 public:
  FocusWizard(Prompts& prompts, ResponseRecord& record) : PageWizard(prompts, record) {
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 1 of 5"), QString()));
    grid = new ResponseGridPage(record, run().blanks, run().secondTyping, prompts,
                                QStringLiteral("ACV Page 2 of 5"));
    addPage(grid);
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 3 of 5"), QString()));
    items = new ItemPage(record, run().blanks, QStringLiteral("ACV Page 4 of 5"), 1);
    addPage(items);
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 5 of 5"), QString()));
  }
  ResponseGridPage* grid;
  ItemPage* items;
};

// Counts the message boxes shown, makes each the active window as the desktop would, and runs
// `onFirst` when the first shows.
class BoxWatch : public QObject {
 public:
  std::function<void(QMessageBox&)> onFirst;
  int shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box != nullptr && event->type() == QEvent::Show) {
      QApplication::setActiveWindow(box);
      if (++shown == 1) {
        onFirst(*box);
      }
    }
    return false;
  }
};

QWidget* Focused() {
  return QApplication::focusWidget();
}

// Makes `window` active again once a box over it has closed, as the desktop does.
void Reactivate(QWidget& window) {
  QApplication::setActiveWindow(&window);
  if (!QTest::qWaitForWindowActive(&window)) {
    qWarning("the window did not become active again");
  }
}

}  // namespace

class EntryFocusTest : public QObject {
  Q_OBJECT

 private slots:
  // A keyboard delivers each key to the control that has the focus when the key comes: the
  // burst is queued at once and each key goes to the focus of its moment. The keys typed while
  // "Incorrect Value" shows neither close it nor reach the grid then; once it is closed they
  // answer the items after the wrong one, which stays blank, and the focus follows them. (The
  // typist who types nothing meanwhile retypes the wrong item: response_grid_test.) The blank
  // is the space bar.
  void keysTypedAheadAnswerTheItemsAfterIncorrectValue() {
    QtPrompts prompts;
    ResponseGrid grid(prompts);
    testing::ShowActive(&grid);
    grid.box(1)->setFocus();
    QSignalSpy advanced(&grid, &ResponseGrid::advanced);
    BoxWatch watch;
    qApp->installEventFilter(&watch);
    ResponseRecord atShow;
    atShow.SetReportType(kSelfReport);
    QString caption;
    watch.onFirst = [&](QMessageBox& box) {
      caption = box.windowTitle();
      grid.storeResponses(atShow);
    };
    bool stillShown = false;
    bool answered = false;
    for (const QChar key : QStringLiteral("3 7 45")) {
      QTimer::singleShot(0, [key] {
        QTest::keyClick(Focused(), key == u' ' ? Qt::Key_Space : Qt::Key(key.unicode()),
                        Qt::NoModifier);
      });
    }
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      stillShown = box != nullptr && box->isVisible();
      answered = true;
      if (box != nullptr) {
        QTest::keyClick(Focused(), Qt::Key_Return);
      }
    });
    QTRY_VERIFY(answered && QApplication::activeModalWidget() == nullptr);
    qApp->removeEventFilter(&watch);
    QCOMPARE(caption, QStringLiteral("Incorrect Value"));
    QCOMPARE(atShow.GetResponse(1), 3);
    for (int item = 2; item <= kItemCount; ++item) {
      QCOMPARE(atShow.GetResponse(item), -1);
    }
    QVERIFY(stillShown);
    QCOMPARE(watch.shown, 1);
    const QStringList typed = {QStringLiteral("3"), QString(),           QString(),
                               QString(),           QStringLiteral("4"), QStringLiteral("5")};
    for (int item = 1; item <= 7; ++item) {
      QCOMPARE(grid.box(item)->text(), typed.value(item - 1));
    }
    QCOMPARE(advanced.size(), 6);
    Reactivate(grid);
    QCOMPARE(Focused(), grid.box(7));
  }

  // Whichever way the grid is reached, the digit of item 1 is selected, so the next digit
  // replaces it.
  void theGridOpensWithItemOneSelected() {
    FakePrompts prompts;
    ResponseRecord record = testing::TestRecord(kSelfReport, {.fill = 2});
    FocusWizard sheet(prompts, record);
    testing::ShowActive(&sheet);
    sheet.next();
    ResponseGrid* grid = sheet.grid->grid();
    QCOMPARE(Focused(), grid->box(1));
    QCOMPARE(grid->box(1)->selectedText(), QStringLiteral("2"));
    QTest::keyClicks(Focused(), QStringLiteral("4"));
    QCOMPARE(grid->box(1)->text(), QStringLiteral("4"));
    QCOMPARE(Focused(), grid->box(2));
    sheet.next();
    sheet.back();
    QCOMPARE(Focused(), grid->box(1));
    QCOMPARE(grid->box(1)->selectedText(), QStringLiteral("4"));
    QTest::keyClicks(Focused(), QStringLiteral("5"));
    QCOMPARE(grid->box(1)->text(), QStringLiteral("5"));
    QVERIFY(prompts.shown.isEmpty());
  }

  // Staying to answer the blanks puts the focus on the first of them, in the grid and on an
  // item page alike.
  void continuingGoesToTheFirstBlank() {
    FakePrompts prompts;
    ResponseRecord record = testing::TestRecord(kSelfReport, {.fill = 1});
    record.SetResponse(42, -1);
    record.SetResponse(99, -1);
    FocusWizard sheet(prompts, record);
    testing::ShowActive(&sheet);
    sheet.next();
    ResponseGrid* grid = sheet.grid->grid();
    sheet.button(QWizard::NextButton)->setFocus();
    ClickInModal(QStringLiteral("Continue with the current page"));
    QTest::keyClick(sheet.button(QWizard::NextButton), Qt::Key_Return);
    QCOMPARE(sheet.currentPage(), sheet.grid);
    Reactivate(sheet);
    QCOMPARE(Focused(), grid->box(42));

    ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    sheet.next();
    sheet.next();
    QCOMPARE(sheet.currentPage(), sheet.items);
    sheet.items->row(2)->setAnswer(-1);
    sheet.button(QWizard::NextButton)->setFocus();
    ClickInModal(QStringLiteral("Continue with the current page"));
    QTest::keyClick(sheet.button(QWizard::NextButton), Qt::Key_Return);
    QCOMPARE(sheet.currentPage(), sheet.items);
    Reactivate(sheet);
    QCOMPARE(Focused(), sheet.items->row(2)->focusChoice());
  }
};

}  // namespace acv

QTEST_MAIN(acv::EntryFocusTest)
#include "entry_focus_test.moc"
