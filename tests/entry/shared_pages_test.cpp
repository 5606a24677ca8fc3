// The report-type and comments pages, an item page, the blank-items dialog and the cancel
// confirmation, driven inside a small wizard of those pages.
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/entry_wizard.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/blank_items.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/report_type_page.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/field_boxes.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::ClickInModal;
using testing::FakePrompts;
using testing::ModalSeen;

// Types any text, one key event a character (QTest::keyClicks takes ASCII only).
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

class PagesWizard : public testing::PageWizard {
 public:
  PagesWizard(Prompts& prompts, ResponseRecord& record) : PageWizard(prompts, record) {
    type = new ReportTypePage(record, prompts, QStringLiteral("ACV Page 2 of 24"));
    items = new ItemPage(record, run().blanks, QStringLiteral("ACV Page 4 of 24"), 1);
    comments = new CommentsPage(record, QStringLiteral("ACV Page 23 of 24"),
                                QStringLiteral("Comments, please."));
    addPage(type);
    addPage(items);
    addPage(comments);
  }

  ReportTypePage* type;
  ItemPage* items;
  CommentsPage* comments;
};

}  // namespace

class SharedPagesTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  ResponseRecord record_;
  std::unique_ptr<PagesWizard> wizard_;

  // A wizard on a new record, at the report-type page.
  PagesWizard& fresh() {
    prompts_ = FakePrompts();
    record_ = ResponseRecord();
    wizard_ = std::make_unique<PagesWizard>(prompts_, record_);
    testing::ShowActive(wizard_.get());
    return *wizard_;
  }
  // Answers item page rows 0..9 with `answers` (-1 leaves a row blank).
  static void Answer(ItemPage& page, std::array<int, 10> answers) {
    for (int row = 0; row < 10; ++row) {
      if (answers[row] >= 0) {
        page.row(row)->choice(answers[row])->click();
      }
    }
  }

 private slots:
  void reportTypeStartsAsSelfWithObserverBoxesReadOnly() {
    PagesWizard& wizard = fresh();
    QCOMPARE(wizard.windowTitle(), QStringLiteral("ACV Page 2 of 24"));
    QVERIFY(wizard.type->selfButton()->isChecked());
    QVERIFY(wizard.type->observerNameBox()->isReadOnly());
    QVERIFY(wizard.type->contactBox()->isReadOnly());
    QVERIFY(!wizard.button(QWizard::BackButton)->isVisible());
  }

  void observerNameIsMandatoryButBlanksCount() {
    PagesWizard& wizard = fresh();
    wizard.type->observerButton()->click();
    QVERIFY(!wizard.type->observerNameBox()->isReadOnly());
    testing::Next(wizard);
    QCOMPARE(wizard.currentPage(), wizard.type);
    QCOMPARE(prompts_.shown.size(), 1);
    QCOMPARE(prompts_.shown[0].caption, QStringLiteral("Mandatory Field"));
    QCOMPARE(prompts_.shown[0].text,
             QStringLiteral("The observer name is mandatory for the 'ACV Observer-report'."));
    QCOMPARE(prompts_.shown[0].icon, Prompts::Icon::kStop);
    QCOMPARE(QApplication::focusWidget(), wizard.type->observerNameBox());

    QTest::keyClicks(wizard.type->observerNameBox(), QStringLiteral("  "));
    QTest::keyClicks(wizard.type->relationshipBox(), QStringLiteral("Sister"));
    QTest::keyClicks(wizard.type->contactBox(), QStringLiteral("12 Example Road"));
    QTest::keyClick(wizard.type->contactBox(), Qt::Key_Return);
    QTest::keyClicks(wizard.type->contactBox(), QStringLiteral("Town"));
    testing::Next(wizard);
    QCOMPARE(wizard.currentPage(), wizard.items);
    QCOMPARE(record_.ReportType(), kObserverReport);
    QCOMPARE(record_.Text(TextField::kObserverName), std::string_view("  "));
    QCOMPARE(record_.Text(TextField::kObserverRelationship), std::string_view("Sister"));
    QCOMPARE(record_.Text(TextField::kObserverContact),
             std::string_view("12 Example Road\r\nTown"));
  }

  void switchingToSelfEmptiesTheObserverDetails() {
    PagesWizard& wizard = fresh();
    wizard.type->observerButton()->click();
    QTest::keyClicks(wizard.type->observerNameBox(), QStringLiteral("Jo"));
    wizard.type->selfButton()->click();
    QVERIFY(wizard.type->observerNameBox()->text().isEmpty());
    QVERIFY(wizard.type->observerNameBox()->isReadOnly());
    wizard.type->observerButton()->click();
    QVERIFY(wizard.type->observerNameBox()->text().isEmpty());
    QVERIFY(!wizard.type->observerNameBox()->isReadOnly());
  }

  void blankItemsDialogKeepsOrLeavesThePage() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    Answer(*wizard.items, {0, 1, -1, 3, 4, 5, 0, 1, 2, 3});
    auto seen = std::make_shared<ModalSeen>();
    ClickInModal(QStringLiteral("Continue with the current page"), seen);
    testing::Next(wizard);
    QCOMPARE(seen->caption, QStringLiteral("Blank Items"));
    QCOMPARE(wizard.currentPage(), wizard.items);
    QCOMPARE(record_.StoredResponse(1), kResponseUnset);  // nothing of the page written
    QCOMPARE(wizard.items->row(1)->answer(), 1);

    ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    testing::Next(wizard);
    QCOMPARE(wizard.currentPage(), wizard.comments);
    QCOMPARE(record_.GetResponse(2), 1);
    QCOMPARE(record_.StoredResponse(3), kResponseBlank);
    QCOMPARE(record_.GetResponse(10), 3);
    QVERIFY(!wizard.run().blanks.noBlankWarning());
  }

  void hiddenDoNotWarnButtonSilencesTheCheckForTheRun() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    ClickInModal(QStringLiteral("Continue: Do not warn me again"));
    testing::Next(wizard);
    QCOMPARE(wizard.currentPage(), wizard.comments);
    QVERIFY(wizard.run().blanks.noBlankWarning());
    testing::Back(wizard);
    testing::Next(wizard);  // no dialog now: a dialog left open would block here
    QCOMPARE(wizard.currentPage(), wizard.comments);
  }

  void backKeepsAnswersWithoutTheDialogAndWordingFollowsTheType() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    const QString selfWording = wizard.items->row(0)->statement();
    QCOMPARE(selfWording, toQt(ItemBank::Self(1)));
    Answer(*wizard.items, {5, -1, -1, -1, -1, -1, -1, -1, -1, 2});
    testing::Back(wizard);  // blanks, yet no dialog
    QCOMPARE(wizard.currentPage(), wizard.type);
    QCOMPARE(record_.GetResponse(1), 5);
    QCOMPARE(record_.StoredResponse(2), kResponseBlank);

    wizard.type->observerButton()->click();
    QTest::keyClicks(wizard.type->observerNameBox(), QStringLiteral("Jo"));
    testing::Next(wizard);
    QCOMPARE(wizard.items->row(0)->statement(), toQt(ItemBank::Observer(1)));
    QCOMPARE(wizard.items->row(0)->answer(), 5);
    QCOMPARE(wizard.items->row(9)->answer(), 2);
    QCOMPARE(wizard.items->row(1)->answer(), -1);
  }

  void commentsAreKeptOnBackAndNext() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    testing::Next(wizard);
    QCOMPARE(wizard.windowTitle(), QStringLiteral("ACV Page 23 of 24"));
    QTest::keyClicks(wizard.comments->commentsBox(), QStringLiteral("Tired today."));
    testing::Back(wizard);
    QCOMPARE(record_.Text(TextField::kComments), std::string_view("Tired today."));
    ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    testing::Next(wizard);
    QCOMPARE(wizard.comments->commentsBox()->toPlainText(), QStringLiteral("Tired today."));
  }

  void cancelAsksAndNoKeepsEverything() {
    PagesWizard& wizard = fresh();
    wizard.type->observerButton()->click();
    QTest::keyClicks(wizard.type->observerNameBox(), QStringLiteral("Jo"));
    prompts_.answers.enqueue(false);
    wizard.button(QWizard::CancelButton)->click();
    prompts_.answers.enqueue(false);
    QTest::keyClick(&wizard, Qt::Key_Escape);
    prompts_.answers.enqueue(false);
    wizard.close();
    QCOMPARE(prompts_.asked.size(), 3);
    QCOMPARE(prompts_.asked[0].caption, QStringLiteral("Cancel Selected"));
    QCOMPARE(prompts_.asked[0].text,
             QStringLiteral("You have selected to Cancel.\n\nAre you sure you wish to cancel and "
                            "lose all data you have entered?"));
    QVERIFY(wizard.isVisible());
    QCOMPARE(wizard.type->observerNameBox()->text(), QStringLiteral("Jo"));

    prompts_.answers.enqueue(true);
    wizard.close();
    QVERIFY(!wizard.isVisible());
    QCOMPARE(wizard.result(), int(QDialog::Rejected));
  }

  void textBoxesTakeOnlyWhatARecordStores() {
    PagesWizard& wizard = fresh();
    wizard.type->observerButton()->click();
    QLineEdit* name = wizard.type->observerNameBox();
    Type(name, QString::fromUtf8("Zoë→€ Å") + QString(30, QLatin1Char('x')));
    QCOMPARE(name->text(), QString::fromUtf8("Zoë Å") + QString(15, QLatin1Char('x')));
    // The code-page hint shows over the box and is the page's description, not the box's.
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), name->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(name, &hover);
    QCOMPARE(QToolTip::text(), CodePageHint());
    QVERIFY(name->toolTip().isEmpty() && name->accessibleDescription().isEmpty());
    QTRY_COMPARE(wizard.type->accessibleDescription(), CodePageHint());

    // The contact box counts a line break as two bytes and never splits one.
    FieldTextEdit* contact = wizard.type->contactBox();
    QTest::keyClicks(contact, QString(58, QLatin1Char('a')));
    QTest::keyClick(contact, Qt::Key_Return);
    QCOMPARE(contact->storedText(), std::string(58, 'a') + "\r\n");
    QTest::keyClick(contact, Qt::Key_Return);
    QTest::keyClicks(contact, QStringLiteral("bc"));
    QCOMPARE(contact->storedText(), std::string(58, 'a') + "\r\n");
    contact->clear();
    Type(contact, QString::fromUtf8("a€b\u4e2dc"));
    QCOMPARE(contact->toPlainText(), QStringLiteral("abc"));
  }

  void itemRowsAnswerFromTheKeyboard() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    ItemPage& page = *wizard.items;
    QCOMPARE(QApplication::focusWidget(), page.row(0)->choice(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3);
    QCOMPARE(page.row(0)->answer(), 3);
    QCOMPARE(QApplication::focusWidget(), page.row(1)->choice(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), page.row(1)->choice(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(page.row(1)->answer(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), page.row(2)->choice(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), page.row(1)->choice(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(page.row(1)->answer(), -1);
    QCOMPARE(QApplication::focusWidget(), page.row(1)->choice(0));

    page.row(4)->choice(5)->click();
    page.row(4)->clearButton()->click();
    QCOMPARE(page.row(4)->answer(), -1);

    for (int row = 1; row < 10; ++row) {
      QTest::keyClick(page.row(row)->focusChoice(), Qt::Key_0 + row % 6);
    }
    QCOMPARE(QApplication::focusWidget(), wizard.button(QWizard::NextButton));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(wizard.currentPage(), wizard.comments);
    QCOMPARE(record_.GetResponse(10), 3);
  }

  void itemRowsNameThemselvesForScreenReaders() {
    PagesWizard& wizard = fresh();
    testing::Next(wizard);
    const ItemRow& row = *wizard.items->row(6);
    QCOMPARE(row.accessibleName(), QStringLiteral("Item 7 of 190: ") + toQt(ItemBank::Self(7)));
    QCOMPARE(row.choice(4)->accessibleName(), QStringLiteral("Item 7: Often"));
    QCOMPARE(row.clearButton()->accessibleName(), QStringLiteral("Clear item 7"));
    QCOMPARE(wizard.type->observerNameBox()->accessibleName(), QStringLiteral("Observer Name"));
  }
};

}  // namespace acv

QTEST_MAIN(acv::SharedPagesTest)
#include "shared_pages_test.moc"
