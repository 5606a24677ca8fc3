// The widgets the dialogs and wizards share: the Day/Month/Year boxes and the file-name box with
// its fixed suffix and Browse, driven from the keyboard and the mouse.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "support/fake_prompts.h"
#include "ui/date_boxes.h"
#include "ui/file_name_box.h"

using acv::CalendarDate;
using acv::DateBoxes;
using acv::FileNameBox;
using acv::testing::FakePrompts;

class SharedWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void dateBoxesTidyOnLeavingAndGiveTheDate() {
    QWidget page;
    auto* birth = new DateBoxes(QStringLiteral("Date of Birth"), &page);
    auto* after = new QLineEdit(&page);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(birth);
    layout->addWidget(after);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QSignalSpy left(birth, &DateBoxes::boxLeft);

    birth->setFocus();
    QCOMPARE(QApplication::focusWidget(), birth->dayBox());
    QTest::keyClicks(birth->dayBox(), QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(birth->firstEmptyBox(), birth->yearBox());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1975"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after);
    QCOMPARE(left.count(), 3);
    QCOMPARE(birth->dayText(), "07");
    QCOMPARE(birth->monthText(), "03");
    QVERIFY(birth->date() == (CalendarDate{1975, 3, 7}));
    QCOMPARE(birth->dayBox()->accessibleName(), QStringLiteral("Date of Birth day"));

    birth->setDate(CalendarDate{2004, 2, 29});
    QCOMPARE(birth->yearBox()->text(), QStringLiteral("2004"));
    QVERIFY(birth->date().has_value());
    birth->yearBox()->setText(QStringLiteral("2001"));  // no 29 February in 2001
    QVERIFY(!birth->date().has_value());
    birth->dayBox()->setText(QStringLiteral("45"));
    birth->normalise();
    QCOMPARE(birth->firstEmptyBox(), birth->dayBox());
    birth->setDate(std::nullopt);
    QCOMPARE(birth->monthBox()->text(), QString());
  }

  void fileNameBoxShowsItsSuffixAndBrowsesForItsKind() {
    FakePrompts prompts;
    FileNameBox box(prompts, acv::kCsvFileKind, FileNameBox::Browse::kSave,
                    QStringLiteral("Export File"));
    QCOMPARE(box.suffixLabel()->text(), QStringLiteral(".csv"));
    QCOMPARE(box.browseButton()->accessibleName(), QStringLiteral("Export File: Browse"));
    box.setText(QStringLiteral("/srv/exports/day1"));
    prompts.chosenFiles << QStringLiteral("/srv/exports/day2.csv")
                        << QStringLiteral("/srv/exports/day2.cvr") << QString();
    QSignalSpy browsed(&box, &FileNameBox::browsed);
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.fileDialogCaptions.first(), QStringLiteral("Save As"));
    QCOMPARE(prompts.fileDialogStarts.first(), QStringLiteral("/srv/exports/day1.csv"));
    QCOMPARE(prompts.fileDialogFilters.first(),
             QStringLiteral("Comma Separated Variable Files (*.csv)"));
    QCOMPARE(box.text(), QStringLiteral("/srv/exports/day2"));
    QCOMPARE(browsed.count(), 1);
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);  // another kind of file
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Incorrect File Name")});
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must enter a CSV filename (*.csv).  For example:  "
                            "c:/export_files/export_ACV_2005.csv"));
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);  // cancelled
    QCOMPARE(box.text(), QStringLiteral("/srv/exports/day2"));
    QCOMPARE(browsed.count(), 1);

    // A page that must keep its name stops Browse before any dialog opens.
    box.setBrowseGuard([] { return false; });
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.fileDialogStarts.size(), 3);
  }

  void fileNamesGoToTheFileLayerInTheFileSystemsEncoding() {
    FakePrompts prompts;
    FileNameBox box(prompts, acv::kResponseFileKind, FileNameBox::Browse::kOpen,
                    QStringLiteral("Data File"));
    // Characters outside code page 1252 as well as inside it.
    const QString folder = QStringLiteral("/srv/Donn\u00e9es/\u0416\u0443\u0440\u043d\u0430\u043b");
    prompts.chosenFiles << folder + QStringLiteral("/zo\u00eb.cvr");
    QTest::mouseClick(box.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.fileDialogCaptions.first(), QStringLiteral("Open"));
    QCOMPARE(box.text(), folder + QStringLiteral("/zo\u00eb"));
    QCOMPARE(QByteArray::fromStdString(box.fileSystemName()),
             QFile::encodeName(folder + QStringLiteral("/zo\u00eb")));
    box.setFileSystemName(box.fileSystemName() + ".cvr");
    QCOMPARE(box.text(), folder + QStringLiteral("/zo\u00eb"));
  }
};

QTEST_MAIN(SharedWidgetsTest)
#include "shared_widgets_test.moc"
