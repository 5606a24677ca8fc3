// Typing into the shared boxes without looking: a date as one run of digits, and a file to save
// chosen in a folder that is not there.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "support/fake_prompts.h"
#include "ui/date_boxes.h"
#include "ui/file_name_box.h"

using acv::DateBoxes;
using acv::FileNameBox;
using acv::testing::FakePrompts;

namespace {

// Types `keys` as a keyboard does: each key goes to the box that has the focus when it comes.
void TypeIntoFocus(const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
  }
}

}  // namespace

class TypedBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void aDateTypesAsOneRunOfDigits() {
    QWidget page;
    auto* birth = new DateBoxes(QStringLiteral("Date of Birth"), &page);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(birth);
    layout->addWidget(new QLineEdit(&page));
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    birth->setFocus();
    TypeIntoFocus(QStringLiteral("0703197"));
    QCOMPARE(birth->dayText(), "07");
    QCOMPARE(birth->monthText(), "03");
    QCOMPARE(QApplication::focusWidget(), birth->yearBox());
    TypeIntoFocus(QStringLiteral("56"));  // the year holds four digits; the sixth has no box
    QCOMPARE(birth->yearText(), "1975");
    QCOMPARE(QApplication::focusWidget(), birth->yearBox());

    // Digits typed on at the end of a full day go on into the month, which they replace.
    birth->dayBox()->setFocus();
    birth->dayBox()->end(false);
    TypeIntoFocus(QStringLiteral("12"));
    QCOMPARE(birth->dayText(), "07");
    QCOMPARE(birth->monthText(), "12");
    QCOMPARE(QApplication::focusWidget(), birth->yearBox());
    QCOMPARE(birth->yearBox()->selectedText(), QStringLiteral("1975"));
    // A box not yet full keeps the focus.
    birth->setDate(std::nullopt);
    birth->dayBox()->setFocus();
    TypeIntoFocus(QStringLiteral("7"));
    QCOMPARE(QApplication::focusWidget(), birth->dayBox());
  }

  // The typist's old habits give the date typed as one run: a Tab or "/" after a box that moved
  // on by itself is that move, and what follows the year never reaches the next field.
  void everyDateHabitGivesTheSameDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("one run") << QStringLiteral("20061970");
    QTest::newRow("tabs") << QStringLiteral("20\t06\t1970");
    QTest::newRow("slashes") << QStringLiteral("20/06/1970");
    QTest::newRow("short slashes") << QStringLiteral("20/6/1970");
  }
  void everyDateHabitGivesTheSameDate() {
    QFETCH(QString, typed);
    QWidget page;
    auto* birth = new DateBoxes(QStringLiteral("Date of Birth"), &page);
    auto* completion = new DateBoxes(QStringLiteral("Date of Completion"), &page);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(birth);
    layout->addWidget(completion);
    completion->setDate(acv::CalendarDate{2026, 12, 9});
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    birth->setFocus();
    TypeIntoFocus(typed + QStringLiteral("12"));
    QVERIFY(birth->date() == (acv::CalendarDate{1970, 6, 20}));
    QCOMPARE(QApplication::focusWidget(), birth->yearBox());
    QVERIFY(completion->date() == (acv::CalendarDate{2026, 12, 9}));
  }

  void aResponseFileIsSavedOnlyInAFolderThatExists() {
    QTemporaryDir folder;
    FakePrompts prompts;
    FileNameBox box(prompts, acv::kResponseFileKind, FileNameBox::Browse::kSave,
                    QStringLiteral("ACV data file"));
    box.setText(QStringLiteral("acv"));
    prompts.chosenFiles << folder.filePath(QStringLiteral("gone/acv_2026.cvr"))
                        << folder.filePath(QStringLiteral("acv_2026.cvr"));
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Incorrect File Name")});
    QVERIFY(prompts.shown.first().text.contains(folder.filePath(QStringLiteral("gone"))));
    QCOMPARE(prompts.shown.first().icon, acv::Prompts::Icon::kStop);
    QCOMPARE(box.text(), QStringLiteral("acv"));
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);
    QCOMPARE(box.text(), folder.filePath(QStringLiteral("acv_2026")));
    QCOMPARE(prompts.shown.size(), 1);
  }
};

QTEST_MAIN(TypedBoxesTest)
#include "typed_boxes_test.moc"
