// The 190 answer boxes of the paper-entry page, typed into as a clinician does.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/entry_wizard.h"
#include "entry/pages/blank_items.h"
#include "entry/pages/comments_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/wizard.h"

namespace acv {
namespace {

using testing::ClickInModal;
using testing::FakePrompts;

// The grid page between two comments pages, at the size of the main window.
class GridWizard : public testing::PageWizard {
 public:
  GridWizard(Prompts& prompts, ResponseRecord& record) : PageWizard(prompts, record) {
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 2 of 5"), QString()));
    page = new ResponseGridPage(record, run().blanks, run().secondTyping, prompts,
                                QStringLiteral("ACV Page 3 of 5"));
    addPage(page);
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 4 of 5"), QString()));
    resize(880, 575);
  }
  ResponseGridPage* page;
};

}  // namespace

class ResponseGridTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  std::unique_ptr<ResponseGrid> grid_;
  std::unique_ptr<GridWizard> wizard_;

  // A new grid, shown and active, with the focus in the box of `item`.
  ResponseGrid& fresh(int item = 1) {
    prompts_ = FakePrompts();
    grid_ = std::make_unique<ResponseGrid>(prompts_);
    grid_->show();
    grid_->activateWindow();
    if (!QTest::qWaitForWindowActive(grid_.get())) {
      qFatal("the grid window never became active");
    }
    grid_->box(item)->setFocus();
    return *grid_;
  }
  // The grid page's wizard on `record` (a new Self-report), shown and active at its first page.
  GridWizard& freshWizard(ResponseRecord& record) {
    prompts_ = FakePrompts();
    record.SetReportType(kSelfReport);
    wizard_ = std::make_unique<GridWizard>(prompts_, record);
    wizard_->show();
    wizard_->activateWindow();
    if (!QTest::qWaitForWindowActive(wizard_.get())) {
      qFatal("the wizard never became active");
    }
    return *wizard_;
  }
  QLineEdit* focused() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

 private slots:
  void typingAFormFillsEveryItemInOrder() {
    ResponseGrid& grid = fresh();
    QSignalSpy advanced(&grid, &ResponseGrid::advanced);
    // Every value and the blank, in turn: item k gets "012345 "[k % 7].
    const QString form = QStringLiteral("012345 ");
    for (int item = 1; item <= kItemCount; ++item) {
      QCOMPARE(focused(), grid.box(item));
      QTest::keyClicks(focused(), form.mid(item % form.size(), 1));
    }
    QCOMPARE(advanced.size(), kItemCount);
    QCOMPARE(advanced.last().at(0).toInt(), kItemCount);
    QVERIFY(prompts_.shown.isEmpty());
    ResponseRecord record;
    record.SetReportType(kSelfReport);
    grid.storeResponses(record);
    for (int item = 1; item <= kItemCount; ++item) {
      const int expected = item % form.size() == 6 ? -1 : item % form.size();
      QCOMPARE(record.GetResponse(item), expected);
      QCOMPARE(grid.box(item)->text(), expected < 0 ? QString() : QString::number(expected));
    }
    QVERIFY(grid.hasBlank());
  }

  void theNextBoxIsSelectedSoTypingReplacesIt() {
    ResponseGrid& grid = fresh(15);
    grid.box(16)->setText(QStringLiteral("4"));
    QTest::keyClicks(grid.box(15), QStringLiteral("3"));
    QCOMPARE(focused(), grid.box(16));  // the top of the next column
    QCOMPARE(grid.box(16)->selectedText(), QStringLiteral("4"));
    QTest::keyClicks(focused(), QStringLiteral("2"));
    QCOMPARE(grid.box(16)->text(), QStringLiteral("2"));
    QCOMPARE(focused(), grid.box(17));
  }

  void aBlankLeavesTheItemEmptyAndMovesOn() {
    ResponseGrid& grid = fresh(7);
    QTest::keyClick(grid.box(7), Qt::Key_Space);
    QCOMPARE(grid.box(7)->text(), QString());
    QCOMPARE(focused(), grid.box(8));
    QVERIFY(prompts_.shown.isEmpty());
  }

  void wrongValuesAreRefusedAndTheBoxKeepsTheFocus_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::newRow("seven") << QStringLiteral("7") << false;
    QTest::newRow("letter") << QStringLiteral("a") << false;
    QTest::newRow("minus") << QStringLiteral("-") << false;
    QTest::newRow("pasted twelve") << QStringLiteral("12") << true;
  }
  void wrongValuesAreRefusedAndTheBoxKeepsTheFocus() {
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    ResponseGrid& grid = fresh(42);
    if (pasted) {
      QGuiApplication::clipboard()->setText(typed);
      QTest::keyClick(grid.box(42), Qt::Key_V, Qt::ControlModifier);
    } else {
      QTest::keyClicks(grid.box(42), typed);
    }
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Incorrect Value")});
    QCOMPARE(prompts_.shown.first().text,
             QStringLiteral("You must enter a value between 0 and 5, or leave blank"));
    QCOMPARE(prompts_.shown.first().icon, Prompts::Icon::kStop);
    QCOMPARE(grid.box(42)->text(), QString());
    QCOMPARE(focused(), grid.box(42));
  }

  void deletingADigitNeitherWarnsNorMoves() {
    ResponseGrid& grid = fresh(30);
    grid.box(30)->setText(QStringLiteral("3"));
    grid.box(30)->end(false);
    QTest::keyClick(grid.box(30), Qt::Key_Backspace);
    QCOMPARE(grid.box(30)->text(), QString());
    QCOMPARE(focused(), grid.box(30));
    QVERIFY(prompts_.shown.isEmpty());
  }

  void showingARecordRunsNoCheck() {
    ResponseGrid& grid = fresh(1);
    QSignalSpy advanced(&grid, &ResponseGrid::advanced);
    ResponseRecord record;
    record.SetReportType(kObserverReport);
    record.SetResponse(1, 5);
    record.SetResponse(190, 0);
    grid.showResponses(record);
    QCOMPARE(grid.box(1)->text(), QStringLiteral("5"));
    QCOMPARE(grid.box(2)->text(), QString());
    QCOMPARE(grid.box(190)->text(), QStringLiteral("0"));
    QCOMPARE(focused(), grid.box(1));
    QVERIFY(advanced.isEmpty());
    QVERIFY(prompts_.shown.isEmpty());
  }

  void tabFollowsItemOrderAndEveryBoxIsNamed() {
    ResponseGrid& grid = fresh(1);
    for (int item = 1; item < kItemCount; ++item) {
      QCOMPARE(focused()->accessibleName(), QStringLiteral("Item %1").arg(item));
      QTest::keyClick(focused(), Qt::Key_Tab);
    }
    QCOMPARE(focused(), grid.box(kItemCount));
  }

  void theLegendSitsBelowTheLastColumn() {
    ResponseGrid& grid = fresh();
    grid.resize(grid.sizeHint());
    const QRect legend = grid.legend()->geometry();
    QVERIFY(legend.top() > grid.box(190)->geometry().bottom());
    QVERIFY(legend.left() >= grid.box(176)->geometry().right());
    QCOMPARE(grid.legend()->text().split(QLatin1Char('\n')).size(), 6);
  }

  void thePageIsReadableAtTheMainWindowsSize() {
    ResponseRecord record;
    GridWizard& wizard = freshWizard(record);
    wizard.next();
    QCOMPARE(wizard.windowTitle(), QStringLiteral("ACV Page 3 of 5"));
    QCOMPARE(wizard.size(), QSize(880, 575));
    QVERIFY(!wizard.page->scrollArea()->horizontalScrollBar()->isVisible());
    QCOMPARE(wizard.page->grid()->legend()->visibleRegion().boundingRect(),
             wizard.page->grid()->legend()->rect());
    QCOMPARE(focused(), wizard.page->grid()->box(1));
  }

  void nextAsksAboutBlanksAndBackKeepsEverything() {
    ResponseRecord record;
    GridWizard& wizard = freshWizard(record);
    wizard.next();
    ResponseGrid* grid = wizard.page->grid();
    for (int item = 1; item <= kItemCount; ++item) {
      QTest::keyClicks(focused(), item == 42 ? QStringLiteral(" ") : QStringLiteral("4"));
    }
    QCOMPARE(QApplication::focusWidget(), wizard.button(QWizard::NextButton));
    ClickInModal(QStringLiteral("Continue with the current page"));
    wizard.next();
    QCOMPARE(wizard.currentPage(), wizard.page);
    QCOMPARE(record.GetResponse(1), -1);  // nothing written
    ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    wizard.next();
    QCOMPARE(wizard.windowTitle(), QStringLiteral("ACV Page 4 of 5"));
    QCOMPARE(record.GetResponse(41), 4);
    QCOMPARE(record.GetResponse(42), -1);
    QCOMPARE(record.StoredResponse(42), kResponseBlank);
    wizard.back();
    QCOMPARE(grid->box(41)->text(), QStringLiteral("4"));
    QCOMPARE(grid->box(42)->text(), QString());
    // Back writes without asking.
    grid->box(190)->setText(QStringLiteral("0"));
    wizard.back();
    QCOMPARE(record.GetResponse(190), 0);
    QVERIFY(prompts_.shown.isEmpty());
  }
};

}  // namespace acv

QTEST_MAIN(acv::ResponseGridTest)
#include "response_grid_test.moc"
