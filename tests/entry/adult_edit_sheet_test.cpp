// The on-screen edit wizard on a stored record: replacing it in place, saving it as a new record,
// "No Edits Made", and the replace choice carried from the first page to the last.
#include <unistd.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/adult_sheet.h"
#include "entry/file_page.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/details_page.h"
#include "entry/replace_check_box.h"
#include "entry/save_page.h"
#include "storage/records/record_edit.h"
#include "storage/records/sample_records.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "support/wizard.h"
#include "ui/file_name_box.h"

namespace acv {

class AdultEditSheetTest : public QObject {
  Q_OBJECT

 private:
  testing::FakePrompts prompts_;
  std::unique_ptr<testing::SampleFile> sample_;
  RecordEdit edit_;
  ResponseRecord record_;
  QString fileName_;
  std::unique_ptr<CAdultEditSheet> sheet_;

  // The wizard on the sample's record `index`, shown at page 1.
  CAdultEditSheet& open(int index, std::vector<ResponseRecord> extra = {}) {
    prompts_ = testing::FakePrompts();
    sample_ = std::make_unique<testing::SampleFile>(std::move(extra));
    if (RecordEdit::Open(sample_->fullName(), index, &edit_) != FileStatus::kOk) {
      qFatal("the sample record cannot be opened for editing");
    }
    record_ = edit_.unedited;
    record_.SetEntryMethod(kEnteredOnScreen);
    fileName_ = sample_->stem();
    sheet_ = std::make_unique<CAdultEditSheet>(prompts_, record_, fileName_, edit_);
    sheet_->detailsPage()->setClock([] { return CalendarDate{2026, 12, 1}; });
    sheet_->show();
    return *sheet_;
  }
  bool closedWithFinish() const { return sheet_->result() == QDialog::Accepted; }
  QByteArray fileBytes() const {
    QFile file(QString::fromStdString(sample_->fullName()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  ResponseRecord stored(const std::string& name, int index) const {
    ResponseRecord record;
    if (ReadRecord(name, index, &record) != FileStatus::kOk) {
      qFatal("record %d cannot be read back", index);
    }
    return record;
  }

 private slots:
  void anAnswerChangedIsWrittenInPlace() {
    CAdultEditSheet& sheet = open(2);
    QVERIFY(sheet.filePage()->replaceBox()->isChecked());
    QVERIFY(sheet.filePage()->fileBox()->box()->isReadOnly());
    testing::Next(*sheet_, 3);  // to the first item page, the stored answers shown
    QCOMPARE(sheet.itemPage(0)->row(0)->answer(), edit_.unedited.GetResponse(1));
    sheet.itemPage(0)->row(0)->choice(5)->click();
    testing::Next(*sheet_, CAdultSheet::kItemPages + 1);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("ACV Page 24 of 24"));
    QVERIFY(!sheet.savePage()->replaceBox()->isVisible());
    const qsizetype size = fileBytes().size();
    testing::Finish(*sheet_);
    QVERIFY(closedWithFinish());
    QVERIFY(prompts_.asked.isEmpty());
    QCOMPARE(fileBytes().size(), size);
    const ResponseRecord after = stored(sample_->fullName(), 2);
    QCOMPARE(after.GetResponse(1), 5);
    QCOMPARE(after.EntryMethod(), kEnteredOnScreen);
    QCOMPARE(sheet.savePage()->lastSave().index, 2);
  }

  void aGenderWithoutAButtonIsKept() {
    for (const char gender : {'X', 'm', 'f'}) {
      ResponseRecord extra = SampleRecords()[0];
      extra.RestoreGender(gender);
      open(8, {extra});
      record_.SetText(TextField::kComments, "edited");
      testing::Next(*sheet_, CAdultSheet::kSavePage);
      testing::Finish(*sheet_);
      QVERIFY(closedWithFinish());
      QCOMPARE(stored(sample_->fullName(), 8).Gender(), gender);
    }
  }

  // Answers changed on screen are not verified again: the mark goes only after saying so.
  void aVerifiedRecordChangedOnScreenIsSavedUnmarkedOnlyWhenAgreed() {
    ResponseRecord verified = SampleRecords()[0];
    verified.SetVerification(Verification{false, 1});
    open(8, {verified});
    record_.SetText(TextField::kComments, "edited");  // not an answer: the mark stays
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    testing::Finish(*sheet_);
    QVERIFY(closedWithFinish());
    QVERIFY(prompts_.asked.isEmpty());
    QCOMPARE(stored(sample_->fullName(), 8).GetVerification(),
             std::optional(Verification{false, 1}));

    open(8, {verified});
    QVERIFY(record_.GetVerification());
    record_.SetResponse(1, (record_.GetResponse(1) + 1) % 6);
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    testing::Finish(*sheet_);  // "Do Not Save"
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.asked.size(), 1);
    QCOMPARE(prompts_.asked[0].caption, QStringLiteral("Verified Record Changed"));
    QVERIFY(stored(sample_->fullName(), 8).GetVerification());
    prompts_.answers.enqueue(true);
    testing::Finish(*sheet_);
    QVERIFY(closedWithFinish());
    QCOMPARE(stored(sample_->fullName(), 8).GetVerification(), std::nullopt);
  }

  void noEditsMadeAsksAndDoNotSaveKeepsTheWizard() {
    CAdultEditSheet& sheet = open(0);
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    const QByteArray before = fileBytes();
    prompts_.answers.enqueue(false);
    testing::Finish(*sheet_);
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.asked.size(), 1);
    QCOMPARE(prompts_.asked.first().caption, QStringLiteral("No Edits Made"));
    QCOMPARE(fileBytes(), before);
    QCOMPARE(sheet.currentId(), int(CAdultSheet::kSavePage));
  }

  void theLastPageFollowsTheChoiceMadeAfterGoingBack() {
    CAdultEditSheet& sheet = open(1);
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    testing::Back(*sheet_, CAdultSheet::kSavePage);
    FilePage& first = *sheet.filePage();
    first.replaceBox()->setChecked(false);
    const QString other = sample_->folder() + QStringLiteral("/other");
    first.fileBox()->setText(other);
    first.replaceBox()->setChecked(true);
    QCOMPARE(first.fileBox()->text(), sample_->stem());  // ticking puts the record's file back
    first.replaceBox()->setChecked(false);
    first.fileBox()->setText(other);
    record_.SetText(TextField::kComments, "second opinion");
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    QVERIFY(!sheet.savePage()->replaceBox()->isChecked());
    QCOMPARE(sheet.savePage()->fileBox()->text(), other);
    const QByteArray before = fileBytes();
    testing::Finish(*sheet_);
    QVERIFY(closedWithFinish());
    QCOMPARE(fileBytes(), before);
    QCOMPARE(stored((other + QStringLiteral(".cvr")).toStdString(), 0).Text(TextField::kComments),
             "second opinion");
  }

  void aReadOnlyFileOffersANewRecordElsewhere() {
    if (geteuid() == 0) {
      QSKIP("the superuser writes into read-only files");
    }
    CAdultEditSheet& sheet = open(3);
    record_.SetText(TextField::kComments, "edited");
    testing::Next(*sheet_, CAdultSheet::kSavePage);
    QVERIFY(
        QFile::setPermissions(QString::fromStdString(sample_->fullName()), QFileDevice::ReadOwner));
    testing::Finish(*sheet_);
    QVERIFY(!closedWithFinish());
    QVERIFY(prompts_.shown.first().text.startsWith(QStringLiteral("Write access")));
    SavePage& last = *sheet.savePage();
    QVERIFY(last.chooseFileMode());
    QVERIFY(last.replaceBox()->isVisible());
    QVERIFY(last.fileBox()->box()->isReadOnly());
    last.replaceBox()->setChecked(false);
    const QString other = sample_->folder() + QStringLiteral("/other");
    last.fileBox()->setText(other);
    testing::Finish(*sheet_);
    QVERIFY(closedWithFinish());
    QCOMPARE(stored((other + QStringLiteral(".cvr")).toStdString(), 0).Text(TextField::kComments),
             "edited");
  }
};

}  // namespace acv

QTEST_MAIN(acv::AdultEditSheetTest)
#include "adult_edit_sheet_test.moc"
