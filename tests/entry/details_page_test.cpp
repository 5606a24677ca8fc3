// The respondent details page: each check of Next in its order, with its message, caption and
// the focus on the offending box with its text selected, on a clock the test sets; what Back keeps;
// the age box; the gender kept when it has no button.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/entry_wizard.h"
#include "entry/pages/details_page.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"

namespace acv {
namespace {

using testing::FakePrompts;

class DetailsWizard : public testing::PageWizard {
 public:
  DetailsWizard(Prompts& prompts, ResponseRecord& record) : PageWizard(prompts, record) {
    addPage(new EntryPage(QStringLiteral("before")));
    details = new DetailsPage(record, prompts, QStringLiteral("ACV Page 3 of 24"));
    addPage(details);
    addPage(new EntryPage(QStringLiteral("after")));
  }
  DetailsPage* details;
};

void Retype(QLineEdit* box, const QString& text) {
  box->clear();
  QTest::keyClicks(box, text);
}

void TypeDate(DateBoxes* date, const QString& day, const QString& month, const QString& year) {
  Retype(date->dayBox(), day);
  Retype(date->monthBox(), month);
  Retype(date->yearBox(), year);
}

}  // namespace

class DetailsPageTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  ResponseRecord record_;
  std::unique_ptr<DetailsWizard> wizard_;

  // The wizard at the details page, today being `today`.
  DetailsPage& open(CalendarDate today, ResponseRecord record = ResponseRecord()) {
    prompts_ = FakePrompts();
    record_ = std::move(record);
    wizard_ = std::make_unique<DetailsWizard>(prompts_, record_);
    wizard_->details->setClock([today] { return today; });
    testing::ShowActive(wizard_.get());
    wizard_->next();
    return *wizard_->details;
  }

  QWidget* boxNamed(DetailsPage& page, const QString& name) {
    if (name == QLatin1String("first"))
      return page.firstNameBox();
    if (name == QLatin1String("last"))
      return page.lastNameBox();
    DateBoxes* date =
        name.startsWith(QLatin1String("birth")) ? page.birthDate() : page.completionDate();
    if (name.endsWith(QLatin1String("Day")))
      return date->dayBox();
    if (name.endsWith(QLatin1String("Month")))
      return date->monthBox();
    return date->yearBox();
  }

 private slots:
  void nextChecksInOrder_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("birth");
    QTest::addColumn<QStringList>("completion");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("caption");  // "" when the page is left
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");

    const QDate march10(2024, 3, 10);
    const QString names = QStringLiteral("'First Name' and 'Last Name' are mandatory.");
    const QString birthWrong = QStringLiteral(
        "The 'Date Of Birth' is not correct.\n\nThe date must have a valid day for the month,\n"
        "and have a four digit year greater than 1900.");
    const QString completionWrong = QStringLiteral(
        "The 'Date Of Completion' is not correct.\n\nThe date must have a valid day for the "
        "month,\nand have a four digit year greater than 1900.");
    const QString ageRange = QStringLiteral("The age of the person must be between 18 and 99");
    const QString when = QStringLiteral(
        "The date of completion cannot be a future date\nand cannot be more than two years ago");
    const QStringList ok = {"01", "06", "1980"};
    const QStringList today = {"10", "03", "2024"};
    const QString mandatory = QStringLiteral("Mandatory Field");
    const QString incorrect = QStringLiteral("Incorrect Date");

    QTest::newRow("no first name")
        << ""
        << "Lee" << ok << today << march10 << mandatory << names << "first";
    QTest::newRow("blank last name")
        << "Ann"
        << "  " << ok << today << march10 << mandatory << names << "last";
    QTest::newRow("no birth day") << "Ann"
                                  << "Lee" << QStringList{"", "06", "1980"} << today << march10
                                  << mandatory << "'Date Of Birth' is mandatory."
                                  << "birthDay";
    QTest::newRow("no birth month") << "Ann"
                                    << "Lee" << QStringList{"01", "", "1980"} << today << march10
                                    << mandatory << "'Date Of Birth' is mandatory."
                                    << "birthMonth";
    QTest::newRow("29/02/2001") << "Ann"
                                << "Lee" << QStringList{"29", "02", "2001"} << today << march10
                                << incorrect << birthWrong << "birthDay";
    QTest::newRow("31/04/1980") << "Ann"
                                << "Lee" << QStringList{"31", "04", "1980"} << today << march10
                                << incorrect << birthWrong << "birthDay";
    QTest::newRow("year 1900") << "Ann"
                               << "Lee" << QStringList{"01", "06", "1900"} << today << march10
                               << incorrect << birthWrong << "birthDay";
    QTest::newRow("29/02/2004") << "Ann"
                                << "Lee" << QStringList{"29", "02", "2004"}
                                << QStringList{"10", "03", "2023"} << march10 << ""
                                << ""
                                << "";
    QTest::newRow("aged 100") << "Ann"
                              << "Lee" << QStringList{"10", "03", "1924"} << today << march10
                              << incorrect << ageRange << "birthDay";
    QTest::newRow("aged 17") << "Ann"
                             << "Lee" << QStringList{"11", "03", "2006"} << today << march10
                             << incorrect << ageRange << "birthDay";
    QTest::newRow("no completion year") << "Ann"
                                        << "Lee" << ok << QStringList{"10", "03", ""} << march10
                                        << mandatory << "'Date Of Completion' is mandatory."
                                        << "completionYear";
    QTest::newRow("completion 30/02") << "Ann"
                                      << "Lee" << ok << QStringList{"30", "02", "2024"} << march10
                                      << incorrect << completionWrong << "completionDay";
    QTest::newRow("tomorrow") << "Ann"
                              << "Lee" << ok << QStringList{"11", "03", "2024"} << march10
                              << incorrect << when << "completionDay";
    QTest::newRow("two years ago") << "Ann"
                                   << "Lee" << ok << QStringList{"10", "03", "2022"} << march10
                                   << incorrect << when << "completionDay";
    QTest::newRow("two years less a day")
        << "Ann"
        << "Lee" << ok << QStringList{"11", "03", "2022"} << march10 << ""
        << ""
        << "";
    QTest::newRow("17 at completion")
        << "Ann"
        << "Lee" << QStringList{"11", "03", "2006"} << QStringList{"10", "03", "2024"}
        << QDate(2024, 6, 1) << incorrect
        << "The person must be aged 18 or more at the date of "
           "completion"
        << "completionDay";
  }

  void nextChecksInOrder() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, birth);
    QFETCH(QStringList, completion);
    QFETCH(QDate, today);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    DetailsPage& page = open({today.year(), today.month(), today.day()});
    Retype(page.firstNameBox(), first);
    Retype(page.lastNameBox(), last);
    TypeDate(page.birthDate(), birth[0], birth[1], birth[2]);
    TypeDate(page.completionDate(), completion[0], completion[1], completion[2]);
    wizard_->next();
    if (caption.isEmpty()) {
      QCOMPARE(prompts_.shown.size(), 0);
      QVERIFY(wizard_->currentPage() != &page);
      QCOMPARE(record_.Text(TextField::kBirthDate), (birth[2] + birth[1] + birth[0]).toStdString());
      return;
    }
    QCOMPARE(wizard_->currentPage(), &page);
    QCOMPARE(prompts_.shown.size(), 1);
    QCOMPARE(prompts_.shown[0].caption, caption);
    QCOMPARE(prompts_.shown[0].text, text);
    QCOMPARE(prompts_.shown[0].icon, Prompts::Icon::kStop);
    QCOMPARE(QApplication::focusWidget(), boxNamed(page, focus));
    // The refused text is selected: what is typed next replaces it.
    QTest::keyClick(QApplication::focusWidget(), '0');
    QCOMPARE(static_cast<QLineEdit*>(boxNamed(page, focus))->text(), QStringLiteral("0"));
    QVERIFY(record_.Text(TextField::kFirstName).empty());
  }

  void namesTrimmedOnNextButKeptAsTypedOnBack() {
    DetailsPage& page = open({2024, 3, 10});
    QCOMPARE(page.heading()->text(), QStringLiteral("Please provide your details"));
    Retype(page.firstNameBox(), QStringLiteral("Ann  "));
    Retype(page.lastNameBox(), QStringLiteral("Lee "));
    TypeDate(page.birthDate(), "1", "6", "80");
    wizard_->back();
    QCOMPARE(record_.Text(TextField::kFirstName), std::string_view("Ann  "));
    QVERIFY(record_.Text(TextField::kBirthDate).empty());  // dates stay in their boxes
    wizard_->next();
    QCOMPARE(page.birthDate()->yearBox()->text(), QStringLiteral("80"));
    wizard_->next();
    QCOMPARE(prompts_.shown.size(), 0);
    QCOMPARE(record_.Text(TextField::kFirstName), std::string_view("Ann"));
    QCOMPARE(record_.Text(TextField::kLastName), std::string_view("Lee"));
    QCOMPARE(record_.Text(TextField::kBirthDate), std::string_view("19800601"));
    QCOMPARE(record_.Text(TextField::kCompletionDate), std::string_view("20240310"));
    QCOMPARE(record_.Gender(), 'U');  // neither button chosen on a new record
  }

  void ageBoxShowsOneToNinetyNine() {
    ResponseRecord stored;
    stored.SetReportType(kObserverReport);
    stored.SetText(TextField::kBirthDate, "19250101");
    stored.SetText(TextField::kCompletionDate, "20240301");
    DetailsPage& page = open({2024, 3, 10}, stored);
    QCOMPARE(page.heading()->text(),
             QStringLiteral("Please provide the details of the person you have been asked to "
                            "describe"));
    QCOMPARE(page.ageBox()->text(), QStringLiteral("99"));
    // Leaving a date box recomputes the age.
    const auto typeYear = [&](const QString& year) {
      page.birthDate()->yearBox()->setFocus();
      Retype(page.birthDate()->yearBox(), year);
      page.completionDate()->dayBox()->setFocus();
    };
    typeYear(QStringLiteral("1924"));
    QVERIFY(page.ageBox()->text().isEmpty());
    typeYear(QStringLiteral("2019"));
    QCOMPARE(page.ageBox()->text(), QStringLiteral(" 5"));
  }

  void emptyYearStaysEmptyWhenLeft() {
    DetailsPage& page = open({2024, 3, 10});
    page.birthDate()->yearBox()->setFocus();
    QTest::keyClick(page.birthDate()->yearBox(), Qt::Key_Tab);
    QVERIFY(page.birthDate()->yearBox()->text().isEmpty());
  }

  void genderWithoutAButtonIsKept() {
    ResponseRecord stored = testing::TestRecord(
        kSelfReport,
        {.first = "Ann", .last = "Lee", .birthDate = "19800601", .completed = "20240301"});
    stored.SetGender('X');
    DetailsPage& page = open({2024, 3, 10}, stored);
    QVERIFY(!page.maleButton()->isChecked() && !page.femaleButton()->isChecked());
    wizard_->next();
    QCOMPARE(record_.Gender(), 'X');
    wizard_->back();
    page.femaleButton()->click();
    wizard_->next();
    QCOMPARE(record_.Gender(), 'F');
  }
};

}  // namespace acv

QTEST_MAIN(acv::DetailsPageTest)
#include "details_page_test.moc"
