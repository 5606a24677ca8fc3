// The two selection dialogs driven through their boxes, buttons and list, with every message
// they can show.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "engine/dates.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/sample_records.h"
#include "support/analysis_choice.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/sample_file.h"
#include "ui/artwork.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;
using testing::TypePerson;

void Select(QListWidget* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows) {
    list->item(row)->setSelected(true);
  }
}

// Alex Morgan's records of the sample, and two more of each kind.
std::vector<ResponseRecord> MoreOfAlex() {
  const std::vector<ResponseRecord> sample = SampleRecords();
  ResponseRecord paperSelf = sample[0];
  paperSelf.SetEntryMethod(kEnteredFromPaper);
  return {paperSelf, sample[1]};
}

}  // namespace

class SelectionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitArtwork(); }

  void checksBeforeLoadingComeInOrder() {
    FakePrompts prompts;
    CAdultAn dialog(prompts, QString());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select ACV Response for Analysis"));
    QCOMPARE(QApplication::focusWidget(), dialog.firstNameBox());

    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Mandatory Field"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("'First Name' and 'Last Name' are mandatory."));
    QCOMPARE(prompts.shown.last().icon, Prompts::Icon::kStop);
    QCOMPARE(QApplication::focusWidget(), dialog.firstNameBox());

    QTest::keyClicks(dialog.firstNameBox(), QStringLiteral("Alex"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Mandatory Field"));
    QCOMPARE(QApplication::focusWidget(), dialog.lastNameBox());

    QTest::keyClicks(dialog.lastNameBox(), QStringLiteral("Morgan"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Incorrect Date"));
    QCOMPARE(prompts.shown.last().text, QStringLiteral("'Date Of Birth' is mandatory."));
    QCOMPARE(QApplication::focusWidget(), dialog.dayBox());

    const QString incorrect = QStringLiteral(
        "The 'Date Of Birth' is not correct.\n\nThe date must have a valid day for the "
        "month,\nand have a four digit year greater than 1900.");
    for (const auto& [day, month, year] :
         {std::tuple{"31", "4", "1975"}, {"29", "2", "1975"}, {"1", "1", "1900"}}) {
      TypePerson(dialog, "Alex", "Morgan", day, month, year);
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      QCOMPARE(prompts.shown.last().text, incorrect);
    }
    const CalendarDate today = Today();
    const QString seventeen = QString::number(today.year - 17);
    TypePerson(dialog, "Alex", "Morgan", QString::number(today.day), QString::number(today.month),
               seventeen);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().text, QStringLiteral("The age of the person must be 18 or more"));

    // Eighteen today is old enough (29 February aside): the file name is checked next.
    if (!(today.month == 2 && today.day == 29)) {
      TypePerson(dialog, "Alex", "Morgan", QString::number(today.day), QString::number(today.month),
                 QString::number(today.year - 18));
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      QCOMPARE(prompts.shown.last().caption, QStringLiteral("Incorrect File Name"));
      QCOMPARE(prompts.shown.last().text, QStringLiteral("You have not entered a filename."));
      QCOMPARE(QApplication::focusWidget(), dialog.fileNameBox());
    }
    TypePerson(dialog, "Alex", "Morgan", "29", "2", "1976");
    QTest::keyClicks(dialog.fileNameBox(), QStringLiteral("clinic.dat"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must enter an ACV filename without the extension.  For "
                            "example:  c:/data_files/ACV_2005"));
    QCOMPARE(dialog.list()->count(), 0);
  }

  void dateBoxesTidyUpWhenTheyLoseTheFocus() {
    FakePrompts prompts;
    CAdultAn dialog(prompts, QString());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const auto leave = [&](QLineEdit* box, const QString& typed) {
      box->setFocus();
      box->clear();
      QTest::keyClicks(box, typed);
      QTest::keyClick(box, Qt::Key_Tab);
      return box->text();
    };
    QCOMPARE(leave(dialog.dayBox(), "7"), QStringLiteral("07"));
    QCOMPARE(leave(dialog.dayBox(), "32"), QString());
    QCOMPARE(leave(dialog.dayBox(), "0"), QString());
    QCOMPARE(leave(dialog.monthBox(), "12"), QStringLiteral("12"));
    QCOMPARE(leave(dialog.monthBox(), "13"), QString());
    const int year = Today().year;
    const int twoDigits = year % 100;
    QCOMPARE(leave(dialog.yearBox(), QString::number(twoDigits)), QString::number(year));
    QCOMPARE(leave(dialog.yearBox(), QString::number((twoDigits + 1) % 100)),
             QString::number(year - 99));
    QCOMPARE(leave(dialog.yearBox(), "1975"), QStringLiteral("1975"));
    QCOMPARE(leave(dialog.yearBox(), "2100"), QString());
    QCOMPARE(leave(dialog.yearBox(), ""), QString());  // an empty year stays empty
    QTest::keyClicks(dialog.dayBox(), QStringLiteral("a1"));
    QCOMPARE(dialog.dayBox()->text(), QStringLiteral("1"));  // digits only
  }

  void loadingListsExactlyThatPerson() {
    SampleFile sample;
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.captions().join(", ")));
    QCOMPARE(dialog.list()->count(), 2);
    QCOMPARE(dialog.list()->item(0)->text(),
             QStringLiteral("Saved: 30/11/2026 10:15:10   Self Assessment"));
    QCOMPARE(dialog.list()->item(1)->text(),
             QStringLiteral("Saved: 30/11/2026 10:15:11   Observer Assessment by: Jordan Morgan"));
    QCOMPARE(dialog.dayBox()->text(), QStringLiteral("07"));
    // A record verified by double entry says so beside its line, and in full as its tip.
    ResponseRecord verified = testing::TestRecord(
        kSelfReport, {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .seed = 1});
    verified.SetVerification(Verification{false, 2});
    int index = -1;
    QCOMPARE(ResponseFile::WriteRecord(sample.fullName(), BuildImage(verified, "20261130101512"),
                                       &index, -1),
             FileStatus::kOk);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(dialog.list()->count(), 3);
    QCOMPARE(dialog.list()->item(2)->text(),
             QStringLiteral("Saved: 30/11/2026 10:15:12   Self Assessment   (verified by double "
                            "entry)"));
    QCOMPARE(dialog.list()->item(2)->toolTip(),
             QStringLiteral("Responses verified by double entry (the second typing by the same "
                            "person, 2 differences resolved)"));
    QCOMPARE(dialog.list()->item(0)->toolTip(), QString());

    // Blanks count: "Alex " is another person.
    TypePerson(dialog, QStringLiteral("Alex "));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("No Matching Records")});
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("There were no records in the specified ACV file\nwith the "
                            "requested name and date of birth."));
    QCOMPARE(dialog.list()->count(), 0);
  }

  void openingFailuresHaveTheirMessages() {
    SampleFile sample;
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.folder() + QStringLiteral("/none/clinic"));
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("File Not Found"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("The file '%1/none/clinic.cvr' was not found.").arg(sample.folder()));

    // Bytes of no response file, and a file with no records (empty, or a header alone).
    QFile whole(QString::fromStdString(sample.fullName()));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    for (const QByteArray& bytes :
         {QByteArray(kMinFileSize, 'x'), QByteArray(), whole.read(kFileHeaderSize)}) {
      QFile junk(sample.folder() + QStringLiteral("/junk.cvr"));
      QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
      junk.write(bytes);
      junk.close();
      dialog.fileNameBox()->setText(sample.folder() + QStringLiteral("/junk"));
      prompts.shown.clear();
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Partial File Corruption")});
      QCOMPARE(prompts.shown.last().text,
               QStringLiteral("There was a read error or file validation error,\nindicating some "
                              "file corruption.\n\nPlease contact your system administrator for "
                              "assistance."));
    }

    ResponseFile holder;  // another open holds the lock, as another program would
    QCOMPARE(holder.OpenForReading(sample.fullName(), false), FileStatus::kOk);
    dialog.fileNameBox()->setText(sample.stem());
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("File In Use"));
    QCOMPARE(
        prompts.shown.last().text,
        QStringLiteral("The file '%1.cvr' is locked by another application.").arg(sample.stem()));
  }

  void corruptRecordsAreCountedAndLeftOut() {
    SampleFile sample;
    sample.damageRecord(1);
    sample.damageRecord(4);
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Partial File Corruption")});
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("Unfortunately 2 records failed to load from the file,\nindicating "
                            "some file corruption.\n\nPlease contact your system administrator "
                            "for assistance."));
    QCOMPARE(dialog.list()->count(), 1);

    SampleFile ruined;
    for (int index = 0; index < 8; ++index) {
      ruined.damageRecord(index);
    }
    prompts.shown.clear();
    dialog.fileNameBox()->setText(ruined.stem());
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), (QStringList{QStringLiteral("Partial File Corruption"),
                                              QStringLiteral("No Matching Records")}));
  }

  void analyseChecksTheSelection() {
    SampleFile sample(MoreOfAlex());
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("No Selection"));
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(dialog.list()->count(), 4);
    QListWidget* list = dialog.list();
    // Sorted by name, then file order: 0 Self, 1 Observer, 8 Self (paper), 9 Observer.
    QVERIFY(list->item(2)->text().endsWith(QStringLiteral("Self Assessment")));

    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("No Selection"));
    Select(list, {0, 1, 2});
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Too Many Selections"));
    Select(list, {0, 2});
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Two Self Assessments"));
    Select(list, {1, 3});
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Two Observer Assessments"));
    QVERIFY(prompts.shown.last().text.startsWith(
        QStringLiteral("You have selected two Observer Assessments.\n\n")));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    Select(list, {2, 1});
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.analysis().selfReport().EntryMethod(), kEnteredFromPaper);
    QCOMPARE(dialog.analysis().observerReport().Text(TextField::kObserverName),
             std::string_view("Jordan Morgan"));
    QVERIFY2(dialog.analysis().selfReport().IsMet(40), "met flags derived");
    QCOMPARE(dialog.fileName(), sample.stem());
  }

  void oneReportAloneIsAccepted() {
    SampleFile sample;
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    // Double-clicking a line acts as Analyse, also on a line already selected: the first click
    // of the double-click takes it out of the selection, the double-click means it.
    const QRect line = dialog.list()->visualItemRect(dialog.list()->item(1));
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, line.center());
    QVERIFY(dialog.list()->item(1)->isSelected());
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, line.center());
    QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.captions().join(", ")));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.analysis().IsSelfAbsent());
    QVERIFY(!dialog.analysis().IsObserverAbsent());
  }

  void changedCriteriaAskBeforeGoingOn() {
    SampleFile sample;
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    Select(dialog.list(), {0});
    QTest::keyClicks(dialog.lastNameBox(), QStringLiteral("x"));
    prompts.answers.enqueue(false);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].caption, QStringLiteral("Changed Selection Criteria"));
    QCOMPARE(prompts.asked[0].text,
             QStringLiteral("Warning:  You have changed the selection criteria for the list of "
                            "ACV responses but have not reloaded the list."));
    QCOMPARE(prompts.asked[0].acceptText, QStringLiteral("Continue"));
    QCOMPARE(prompts.asked[0].rejectText, QStringLiteral("Cancel"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    prompts.answers.enqueue(true);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.analysis().IsSelfAbsent());
  }

  void aRecordThatCannotBeReadAgainIsAReadError() {
    SampleFile sample;
    FakePrompts prompts;
    CAdultAn dialog(prompts, sample.stem());
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    sample.damageRecord(0);
    Select(dialog.list(), {0});
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Read Error"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("There was an error trying to read the records you have "
                            "selected.\n\nPlease try again."));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void browseTakesOnlyResponseFiles() {
    FakePrompts prompts;
    CAdultAn dialog(prompts, QStringLiteral("/data/old"));
    prompts.chosenFiles << QStringLiteral("/data/clinic/acv_2026.cvr")
                        << QStringLiteral("/data/clinic/a.b.cvr") << QString();
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.fileDialogStarts.first(), QStringLiteral("/data/old.cvr"));
    QCOMPARE(prompts.fileDialogFilters.first(), QStringLiteral("ACV Files (*.cvr)"));
    QCOMPARE(dialog.fileNameBox()->text(), QStringLiteral("/data/clinic/acv_2026"));
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.size(), 1);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("Incorrect File Name"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must enter an ACV filename (*.cvr).  For example:  "
                            "c:/data_files/ACV_2005.cvr"));
    QCOMPARE(dialog.fileNameBox()->text(), QStringLiteral("/data/clinic/acv_2026"));
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);  // cancelled
    QCOMPARE(dialog.fileNameBox()->text(), QStringLiteral("/data/clinic/acv_2026"));
  }

  void editDialogPicksOneRecordAndItsLayout() {
    SampleFile sample(MoreOfAlex());
    FakePrompts prompts;
    CAdultEdit dialog(prompts, sample.stem(), EditLayout::kPaper);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select ACV Response to Edit"));
    QVERIFY(dialog.paperOption()->isChecked());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("No Selection"));
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(dialog.list()->count(), 4);
    QCOMPARE(dialog.list()->selectionMode(), QAbstractItemView::SingleSelection);
    dialog.list()->setCurrentRow(0);
    QVERIFY(dialog.onScreenOption()->isChecked());
    dialog.list()->setCurrentRow(2);
    QVERIFY2(dialog.paperOption()->isChecked(), "follows the record's entry method");
    QTest::mouseClick(dialog.onScreenOption(), Qt::LeftButton);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.recordIndex(), 8);
    QCOMPARE(dialog.editLayout(), EditLayout::kOnScreen);
    QCOMPARE(dialog.record().EntryMethod(), kEnteredFromPaper);
    QVERIFY(!dialog.readOnly());
    QVERIFY(prompts.shown.size() == 1);
  }

  void fileNamesAreTheFileSystemsOwn() {
    SampleFile sample;
    // A folder named outside plain ASCII, partly outside code page 1252 too.
    const QString folder = sample.folder() + QStringLiteral("/Donn\u00e9es \u0416\u0443\u0440");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(QString::fromStdString(sample.fullName()),
                        folder + QStringLiteral("/zo\u00eb.cvr")));
    FakePrompts prompts;
    CAdultAn dialog(prompts, folder + QStringLiteral("/zo\u00eb"));
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.captions().join(", ")));
    QCOMPARE(dialog.list()->count(), 2);

    // Typed with its extension: refused, and no message doubles the suffix.
    dialog.fileNameBox()->setText(folder + QStringLiteral("/zo\u00eb.cvr"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Incorrect File Name")});
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("You must enter an ACV filename without the extension.  For "
                            "example:  c:/data_files/ACV_2005"));

    // A missing file there is not found, named as typed, and not made.
    dialog.fileNameBox()->setText(folder + QStringLiteral("/absent"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.shown.last().caption, QStringLiteral("File Not Found"));
    QCOMPARE(prompts.shown.last().text,
             QStringLiteral("The file '%1/absent.cvr' was not found.").arg(folder));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/absent.cvr")));
  }

  void editingAMissingFileMakesNoFile() {
    SampleFile sample;
    FakePrompts prompts;
    const QString missing = sample.folder() + QStringLiteral("/typo");
    CAdultEdit dialog(prompts, missing, EditLayout::kOnScreen);
    TypePerson(dialog);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("File Not Found")});
    QVERIFY(!QFileInfo::exists(missing + QStringLiteral(".cvr")));
  }

  void filesWithoutAccess() {
    // Root reads and writes everything, so the check runs as an unprivileged user in a child.
    SampleFile sample;
    QCOMPARE(chmod(QFile::encodeName(sample.folder()).constData(), 0755), 0);
    QCOMPARE(chmod(sample.fullName().c_str(), 0444), 0);
    const QString closed = sample.folder() + QStringLiteral("/closed");
    QVERIFY(
        QFile::copy(QString::fromStdString(sample.fullName()), closed + QStringLiteral(".cvr")));
    QCOMPARE(chmod(QFile::encodeName(closed + QStringLiteral(".cvr")).constData(), 0), 0);
    const pid_t child = fork();
    if (child == 0) {
      if (geteuid() == 0 && setuid(65534) != 0) {
        _exit(10);
      }
      FakePrompts prompts;
      CAdultEdit dialog(prompts, sample.stem(), EditLayout::kOnScreen);
      TypePerson(dialog);
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      const bool warned = prompts.shown.size() == 1 &&
                          prompts.shown[0].caption == QStringLiteral("File is Read Only") &&
                          prompts.shown[0].icon == Prompts::Icon::kInformation;
      // A file that cannot even be read.
      CAdultAn analysis(prompts, closed);
      TypePerson(analysis);
      QTest::mouseClick(analysis.loadButton(), Qt::LeftButton);
      const bool denied =
          prompts.shown.size() == 2 &&
          prompts.shown[1].caption == QStringLiteral("File Access Error") &&
          prompts.shown[1].text ==
              QStringLiteral(
                  "The file\n\t'%1.cvr'\n is not available for edit access.\n\nPlease "
                  "contact your system administrator for assistance.")
                  .arg(closed);
      const bool ok = warned && denied && dialog.list()->count() == 2 && dialog.readOnly();
      for (const auto& shown : prompts.shown) {
        if (!ok) {
          qWarning("shown: %s: %s", qPrintable(shown.caption), qPrintable(shown.text));
        }
      }
      _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
  }
};

}  // namespace acv

QTEST_MAIN(acv::SelectionDialogTest)
#include "selection_dialog_test.moc"
