// The on-screen wizard driven page by page as a respondent would: every page, its checks and
// messages, Back and Next keeping values, cancel, the save and each way it can fail, and a
// whole questionnaire from the keyboard alone.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/adult_sheet.h"
#include "entry/file_page.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/save_page.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/record_store.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/record_builder.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"
#include "ui/field_boxes.h"
#include "ui/file_name_box.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::ClickInModal;
using testing::FakePrompts;
using testing::Unnamed;

void Retype(QLineEdit* box, const QString& text) {
  box->clear();
  QTest::keyClicks(box, text);
}

// Presses a key where the keyboard focus is.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
// Types where the focus is, following it as it moves.
void Type(const QString& text) {
  for (QChar c : text) {
    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
  }
}

// A filled record as the wizard would make it, for the tests that start at the save page.
ResponseRecord Filled() {
  ResponseRecord record = testing::TestRecord(
      kSelfReport,
      {.first = "Ann", .last = "Lee", .birthDate = "19800601", .completed = FormatDate8(Today())});
  testing::AnswerEvery(record, [](int item) { return item % 6; });
  return record;
}

// Holds a response file open, and so locked, in another process for as long as it lives.
class LockedElsewhere {
 public:
  explicit LockedElsewhere(const std::string& name) {
    int ready[2];
    int done[2];
    if (pipe(ready) != 0 || pipe(done) != 0) {
      return;
    }
    child_ = fork();
    if (child_ == 0) {
      ResponseFile holder;
      char opened = holder.OpenForReading(name, false) == FileStatus::kOk ? 1 : 0;
      (void)!write(ready[1], &opened, 1);
      (void)!read(done[0], &opened, 1);
      _exit(0);
    }
    char opened = 0;
    (void)!read(ready[0], &opened, 1);
    locked_ = opened == 1;
    release_ = done[1];
  }
  ~LockedElsewhere() {
    (void)!write(release_, "x", 1);
    waitpid(child_, nullptr, 0);
  }
  bool locked() const { return locked_; }

 private:
  pid_t child_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

}  // namespace

class AdultSheetTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  FakePrompts prompts_;
  ResponseRecord record_;
  QString fileName_;
  std::unique_ptr<CAdultSheet> sheet_;

  QString stem(const char* name = "clinic") const { return dir_.filePath(QLatin1String(name)); }

  CAdultSheet& open(const QString& fileName = QString(), int startId = CAdultSheet::kFilePage,
                    ResponseRecord record = ResponseRecord()) {
    prompts_ = FakePrompts();
    record_ = std::move(record);
    fileName_ = fileName;
    sheet_ = std::make_unique<CAdultSheet>(prompts_, record_, fileName_);
    sheet_->setStartId(startId);
    testing::ShowActive(sheet_.get());
    return *sheet_;
  }
  void fillDetails() {
    DetailsPage& page = *sheet_->detailsPage();
    Retype(page.firstNameBox(), QStringLiteral("Ann"));
    Retype(page.lastNameBox(), QStringLiteral("Lee"));
    Retype(page.birthDate()->dayBox(), QStringLiteral("01"));
    Retype(page.birthDate()->monthBox(), QStringLiteral("06"));
    Retype(page.birthDate()->yearBox(), QStringLiteral("1980"));
  }
  void answerPage(int index, int value) {
    for (int row = 0; row < ItemPage::kRows; ++row) {
      sheet_->itemPage(index)->row(row)->choice((value + row) % kAnswerCount)->click();
    }
  }
  QString caption() const { return sheet_->windowTitle(); }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void wholeQuestionnaireIsSavedAndReadsBackEqual() {
    CAdultSheet& sheet = open();
    QCOMPARE(caption(), QStringLiteral("ACV Page 1 of 24"));
    QVERIFY(!sheet.button(QWizard::BackButton)->isVisible());
    testing::Next(*sheet_);
    QCOMPARE(prompts_.shown.size(), 1);
    QCOMPARE(prompts_.shown[0].caption, QStringLiteral("Incorrect File Name"));
    QCOMPARE(prompts_.shown[0].text, QStringLiteral("You have not entered a filename."));
    QCOMPARE(caption(), QStringLiteral("ACV Page 1 of 24"));
    sheet.filePage()->fileBox()->setText(stem() + QStringLiteral(".cvr"));
    testing::Next(*sheet_);
    QCOMPARE(caption(), QStringLiteral("ACV Page 2 of 24"));
    testing::Next(*sheet_);
    QCOMPARE(caption(), QStringLiteral("ACV Page 3 of 24"));
    fillDetails();
    testing::Next(*sheet_);
    for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
      QCOMPARE(caption(), QStringLiteral("ACV Page %1 of 24").arg(index + 4));
      QCOMPARE(sheet.itemPage(index)->row(0)->statement(), toQt(ItemBank::Self(10 * index + 1)));
      answerPage(index, index);
      testing::Next(*sheet_);
    }
    QCOMPARE(caption(), QStringLiteral("ACV Page 23 of 24"));
    QTest::keyClicks(sheet.commentsPage()->commentsBox(), QStringLiteral("Fine."));
    // Back through the pages and forward again keeps every value.
    testing::Back(*sheet_);
    testing::Back(*sheet_);
    QCOMPARE(sheet.itemPage(17)->row(3)->answer(), (17 + 3) % kAnswerCount);
    testing::Next(*sheet_);
    testing::Next(*sheet_);
    QCOMPARE(sheet.commentsPage()->commentsBox()->toPlainText(), QStringLiteral("Fine."));
    testing::Next(*sheet_);
    QCOMPARE(caption(), QStringLiteral("ACV Page 24 of 24"));
    SavePage& save = *sheet.savePage();
    QVERIFY(sheet.button(QWizard::FinishButton)->isVisible());
    QVERIFY(!save.chooseFileMode());
    QVERIFY(save.fileBox()->box()->isReadOnly());
    QVERIFY(!save.fileBox()->browseButton()->isVisible());
    QCOMPARE(save.fileBox()->text(), stem() + QStringLiteral(".cvr"));
    testing::Finish(*sheet_);
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QCOMPARE(prompts_.shown.size(), 2);
    QCOMPARE(prompts_.shown[1].caption, QStringLiteral("Save Was Successful"));
    QCOMPARE(prompts_.shown[1].icon, Prompts::Icon::kInformation);
    QCOMPARE(prompts_.shown[1].text,
             QStringLiteral("The save has been successful.  The responses for\n\n\tFirst "
                            "Name:\tAnn\n\tLast Name:\tLee\n\tDate of Birth:\t01/06/1980\n\nhave "
                            "been saved in the file\n\n\t") +
                 stem() + QStringLiteral(".cvr"));
    QCOMPARE(fileName_, stem());  // kept without ".cvr"

    ResponseRecord stored;
    QCOMPARE(ReadRecord((stem() + QStringLiteral(".cvr")).toStdString(), 0, &stored),
             FileStatus::kOk);
    QVERIFY(stored.IsSameAs(record_));
    QCOMPARE(stored.EntryMethod(), kEnteredOnScreen);
    QCOMPARE(stored.Text(TextField::kComments), std::string_view("Fine."));
    QCOMPARE(stored.GetResponse(190), (18 + 9) % kAnswerCount);
  }

  void firstPageRefusesNamesTheFileLayerWouldRefuse() {
    CAdultSheet& sheet = open();
    const QString wrong = QStringLiteral(
        "You must enter an ACV filename without the extension.  For example:  "
        "c:/data_files/ACV_2005");
    for (const QString& name : {stem() + QStringLiteral(".txt"), stem() + QStringLiteral("."),
                                dir_.path() + QStringLiteral("/")}) {
      sheet.filePage()->fileBox()->setText(name);
      testing::Next(*sheet_);
      QCOMPARE(caption(), QStringLiteral("ACV Page 1 of 24"));
      QCOMPARE(prompts_.shown.last().text, wrong);
      QCOMPARE(QApplication::focusWidget(), sheet.filePage()->fileBox()->box());
    }
    // Browse refuses a path whose extension is in capitals.
    prompts_.chosenFiles.enqueue(stem() + QStringLiteral(".CVR"));
    sheet.filePage()->fileBox()->browseButton()->click();
    QCOMPARE(prompts_.shown.last().text,
             QStringLiteral("You must enter an ACV filename (*.cvr).  For example:  "
                            "c:/data_files/ACV_2005.cvr"));
    sheet.filePage()->fileBox()->setText(stem("never"));
    testing::Next(*sheet_);
    QCOMPARE(caption(), QStringLiteral("ACV Page 2 of 24"));
    QVERIFY(!QFileInfo::exists(stem("never") + QStringLiteral(".cvr")));  // nothing opened
  }

  void saveFailuresKeepTheRecordForAnotherTry_data() {
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("locked") << "locked"
                            << "The file is currently is use by someone else.";
    QTest::newRow("full") << "full"
                          << "The file has reached its maximum number of records.\nPlease use "
                             "another file or create a new file.";
  }

  void saveFailuresKeepTheRecordForAnotherTry() {
    QFETCH(QString, problem);
    QFETCH(QString, message);
    const QString name = stem(qPrintable(problem));
    const std::string full = (name + QStringLiteral(".cvr")).toStdString();
    ResponseRecord other = Filled();
    const StoredRecord bytes = BuildImage(other);
    int first = -1;
    QCOMPARE(
        ResponseFile::AppendRecords(
            full, std::vector<StoredRecord>(problem == "full" ? kMaxRecords : 1, bytes), &first),
        FileStatus::kOk);
    std::optional<LockedElsewhere> lock;
    if (problem == "locked") {
      lock.emplace(full);
      QVERIFY(lock->locked());
    }
    CAdultSheet& sheet = open(name, CAdultSheet::kSavePage, Filled());
    SavePage& save = *sheet.savePage();
    testing::Finish(*sheet_);
    QVERIFY(sheet.isVisible());
    QCOMPARE(prompts_.shown.size(), 1);
    QCOMPARE(prompts_.shown[0].caption, QStringLiteral("Save Has Failed"));
    QCOMPARE(prompts_.shown[0].text, message);
    QVERIFY(save.chooseFileMode());
    QVERIFY(!save.fileBox()->box()->isReadOnly());
    QVERIFY(save.fileBox()->browseButton()->isVisible());

    Retype(save.fileBox()->box(), stem(qPrintable(problem + QStringLiteral("-other"))));
    testing::Finish(*sheet_);
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    ResponseRecord stored;
    QCOMPARE(ReadRecord(fileName_.toStdString() + ".cvr", 0, &stored), FileStatus::kOk);
    QVERIFY(stored.IsSameAs(record_));
  }

  void readOnlyFolderThenAnotherName() {
    // Root writes everywhere, so the save runs as an unprivileged user in a child process.
    const QString closed = stem("closed");
    const QString writable = stem("open");
    QVERIFY(QDir().mkpath(closed) && QDir().mkpath(writable));
    QCOMPARE(chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    QCOMPARE(chmod(QFile::encodeName(closed).constData(), 0555), 0);
    QCOMPARE(chmod(QFile::encodeName(writable).constData(), 0777), 0);
    const pid_t child = fork();
    if (child == 0) {
      if (geteuid() == 0 && setuid(65534) != 0) {
        _exit(10);
      }
      CAdultSheet& sheet =
          open(closed + QStringLiteral("/answers"), CAdultSheet::kSavePage, Filled());
      testing::Finish(*sheet_);
      const bool refused = prompts_.shown.size() == 1 &&
                           prompts_.shown[0].text == QStringLiteral(
                                                         "Write access to the file has been "
                                                         "denied.\nPlease contact your system "
                                                         "administrator.") &&
                           sheet.savePage()->chooseFileMode();
      Retype(sheet.savePage()->fileBox()->box(), writable + QStringLiteral("/answers"));
      testing::Finish(*sheet_);
      ResponseRecord stored;
      const bool saved = sheet.result() == QDialog::Accepted &&
                         ReadRecord((writable + QStringLiteral("/answers.cvr")).toStdString(), 0,
                                    &stored) == FileStatus::kOk &&
                         stored.IsSameAs(record_);
      _exit(refused && saved ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
  }

  void cancelAsksOnAnyPageAndWritesNothing() {
    CAdultSheet& sheet = open(stem("cancelled"), CAdultSheet::kFirstItemPage + 3, Filled());
    sheet.itemPage(3)->row(2)->choice(4)->click();
    prompts_.answers.enqueue(false);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    QVERIFY(sheet.isVisible());
    QCOMPARE(sheet.itemPage(3)->row(2)->answer(), 4);
    prompts_.answers.enqueue(true);
    sheet.button(QWizard::CancelButton)->click();
    QVERIFY(!sheet.isVisible());
    QCOMPARE(prompts_.asked.size(), 2);
    QCOMPARE(prompts_.asked[1].caption, QStringLiteral("Cancel Selected"));
    QVERIFY(!QFileInfo::exists(stem("cancelled") + QStringLiteral(".cvr")));
  }

  void wholeQuestionnaireFromTheKeyboardAlone() {
    open(stem("keys"));
    Press(Qt::Key_Return);  // page 1: the name offered
    QCOMPARE(caption(), QStringLiteral("ACV Page 2 of 24"));
    Press(Qt::Key_Down);  // to Observer-report
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Jo"));
    Press(Qt::Key_Return);
    QCOMPARE(caption(), QStringLiteral("ACV Page 3 of 24"));
    Type(QStringLiteral("Ann"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("Lee"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("1"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("6"));
    Press(Qt::Key_Tab);
    Type(QStringLiteral("80"));
    Press(Qt::Key_Return);
    for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
      QCOMPARE(caption(), QStringLiteral("ACV Page %1 of 24").arg(index + 4));
      Type(QStringLiteral("0123451234"));
      Press(Qt::Key_Return);
    }
    QCOMPARE(caption(), QStringLiteral("ACV Page 23 of 24"));
    Type(QStringLiteral("Typed"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("here"));
    // Tab leaves the comments box (Enter there starts a new line) for Next.
    for (int tabs = 0;
         tabs < 4 && QApplication::focusWidget() != sheet_->button(QWizard::NextButton); ++tabs) {
      Press(Qt::Key_Tab);
    }
    Press(Qt::Key_Return);
    QCOMPARE(caption(), QStringLiteral("ACV Page 24 of 24"));
    Press(Qt::Key_Return);
    QCOMPARE(sheet_->result(), int(QDialog::Accepted));
    ResponseRecord stored;
    QCOMPARE(ReadRecord(stem("keys").toStdString() + ".cvr", 0, &stored), FileStatus::kOk);
    QCOMPARE(stored.ReportType(), kObserverReport);
    QCOMPARE(stored.Text(TextField::kObserverName), std::string_view("Jo"));
    QCOMPARE(stored.Text(TextField::kBirthDate), std::string_view("19800601"));
    QCOMPARE(stored.Text(TextField::kComments), std::string_view("Typed\r\nhere"));
    QCOMPARE(stored.GetResponse(1), 0);
    QCOMPARE(stored.GetResponse(190), 4);
  }

  void everyControlIsNamed() {
    CAdultSheet& sheet = open(stem(), CAdultSheet::kFilePage, Filled());
    for (int id : sheet.pageIds()) {
      sheet.setStartId(id);
      sheet.restart();
      QVERIFY2(Unnamed(*sheet.currentPage()).isEmpty(),
               qPrintable(Unnamed(*sheet.currentPage()).join(QLatin1Char(','))));
    }
  }

  void statementsAreReadableAtTheOpeningSizeAndAtALargerFont() {
    const QFont normal = QApplication::font();
    for (double scale : {1.0, 1.5}) {
      QFont font = normal;
      font.setPointSizeF(normal.pointSizeF() * scale);
      QApplication::setFont(font);
      ResponseRecord observer = Filled();
      observer.SetReportType(kObserverReport);
      CAdultSheet& sheet = open(stem(), CAdultSheet::kFirstItemPage, observer);
      // Moving on with Next, as the respondent does.
      for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
        if (index > 0) {
          testing::Next(*sheet_);
        }
        QApplication::processEvents();
        const ItemPage& page = *sheet.itemPage(index);
        const auto* scroll = page.findChild<QScrollArea*>();
        QVERIFY(scroll->widget()->width() <= scroll->viewport()->width());
        for (int row = 0; row < ItemPage::kRows; ++row) {
          const QLabel* label = page.row(row)->statementLabel();
          QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                   qPrintable(label->text()));
        }
        if (scale == 1.0) {
          QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
        }
      }
    }
    QApplication::setFont(normal);
  }
};

}  // namespace acv

QTEST_MAIN(acv::AdultSheetTest)
#include "adult_sheet_test.moc"
