// Every window and page from the keyboard: no shortcut letter used twice (the wizard's own
// buttons included), and every control named for assistive technology.
#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QWizard>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/paper_save_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "entry/save_page.h"
#include "entry/second_typing_page.h"
#include "entry/typing_differences_page.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "shell/export_dialog.h"
#include "storage/format/file_status.h"
#include "storage/records/record_edit.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/record_builder.h"
#include "support/sample_file.h"
#include "support/show_active.h"
#include "ui/date_boxes.h"
#include "ui/file_name_box.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::FakePrompts;

// A record every page lets pass, so that Next reaches any page.
ResponseRecord PassingRecord() {
  ResponseRecord record = testing::TestRecord(
      kSelfReport,
      {.first = "Ann", .last = "Lee", .birthDate = "19800101", .completed = FormatDate8(Today())});
  testing::AnswerEvery(record, [](int) { return 2; });
  return record;
}

// The shortcut letters of the visible labels and buttons of `window`, with their texts.
QMultiMap<QString, QString> Letters(QWidget& window) {
  QMultiMap<QString, QString> letters;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->buddy()) {
      text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      text = button->text();
    }
    const QString letter = QKeySequence::mnemonic(text).toString();
    if (!letter.isEmpty() && widget->isVisibleTo(&window)) {
      letters.insert(letter, text);
    }
  }
  return letters;
}

// Where `widget` stands in `window`.
QRect Place(const QWidget* widget, const QWidget& window) {
  return {widget->mapTo(&window, QPoint(0, 0)), widget->size()};
}

// True when `later` comes after `earlier` in reading order: further right on the same line, or
// on a line below.
bool ReadsAfter(const QWidget* earlier, const QWidget* later, const QWidget& window) {
  const QRect a = Place(earlier, window);
  const QRect b = Place(later, window);
  const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
  if (overlap > std::min(a.height(), b.height()) / 2) {
    return b.left() >= a.right();
  }
  return b.center().y() > a.center().y();
}

// The places Tab must stop in `area` (and at `buttons`): every visible, enabled control that
// takes Tab; the buttons of one exclusive choice are one stop, at any of them.
QList<QList<QWidget*>> TabStops(QWidget& area, const QList<QWidget*>& buttons) {
  QList<QList<QWidget*>> stops;
  QMap<const QObject*, qsizetype> choices;
  QList<QWidget*> widgets = area.findChildren<QWidget*>();
  widgets << buttons;
  for (QWidget* widget : widgets) {
    if (!widget->isVisible() || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus) ||
        widget->focusProxy() != nullptr) {
      continue;
    }
    const QObject* choice = nullptr;
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      choice =
          radio->group() != nullptr ? static_cast<const QObject*>(radio->group()) : radio->parent();
    }
    if (choice != nullptr && choices.contains(choice)) {
      stops[choices[choice]] << widget;
      continue;
    }
    if (choice != nullptr) {
      choices.insert(choice, stops.size());
    }
    stops.append({widget});
  }
  return stops;
}

QString Describe(const QWidget* widget) {
  QString name = widget->accessibleName();
  if (name.isEmpty()) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      name = button->text();
    }
  }
  return QStringLiteral("%1 %2 \"%3\"")
      .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(), name);
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  ResponseRecord record_ = PassingRecord();
  QString fileName_ = QStringLiteral("keyboard");
  Analysis analysis_;
  std::unique_ptr<testing::SampleFile> sample_;
  RecordEdit edit_;

  template <typename Sheet, typename... Extra>
  std::unique_ptr<QWidget> wizardAt(int page, bool chooseFile, Extra&... extra) {
    record_ = PassingRecord();
    auto sheet = std::make_unique<Sheet>(prompts_, record_, fileName_, extra..., nullptr);
    testing::ShowActive(sheet.get());
    while (sheet->currentId() < page) {
      sheet->next();
    }
    if (chooseFile) {
      static_cast<CAdultSheet*>(static_cast<QWizard*>(sheet.get()))
          ->savePage()
          ->setChooseFileMode(true);
    }
    return sheet;
  }
  // The Edit wizard at its first page, on the sample file's first record.
  std::unique_ptr<QWidget> editing() {
    sample_ = std::make_unique<testing::SampleFile>();
    if (RecordEdit::Open(sample_->fullName(), 0, &edit_) != FileStatus::kOk) {
      qFatal("the sample record cannot be opened for editing");
    }
    record_ = edit_.unedited;
    auto sheet = std::make_unique<CAdultEditSheet>(prompts_, record_, fileName_, edit_);
    testing::ShowActive(sheet.get());
    return sheet;
  }
  template <typename Dialog>
  std::unique_ptr<QWidget> dialog(std::unique_ptr<Dialog> made) {
    testing::ShowActive(made.get());
    return made;
  }

  // The paper wizard at its second typing, or at the differences of a second typing that got
  // item 7 and the date of birth wrong.
  std::unique_ptr<QWidget> verifying(int page) {
    std::unique_ptr<QWidget> shown =
        wizardAt<CAdultQSheet>(CAdultQSheet::kGridPage, false, analysis_);
    auto& sheet = static_cast<CAdultQSheet&>(*shown);
    sheet.gridPage()->verifyBox()->setChecked(true);
    sheet.next();
    if (page == CAdultQSheet::kDifferencesPage) {
      SecondTypingPage& second = *sheet.secondTypingPage();
      second.grid()->showResponses(record_);
      second.grid()->box(7)->setText(QStringLiteral("4"));
      second.birthBoxes()->setDate(CalendarDate{1980, 1, 2});
      sheet.next();
      // Resolved, so that Next takes its place after the last control.
      TypingDifferencesPage& differences = *sheet.differencesPage();
      differences.choices()[0]->setCurrentIndex(2);
      differences.birthBoxes()->setDate(CalendarDate{1980, 1, 1});
    }
    return shown;
  }

  // Window `window` of everyWindow_data, shown and active.
  std::unique_ptr<QWidget> open(int window) {
    const int onScreenPages = CAdultSheet::kSavePage + 1;
    if (window <= onScreenPages) {
      return wizardAt<CAdultSheet>(std::min(window, onScreenPages - 1), window == onScreenPages);
    }
    if (window == 100 + CAdultQSheet::kSecondTypingPage ||
        window == 100 + CAdultQSheet::kDifferencesPage) {
      return verifying(window - 100);
    }
    if (window < 200) {
      return wizardAt<CAdultQSheet>(window - 100, false, analysis_);
    }
    if (window == 200) {
      return dialog(std::make_unique<CAdultExport>(prompts_, fileName_, fileName_, nullptr));
    }
    if (window == 201) {
      return dialog(std::make_unique<CAdultEdit>(prompts_, fileName_, EditLayout::kOnScreen));
    }
    if (window == 203) {
      return editing();
    }
    return dialog(std::make_unique<CAdultAn>(prompts_, fileName_));
  }

 private slots:
  void everyWindow_data() {
    QTest::addColumn<int>("window");
    const int onScreenPages = CAdultSheet::kSavePage + 1;
    for (int page = 0; page < onScreenPages; ++page) {
      QTest::addRow("on screen page %d", page + 1) << page;
    }
    QTest::addRow("on screen page 24 choosing a file") << onScreenPages;
    for (int page = 0; page <= CAdultQSheet::kDifferencesPage; ++page) {
      QTest::addRow("paper page %d", page + 1) << 100 + page;
    }
    QTest::addRow("export dialog") << 200;
    QTest::addRow("edit dialog") << 201;
    QTest::addRow("analysis dialog") << 202;
    QTest::addRow("edit wizard page 1") << 203;
  }

  void everyWindow() {
    QFETCH(int, window);
    std::unique_ptr<QWidget> shown = open(window);
    const QMultiMap<QString, QString> letters = Letters(*shown);
    for (const QString& letter : letters.uniqueKeys()) {
      QVERIFY2(letters.count(letter) == 1,
               qPrintable(letter + QLatin1String(": ") +
                          QStringList(letters.values(letter)).join(QLatin1String(" | "))));
    }
    // A wizard's pages not shown yet hold no items to name.
    auto* wizard = qobject_cast<QWizard*>(shown.get());
    QCOMPARE(testing::Unnamed(wizard != nullptr ? *wizard->currentPage() : *shown), QStringList());
  }

  // From the control that has the focus when the window opens, Tab visits every control in the
  // order of the layout (the grid in item order), then a wizard's Next or Finish, and comes
  // back without being caught in a loop.
  void tabVisitsEveryControlInLayoutOrder_data() {
    QTest::addColumn<int>("window");
    // The item pages are one class: the first stands for all.
    for (const int page :
         {CAdultSheet::kFilePage, CAdultSheet::kReportTypePage, CAdultSheet::kDetailsPage,
          CAdultSheet::kFirstItemPage, CAdultSheet::kCommentsPage, CAdultSheet::kSavePage}) {
      QTest::addRow("on screen page %d", page + 1) << page;
    }
    QTest::addRow("on screen page 24 choosing a file") << CAdultSheet::kSavePage + 1;
    for (int page = 0; page <= CAdultQSheet::kDifferencesPage; ++page) {
      QTest::addRow("paper page %d", page + 1) << 100 + page;
    }
    QTest::addRow("export dialog") << 200;
    QTest::addRow("edit dialog") << 201;
    QTest::addRow("analysis dialog") << 202;
    QTest::addRow("edit wizard page 1") << 203;
    QTest::addRow("on screen page 2 for an observer") << 300;
    QTest::addRow("paper page 1 for an observer") << 301;
  }
  void tabVisitsEveryControlInLayoutOrder() {
    QFETCH(int, window);
    std::unique_ptr<QWidget> shown = window == 300   ? open(CAdultSheet::kReportTypePage)
                                     : window == 301 ? open(100 + CAdultQSheet::kReportTypePage)
                                                     : open(window);
    auto* wizard = qobject_cast<QWizard*>(shown.get());
    if (window >= 300) {
      auto* observer = shown->findChild<QRadioButton*>(QStringLiteral("observerReport"));
      QTest::mouseClick(observer, Qt::LeftButton);
      QCOMPARE(QApplication::focusWidget(), observer);
    }
    QList<QWidget*> buttons;
    if (wizard != nullptr) {
      for (auto which : {QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton,
                         QWizard::CancelButton}) {
        buttons << wizard->button(which);
      }
    }
    QWidget& area = wizard != nullptr ? *wizard->currentPage() : *shown;
    const QList<QList<QWidget*>> stops = TabStops(area, buttons);
    QWidget* start = QApplication::focusWidget();
    QVERIFY(start != nullptr);
    QList<QWidget*> visited{start};
    for (qsizetype step = 0; step <= stops.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* now = QApplication::focusWidget();
      if (now == start) {
        break;
      }
      QVERIFY2(!visited.contains(now),
               qPrintable(QStringLiteral("caught in a loop at ") + Describe(now)));
      visited << now;
    }
    QVERIFY2(QApplication::focusWidget() == start, "Tab never came back");
    for (const QList<QWidget*>& stop : stops) {
      const bool reached = std::any_of(stop.begin(), stop.end(),
                                       [&](QWidget* widget) { return visited.contains(widget); });
      QVERIFY2(reached, qPrintable(QStringLiteral("never reached ") + Describe(stop.first())));
    }
    QCOMPARE(visited.size(), stops.size());
    if (auto* type = qobject_cast<ReportTypePage*>(&area)) {
      // A Self-report has no observer: Tab passes the emptied boxes by.
      QCOMPARE(visited.contains(type->observerNameBox()), type->observerButton()->isChecked());
    }
    const bool grid =
        window == 100 + CAdultQSheet::kGridPage || window == 100 + CAdultQSheet::kSecondTypingPage;
    QWidget* previous = nullptr;
    for (QWidget* widget : visited) {
      if (buttons.contains(widget)) {
        // Enter after the last control goes on, never back.
        QVERIFY2(previous == nullptr || buttons.contains(previous) ||
                     widget == wizard->button(wizard->currentPage()->isFinalPage()
                                                  ? QWizard::FinishButton
                                                  : QWizard::NextButton),
                 qPrintable(Describe(widget)));
      } else if (previous != nullptr && !grid) {
        QVERIFY2(ReadsAfter(previous, widget, *shown),
                 qPrintable(Describe(widget) + QStringLiteral(" after ") + Describe(previous)));
      }
      previous = widget;
    }
  }

  // A choice box of the differences keeps its item and statement in its name for a screen
  // reader, the value chosen after them (Qt would name it by the value alone); a refused date of
  // birth gets the focus back selected, so that the digits typed next replace it.
  void theDifferencesPageNamesItsChoicesAndSelectsARefusedDate() {
    std::unique_ptr<QWidget> shown = open(100 + CAdultQSheet::kDifferencesPage);
    auto& sheet = static_cast<CAdultQSheet&>(*shown);
    TypingDifferencesPage& differences = *sheet.differencesPage();
    QComboBox* choice = differences.choices()[0];
    QCOMPARE(QAccessible::queryAccessibleInterface(choice)->text(QAccessible::Name),
             QStringLiteral("Item 7 on the paper: %1, 2").arg(toQt(record_.GetItemText(7))));
    differences.birthBoxes()->setDate(CalendarDate{2020, 1, 1});  // too young
    sheet.next();
    QCOMPARE(sheet.currentPage(), &differences);
    QCOMPARE(QApplication::focusWidget(), differences.birthBoxes()->dayBox());
    QTest::keyClick(QApplication::focusWidget(), '0');
    QCOMPARE(differences.birthBoxes()->dayText(), "0");
  }

  // A choice's letter changes it before the next key is read, with the focus on it: the keys
  // typed after it find the page it makes.
  void aChoicesLetterTakesEffectAtOnce_data() { everyWindow_data(); }
  void aChoicesLetterTakesEffectAtOnce() {
    QFETCH(int, window);
    std::unique_ptr<QWidget> shown = open(window);
    for (QAbstractButton* choice : shown->findChildren<QAbstractButton*>()) {
      const QKeySequence letter = QKeySequence::mnemonic(choice->text());
      const bool radio = qobject_cast<QRadioButton*>(choice) != nullptr;
      if ((!radio && qobject_cast<QCheckBox*>(choice) == nullptr) || letter.isEmpty() ||
          !choice->isVisible() || !choice->isEnabled() || (radio && choice->isChecked())) {
        continue;
      }
      const bool before = choice->isChecked();
      QTest::keySequence(QApplication::focusWidget(), letter);
      QVERIFY2(choice->isChecked() != before, qPrintable(choice->text()));
      QCOMPARE(QApplication::focusWidget(), choice);
    }
  }

  // "Alt+O, Tab, Kim Lee" typed at 20 ms a key: the name goes into the observer box.
  void aBurstAfterALetterFindsItsPage() {
    auto shown = wizardAt<CAdultSheet>(CAdultSheet::kReportTypePage, false);
    ReportTypePage& page = *static_cast<CAdultSheet&>(*shown).reportTypePage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier, 20);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, 20);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kim Lee"), Qt::NoModifier, 20);
    QVERIFY(page.observerButton()->isChecked());
    QCOMPARE(page.observerNameBox()->text(), QStringLiteral("Kim Lee"));
  }

  // Enter on a push button that has the focus presses it, never the window's Finish.
  void enterPressesTheFocusedButton() {
    auto shown = wizardAt<CAdultQSheet>(CAdultQSheet::kSavePage, false, analysis_);
    auto& sheet = static_cast<CAdultQSheet&>(*shown);
    QPushButton* browse = sheet.savePage()->fileBox()->browseButton();
    browse->setFocus(Qt::TabFocusReason);
    prompts_.chosenFiles.enqueue(QString());  // the file dialog, cancelled
    const qsizetype dialogs = prompts_.fileDialogCaptions.size();
    QTest::keyClick(browse, Qt::Key_Return);
    QCOMPARE(prompts_.fileDialogCaptions.size(), dialogs + 1);
    QVERIFY(shown->isVisible());
    QCOMPARE(sheet.currentId(), static_cast<int>(CAdultQSheet::kSavePage));
  }

  // An Alt chord presses the control of its letter, or does nothing; it never types.
  void altChordsNeverType() {
    auto shown = wizardAt<CAdultSheet>(CAdultSheet::kCommentsPage, false);
    auto& sheet = static_cast<CAdultSheet&>(*shown);
    QPlainTextEdit* comments = sheet.commentsPage()->findChild<QPlainTextEdit*>();
    comments->setFocus();
    QTest::keyClick(comments, Qt::Key_B, Qt::AltModifier);
    // A button pressed by its letter clicks a moment later.
    QTRY_COMPARE(sheet.currentId(), CAdultSheet::kCommentsPage - 1);
    QCOMPARE(comments->toPlainText(), QString());
    auto details = wizardAt<CAdultSheet>(CAdultSheet::kDetailsPage, false);
    QLineEdit* street = details->findChild<QLineEdit*>(QStringLiteral("streetAddress"));
    street->setFocus();
    QTest::keyClick(street, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(street->text(), QString());
  }

  // A paper copy verified from the keyboard alone, no key but the paper's own: the second
  // grid runs on into its date of birth and from there to Next; on the differences the date
  // runs on into the first row, each value chosen into the next row (in sight), the last to
  // Next. Counted, so that no key is ever added.
  void aSecondTypingRunsOnFromKeyToKey() {
    std::unique_ptr<QWidget> shown =
        wizardAt<CAdultQSheet>(CAdultQSheet::kGridPage, false, analysis_);
    auto& sheet = static_cast<CAdultQSheet&>(*shown);
    int keys = 0;
    const auto type = [&keys](const QString& text) {
      for (const QChar key : text) {
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
        ++keys;
      }
    };
    const auto press = [&keys](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
      ++keys;
    };
    press(Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(sheet.gridPage()->verifyBox()->isChecked());
    press(Qt::Key_Return);
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kSecondTypingPage));
    // 70 items typed wrong (3 against the first typing's 2), the date of birth a day out.
    QString second(kItemCount, u'2');
    for (int item = 1; item <= 70; ++item) {
      second[item - 1] = u'3';
    }
    type(second);
    QCOMPARE(QApplication::focusWidget(), sheet.secondTypingPage()->birthBoxes()->dayBox());
    type(QStringLiteral("02011980"));
    QCOMPARE(sheet.secondTypingPage()->birthBoxes()->date(),
             std::optional(CalendarDate{1980, 1, 2}));
    QCOMPARE(QApplication::focusWidget(), sheet.button(QWizard::NextButton));
    press(Qt::Key_Return);
    TypingDifferencesPage& differences = *sheet.differencesPage();
    QCOMPARE(sheet.currentPage(), &differences);
    QCOMPARE(QApplication::focusWidget(), differences.birthBoxes()->dayBox());
    type(QStringLiteral("01011980"));
    QCOMPARE(QApplication::focusWidget(), differences.choices()[0]);
    auto* scroll = differences.findChild<QScrollArea*>();
    for (int row = 0; row < 70; ++row) {
      type(QStringLiteral("2"));
      QWidget* now = QApplication::focusWidget();
      if (row + 1 < 70) {
        QCOMPARE(now, differences.choices()[row + 1]);
        // In sight: the row with the focus lies within the scrolled view.
        const QRect place(now->mapTo(scroll->viewport(), QPoint(0, 0)), now->size());
        QVERIFY2(scroll->viewport()->rect().contains(place), qPrintable(QString::number(row)));
      }
    }
    QCOMPARE(QApplication::focusWidget(), sheet.button(QWizard::NextButton));
    press(Qt::Key_Return);
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kCommentsPage));
    QCOMPARE(record_.GetVerification(), std::optional(Verification{false, 71}));
    // Once typed: the 190 digits. Verified: Alt+V and Next, the 190 digits and the 8 of the
    // date again, Next, one key per difference and 8 for the date, Next.
    QCOMPARE(keys, 2 + kItemCount + 8 + 1 + 70 + 8 + 1);
  }

  // Enter moves on under every desktop: Next, or the blank-items box; it never ticks a choice.
  void enterMovesOn() {
    if (qgetenv("QT_QPA_PLATFORMTHEME") == "gnome") {
      // The desktop's own theme is in force: it marks its standard buttons' letters.
      QDialogButtonBox box(QDialogButtonBox::Cancel);
      QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
    }
    auto shown = wizardAt<CAdultSheet>(CAdultSheet::kReportTypePage, false);
    auto& sheet = static_cast<CAdultSheet&>(*shown);
    QRadioButton* self = sheet.reportTypePage()->selfButton();
    QCOMPARE(QApplication::focusWidget(), self);
    QTest::keyClick(self, Qt::Key_Return);
    QCOMPARE(sheet.currentId(), static_cast<int>(CAdultSheet::kDetailsPage));
    for (int item = 1; item <= 10; ++item) {
      record_.SetResponse(item, -1);
    }
    sheet.next();
    ItemRow* first = sheet.itemPage(0)->findChild<ItemRow*>(QStringLiteral("row0"));
    QCOMPARE(QApplication::focusWidget(), first->focusChoice());
    auto seen = std::make_shared<testing::ModalSeen>();
    testing::ClickInModal(QStringLiteral("Continue with the current page"), seen);
    QTest::keyClick(first->focusChoice(), Qt::Key_Enter);
    QCOMPARE(seen->caption, QStringLiteral("Blank Items"));
    QCOMPARE(first->answer(), -1);
    QCOMPARE(sheet.currentId(), static_cast<int>(CAdultSheet::kFirstItemPage));
  }
};

}  // namespace acv

QTEST_MAIN(acv::KeyboardTest)
#include "keyboard_test.moc"
