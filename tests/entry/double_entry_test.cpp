// A paper copy typed twice: the second typing is blind, every difference (a blank against a
// digit included) is resolved from the keyboard against the paper, and the record is marked
// verified; an edit that is not verified again loses the mark.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "entry/adult_q_sheet.h"
#include "entry/paper_save_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "entry/second_typing_page.h"
#include "entry/typing_differences_page.h"
#include "storage/records/record_edit.h"
#include "storage/records/record_store.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/record_builder.h"
#include "support/sample_file.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"
#include "ui/file_name_box.h"
#include "ui/text.h"

namespace acv {
namespace {

// Each key to the widget with the focus, as a typist does without looking at the screen.
void TypeAhead(const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClicks(QApplication::focusWidget(), QString(key));
  }
}

// The first typing of item `item`.
QChar Digit(int item) {
  return QChar(u'0' + item % 6);
}

QString FirstTyping() {
  QString keys;
  for (int item = 1; item <= kItemCount; ++item) {
    keys += Digit(item);
  }
  return keys;
}

bool HasLabel(QWidget& page, const QString& text) {
  for (const QLabel* label : page.findChildren<QLabel*>()) {
    if (label->text() == text) {
      return true;
    }
  }
  return false;
}

}  // namespace

class DoubleEntryTest : public QObject {
  Q_OBJECT

 private:
  testing::FakePrompts prompts_;
  Analysis analysis_;
  ResponseRecord record_;
  QString fileName_;
  std::unique_ptr<CAdultQSheet> sheet_;

  // The paper wizard on `record`, shown at the grid with the first typing done and "Verify by
  // typing the responses again" ticked by its shortcut, then Next.
  CAdultQSheet& typeOnce(std::optional<RecordEdit> edit = std::nullopt) {
    prompts_ = testing::FakePrompts();
    if (!edit) {
      record_ = testing::TestRecord(kSelfReport, {.first = "Ann",
                                                  .last = "Lee",
                                                  .birthDate = "19800307",
                                                  .completed = FormatDate8(Today())});
      record_.SetEntryMethod(kEnteredFromPaper);
    }
    sheet_ = std::make_unique<CAdultQSheet>(prompts_, record_, fileName_, analysis_,
                                            std::move(edit), nullptr);
    testing::ShowActive(sheet_.get());
    testing::Next(*sheet_, CAdultQSheet::kGridPage);
    if (!sheet_->run().saver.editing()) {
      TypeAhead(FirstTyping());
    }
    QTest::keyClick(sheet_.get(), Qt::Key_V, Qt::AltModifier);
    // A box ticked by its letter clicks a moment later.
    QCheckBox* verify = sheet_->gridPage()->verifyBox();
    if (!QTest::qWaitFor([verify] { return verify->isChecked(); })) {
      qWarning("Alt+V did not tick the box");
    }
    testing::Next(*sheet_);
    return *sheet_;
  }

 private slots:
  void threeDifferencesAndTheBirthDateAreCaughtAndResolved() {
    CAdultQSheet& sheet = typeOnce();
    SecondTypingPage& second = *sheet.secondTypingPage();
    QCOMPARE(sheet.currentPage(), &second);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("ACV Page 3 of 5"));
    // Blind: nothing of the first typing shows, and typing starts at item 1.
    QCOMPARE(QApplication::focusWidget(), second.grid()->box(1));
    QVERIFY(second.grid()->box(2)->text().isEmpty());
    QString keys = FirstTyping();
    keys[5 - 1] = u'0';    // 5 % 6 is 5
    keys[77 - 1] = u' ';   // a blank against a digit
    keys[190 - 1] = u'1';  // 190 % 6 is 4
    TypeAhead(keys);
    QCOMPARE(QApplication::focusWidget(), second.birthBoxes()->dayBox());
    TypeAhead(QStringLiteral("03071980"));
    QCOMPARE(QApplication::focusWidget(), sheet.button(QWizard::NextButton));
    testing::ClickInModal(QStringLiteral("Leave blank and go to the next page"));  // item 77
    testing::Next(sheet);
    testing::ShowActive(&sheet);  // active again after the box

    TypingDifferencesPage& differences = *sheet.differencesPage();
    // Each visit of the differences, the first and again after Back from the comments, finds
    // the same four and resolves them from the keyboard.
    for (int visit = 0; visit < 2; ++visit) {
      QCOMPARE(sheet.currentPage(), &differences);
      QCOMPARE(differences.choices().size(), size_t(3));
      QVERIFY(differences.birthBoxes() != nullptr);
      QVERIFY(HasLabel(differences, toQt(record_.GetItemText(77))));
      // Blind: neither typing's value shows before the paper's is chosen.
      QVERIFY(!HasLabel(differences, QStringLiteral("blank")));
      QVERIFY(!HasLabel(differences, QStringLiteral("03/07/1980")));
      QVERIFY(!HasLabel(differences, QStringLiteral("07/03/1980")));
      // No default: Next waits for every row.
      QVERIFY(!sheet.button(QWizard::NextButton)->isEnabled());
      QCOMPARE(QApplication::focusWidget(), differences.birthBoxes()->dayBox());
      TypeAhead(QStringLiteral("07031980"));  // the date typed, on to the first row
      QCOMPARE(QApplication::focusWidget(), differences.choices()[0]);
      TypeAhead(QStringLiteral("4b"));  // each choice moves on to the next row
      QVERIFY(!sheet.button(QWizard::NextButton)->isEnabled());
      TypeAhead(QStringLiteral("2"));
      QCOMPARE(QApplication::focusWidget(), sheet.button(QWizard::NextButton));
      // Resolved, each row says which typing the paper agrees with.
      QVERIFY(HasLabel(differences, QStringLiteral("the first typing")));   // the date
      QVERIFY(HasLabel(differences, QStringLiteral("the second typing")));  // item 77
      QVERIFY(HasLabel(differences, QStringLiteral("neither typing")));
      testing::Next(sheet);

      QCOMPARE(sheet.currentId(), int(CAdultQSheet::kCommentsPage));
      QCOMPARE(record_.GetResponse(5), 4);
      QCOMPARE(record_.GetResponse(77), -1);
      QCOMPARE(record_.GetResponse(190), 2);
      QCOMPARE(record_.GetResponse(6), 0);
      QCOMPARE(record_.Text(TextField::kBirthDate), std::string_view("19800307"));
      QCOMPARE(record_.GetVerification(), std::optional(Verification{false, 4}));
      QVERIFY(prompts_.shown.isEmpty());  // never "Both Typings Agree"
      // Back to the second typing keeps it as typed; Next compares it with the first again.
      testing::Back(sheet, 2);
      QCOMPARE(sheet.currentPage(), &second);
      QCOMPARE(second.grid()->box(5)->text(), QStringLiteral("0"));
      testing::ClickInModal(QStringLiteral("Leave blank and go to the next page"));
      testing::Next(sheet);
      testing::ShowActive(&sheet);
    }
    // Back from a second typing asks before dropping it; No, the default, stays.
    testing::Back(sheet, 2);
    QCOMPARE(sheet.currentPage(), &second);
    QCOMPARE(prompts_.asked.size(), 1);
    QCOMPARE(prompts_.asked[0].caption, QStringLiteral("Leave the Second Typing?"));
    QVERIFY(!prompts_.asked[0].acceptIsDefault);
    QCOMPARE(second.grid()->box(5)->text(), QStringLiteral("0"));
    prompts_.answers.enqueue(true);
    testing::Back(sheet);
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kGridPage));
  }

  // An empty or careless second typing cannot be waved through: the grid's blank-items question
  // comes first, and the differences, every item of them, must then be read off the paper.
  void anEmptySecondTypingIsAskedAboutAndResolvedBlind() {
    CAdultQSheet& sheet = typeOnce();
    auto seen = std::make_shared<testing::ModalSeen>();
    testing::ClickInModal(QStringLiteral("Continue with the current page"), seen);
    testing::Next(sheet);
    QCOMPARE(seen->caption, QStringLiteral("Blank Items"));
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kSecondTypingPage));
    testing::ShowActive(&sheet);
    QCOMPARE(QApplication::focusWidget(), sheet.secondTypingPage()->grid()->box(1));
    testing::ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    testing::Next(sheet);
    TypingDifferencesPage& differences = *sheet.differencesPage();
    QCOMPARE(sheet.currentPage(), &differences);
    QCOMPARE(differences.choices().size(), size_t(kItemCount));
    QVERIFY(differences.birthBoxes() != nullptr);
    for (const char* shown : {"blank", "0", "07/03/1980", "the first typing", "neither typing"}) {
      QVERIFY2(!HasLabel(differences, QString::fromLatin1(shown)), shown);
    }
    QVERIFY(!sheet.button(QWizard::NextButton)->isEnabled());
  }

  void agreeingTypingsAskNothingAndMarkTheRecord() {
    CAdultQSheet& sheet = typeOnce();
    TypeAhead(FirstTyping());
    sheet.secondTypingPage()->birthBoxes()->setDate(CalendarDate{1980, 3, 7});
    QTest::keyClick(&sheet, Qt::Key_A, Qt::AltModifier);  // by another person
    QTRY_VERIFY(sheet.secondTypingPage()->anotherPersonBox()->isChecked());
    testing::Next(sheet);
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Both Typings Agree")});
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kCommentsPage));
    QCOMPARE(record_.GetVerification(), std::optional(Verification{true, 0}));
    // A response changed in the grid afterwards is no longer verified.
    prompts_.answers.enqueue(true);  // "Leave the Second Typing?"
    testing::Back(sheet, 2);
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kGridPage));
    sheet.gridPage()->verifyBox()->setChecked(false);
    sheet.gridPage()->grid()->box(9)->setText(QStringLiteral("5"));
    testing::Next(sheet);
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kCommentsPage));
    QCOMPARE(record_.GetVerification(), std::nullopt);
  }

  void requiredDoubleEntryRefusesAnUnverifiedSave() {
    prompts_ = testing::FakePrompts();
    testing::SampleFile sample;
    fileName_ = sample.stem();
    record_ = testing::TestRecord(kSelfReport, {.first = "Ann",
                                                .last = "Lee",
                                                .birthDate = "19800307",
                                                .completed = FormatDate8(Today())});
    testing::AnswerEvery(record_, [](int) { return 1; });
    sheet_ = std::make_unique<CAdultQSheet>(prompts_, record_, fileName_, analysis_);
    testing::ShowActive(sheet_.get());
    // A run that reaches the last page unverified, as a draft from before the setting can.
    testing::Next(*sheet_, CAdultQSheet::kSavePage);
    QCOMPARE(sheet_->currentId(), int(CAdultQSheet::kSavePage));
    sheet_->requireVerification();
    testing::Finish(*sheet_);
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Double Entry Required")});
    QCOMPARE(sheet_->currentId(), int(CAdultQSheet::kSavePage));
    ResponseRecord stored;
    QCOMPARE(ReadRecord(sample.fullName(), 8, &stored), FileStatus::kIndexBeyondEnd);
    // The grid's box is then ticked for good, and Next goes to the second typing.
    testing::Back(*sheet_, 2);
    QVERIFY(sheet_->gridPage()->verifyBox()->isChecked());
    QVERIFY(!sheet_->gridPage()->verifyBox()->isEnabled());
    testing::Next(*sheet_);
    QCOMPARE(sheet_->currentId(), int(CAdultQSheet::kSecondTypingPage));
  }

  void anEditKeepsTheMarkOnlyWhenVerifiedAgain() {
    testing::SampleFile sample;
    fileName_ = sample.stem();
    RecordEdit edit;
    QCOMPARE(RecordEdit::Open(sample.fullName(), 0, &edit), FileStatus::kOk);
    record_ = edit.unedited;
    CAdultQSheet& sheet = typeOnce(edit);
    // The grid shows the stored responses; the second typing types them again, one differing.
    QString keys;
    for (int item = 1; item <= kItemCount; ++item) {
      keys += QChar(record_.GetResponseChar(item));
    }
    const QChar stored5 = keys[4];
    keys[4] = stored5 == u'3' ? u'4' : u'3';
    TypeAhead(keys);
    sheet.secondTypingPage()->birthBoxes()->setDate(record_.BirthDate());
    if (keys.contains(u' ')) {
      testing::ClickInModal(QStringLiteral("Leave blank and go to the next page"));
    }
    testing::Next(sheet);
    QCOMPARE(sheet.differencesPage()->choices().size(), size_t(1));
    TypeAhead(QString(stored5 == u' ' ? u'b' : stored5));
    testing::Next(sheet, 2);
    testing::Finish(sheet);
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Save Was Successful")});
    ResponseRecord saved;
    QCOMPARE(ReadRecord(sample.fullName(), 0, &saved), FileStatus::kOk);
    QCOMPARE(saved.GetVerification(), std::optional(Verification{false, 1}));

    // Edited again, the verified record starts with Verify ticked, and only the answers
    // changed are typed again: a verified edit keeps the mark, its count grown.
    const auto editAgain = [&]() -> ResponseGridPage* {
      if (RecordEdit::Open(sample.fullName(), 0, &edit) != FileStatus::kOk) {
        return nullptr;
      }
      record_ = edit.unedited;
      prompts_ = testing::FakePrompts();
      sheet_ =
          std::make_unique<CAdultQSheet>(prompts_, record_, fileName_, analysis_, edit, nullptr);
      testing::ShowActive(sheet_.get());
      testing::Next(*sheet_, CAdultQSheet::kGridPage);
      return sheet_->gridPage();
    };
    ResponseGridPage* grid = editAgain();
    QVERIFY(grid != nullptr);
    QVERIFY(grid->verifyBox()->isChecked());
    const int new5 = (record_.GetResponse(5) + 1) % 6;  // a blank becomes 0
    const int stored9 = record_.GetResponse(9);
    grid->grid()->box(5)->setText(QString::number(new5));
    grid->grid()->box(9)->setText(QString::number((stored9 + 1) % 6));
    testing::Next(*sheet_);
    SecondTypingPage& again = *sheet_->secondTypingPage();
    QCOMPARE(sheet_->currentPage(), &again);
    QCOMPARE(QApplication::focusWidget(), again.grid()->box(5));
    QVERIFY(!again.grid()->box(1)->isEnabled());
    QVERIFY(!again.birthBoxes()->isEnabled());
    TypeAhead(QString::number(new5) + QString::number((stored9 + 2) % 6));  // item 9 wrong
    QCOMPARE(QApplication::focusWidget(), sheet_->button(QWizard::NextButton));
    testing::Next(*sheet_);
    QCOMPARE(sheet_->differencesPage()->choices().size(), size_t(1));
    TypeAhead(QString::number((stored9 + 1) % 6));
    testing::Next(*sheet_, 2);
    testing::Finish(*sheet_);
    QCOMPARE(ReadRecord(sample.fullName(), 0, &saved), FileStatus::kOk);
    QCOMPARE(saved.GetVerification(), std::optional(Verification{false, 2}));
    QCOMPARE(saved.GetResponse(9), (stored9 + 1) % 6);

    // Untick it and change a response: the mark goes, but not without saying so first.
    grid = editAgain();
    QVERIFY(grid != nullptr);
    grid->verifyBox()->setChecked(false);
    grid->grid()->box(5)->setText(QStringLiteral("1"));
    prompts_.answers.enqueue(false);  // "Save Unverified"
    testing::Next(*sheet_);
    QCOMPARE(prompts_.asked.size(), 1);
    QCOMPARE(prompts_.asked[0].caption, QStringLiteral("Verified Record Changed"));
    QVERIFY(prompts_.asked[0].acceptIsDefault);
    QCOMPARE(sheet_->currentId(), int(CAdultQSheet::kCommentsPage));
    testing::Next(*sheet_);
    testing::Finish(*sheet_);
    QCOMPARE(ReadRecord(sample.fullName(), 0, &saved), FileStatus::kOk);
    QCOMPARE(saved.GetVerification(), std::nullopt);
  }
};

}  // namespace acv

QTEST_MAIN(acv::DoubleEntryTest)
#include "double_entry_test.moc"
