// Page 5 of the paper wizards: saving a new record and showing its analysis, and saving an edited
// record in place of the stored one or as a new record.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "engine/analysis.h"
#include "engine/response_record.h"
#include "entry/entry_wizard.h"
#include "entry/pages/comments_page.h"
#include "entry/paper_save_page.h"
#include "entry/reason_box.h"
#include "entry/replace_check_box.h"
#include "storage/format/file_layout.h"
#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/history/history_review.h"
#include "storage/records/record_edit.h"
#include "storage/text/messages.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/sample_file.h"
#include "support/wizard.h"
#include "ui/file_name_box.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;

// The comments page, then page 5.
class SaveWizard : public EntryWizard {
 public:
  SaveWizard(Prompts& prompts, ResponseRecord& record, QString& fileName, Analysis& analysis,
             std::optional<RecordEdit> edit)
      : EntryWizard(prompts, record, fileName, std::move(edit), nullptr) {
    addPage(new CommentsPage(record, QStringLiteral("ACV Page 4 of 5"), QString()));
    page = new PaperSavePage(run(), analysis, prompts, QStringLiteral("ACV Page 5 of 5"));
    addPage(page);
  }
  // Shows the wizard at page 5.
  void open(ViewAfterFinish choice) {
    page->setInitialChoice(choice);
    show();
    testing::Next(*this);
  }

  PaperSavePage* page;
};

// Alex Morgan's Self-report as typed from a paper copy.
ResponseRecord TypedSelfReport() {
  ResponseRecord record = testing::TestRecord(
      kSelfReport,
      {.first = "Alex", .last = "Morgan", .birthDate = "19750307", .completed = "20261201"});
  record.SetEntryMethod(kEnteredFromPaper);
  record.SetText(TextField::kComments, "typed from paper");
  testing::AnswerEvery(record, [](int item) { return item % 6; });
  return record;
}

QByteArray FileBytes(const std::string& name) {
  QFile file(QString::fromStdString(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file without record `index` and the header's modified stamp.
QByteArray Untouched(QByteArray bytes, int index) {
  bytes.remove(RecordOffset(index), kRecordSize);
  return bytes.remove(kModifiedStampOffset, kStampSize);
}

ResponseRecord ReadBack(const std::string& name, int index) {
  ResponseRecord record;
  if (ReadRecord(name, index, &record) != FileStatus::kOk) {
    qFatal("record %d cannot be read back", index);
  }
  return record;
}

}  // namespace

class PaperSavePageTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  Analysis analysis_;
  QString fileName_;
  std::unique_ptr<SampleFile> sample_;
  RecordEdit edit_;
  ResponseRecord record_;
  std::unique_ptr<SaveWizard> wizard_;

  // Page 5 over the sample file, for `record` (new) or record `editIndex` of the file.
  SaveWizard& open(ViewAfterFinish choice, int editIndex = -1) {
    prompts_ = FakePrompts();
    analysis_ = Analysis();
    sample_ = std::make_unique<SampleFile>();
    fileName_ = sample_->stem();
    std::optional<RecordEdit> edit;
    if (editIndex >= 0) {
      if (RecordEdit::Open(sample_->fullName(), editIndex, &edit_) != FileStatus::kOk) {
        qFatal("the sample record cannot be opened for editing");
      }
      record_ = edit_.unedited;
      edit = edit_;
    } else {
      record_ = TypedSelfReport();
    }
    wizard_ = std::make_unique<SaveWizard>(prompts_, record_, fileName_, analysis_, edit);
    wizard_->open(choice);
    return *wizard_;
  }
  bool closedWithFinish() const { return wizard_->result() == QDialog::Accepted; }

 private slots:
  void aNewRecordIsAddedAndItsAnalysisShown_data() {
    QTest::addColumn<bool>("view");
    QTest::addColumn<bool>("related");
    QTest::newRow("alone") << true << false;
    QTest::newRow("with the most recent related report") << true << true;
    QTest::newRow("no analysis") << false << true;
  }
  void aNewRecordIsAddedAndItsAnalysisShown() {
    QFETCH(bool, view);
    QFETCH(bool, related);
    SaveWizard& wizard = open({view, related});
    QCOMPARE(wizard.page->fileBox()->text(), sample_->stem());
    QCOMPARE(wizard.page->relatedBox()->isEnabled(), view);
    QVERIFY(wizard.page->reasonBox() == nullptr);  // a new record needs no reason
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Save Was Successful")});
    QVERIFY(prompts_.shown.first().text.endsWith(QString::fromStdString(sample_->fullName())));
    QCOMPARE(wizard.page->lastSave().index, 8);  // after the eight sample records
    QVERIFY(ReadBack(sample_->fullName(), 8).IsSameAs(TypedSelfReport()));
    QCOMPARE(analysis_.IsSelfAbsent(), !view);
    if (view) {
      QCOMPARE(analysis_.selfReport().Text(TextField::kComments), "typed from paper");
      QVERIFY(analysis_.selfReport().IsMet(3));  // read with its met flags
    }
    // Alex Morgan's Observer-report is the sample's record 1.
    QCOMPARE(analysis_.IsObserverAbsent(), !(view && related));
    QCOMPARE(wizard.page->analysisChoice().related, related);
  }

  void aRefusedNameKeepsThePageAndItsData() {
    SaveWizard& wizard = open({true, true});
    const QByteArray before = FileBytes(sample_->fullName());
    wizard.page->fileBox()->setText(QStringLiteral("notes.txt"));
    testing::Finish(wizard);
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Incorrect File Name")});
    QVERIFY(!closedWithFinish());
    QCOMPARE(wizard.currentPage(), wizard.page);
    QCOMPARE(wizard.page->lastSave().index, -1);
    QVERIFY(analysis_.IsSelfAbsent());
    wizard.page->fileBox()->setText(sample_->stem());
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QCOMPARE(FileBytes(sample_->fullName()).size(), before.size() + kRecordSize);
  }

  void replacingRewritesOnlyThatRecord() {
    SaveWizard& wizard = open({true, false}, 1);
    const QByteArray before = FileBytes(sample_->fullName());
    QVERIFY(wizard.page->replaceBox()->isChecked());
    QVERIFY(wizard.page->fileBox()->box()->isReadOnly());
    record_.SetText(TextField::kComments, "corrected");
    record_.SetEntryMethod(kEnteredFromPaper);
    // No record is replaced without a reason: Finish says so and puts the focus in its box.
    QLineEdit* reason = wizard.page->reasonBox()->edit();
    QCOMPARE(reason->accessibleName(), QStringLiteral("Reason for change"));
    testing::FinishWithoutReason(wizard);
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Reason for Change")});
    QCOMPARE(FileBytes(sample_->fullName()), before);
    QCOMPARE(wizard.focusWidget(), static_cast<QWidget*>(reason));
    QTest::keyClicks(reason, QStringLiteral("   "));
    testing::FinishWithoutReason(wizard);
    QVERIFY2(!closedWithFinish(), "blanks are no reason");
    prompts_ = FakePrompts();
    reason->clear();
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QVERIFY(prompts_.asked.isEmpty());
    HistoryReview review;
    QCOMPARE(ReviewHistory(sample_->fullName(), &review), FileStatus::kOk);
    QCOMPARE(review.entries.back().action, HistoryAction::kEditReplaced);
    QCOMPARE(review.entries.back().reason, std::string(testing::kEditReason));
    QVERIFY(review.entries.back().fields.find("comments") != std::string::npos);
    const QByteArray after = FileBytes(sample_->fullName());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(Untouched(after, 1), Untouched(before, 1));  // creation stamp and other records
    const ResponseRecord stored = ReadBack(sample_->fullName(), 1);
    QCOMPARE(stored.Text(TextField::kComments), "corrected");
    QCOMPARE(stored.EntryMethod(), kEnteredFromPaper);
    QVERIFY(stored.Text(TextField::kSavedStamp) != edit_.unedited.Text(TextField::kSavedStamp));
    QCOMPARE(wizard.page->lastSave().index, 1);
    QCOMPARE(analysis_.observerReport().Text(TextField::kComments), "corrected");
  }

  void noEditsMadeAsksFirst() {
    SaveWizard& wizard = open({false, false}, 0);
    const QByteArray before = FileBytes(sample_->fullName());
    prompts_.answers.enqueue(false);  // "Do Not Save"
    testing::Finish(wizard);
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.asked.size(), 1);
    QCOMPARE(prompts_.asked.first().caption, QStringLiteral("No Edits Made"));
    QCOMPARE(prompts_.asked.first().acceptText, QStringLiteral("Yes, Proceed"));
    QCOMPARE(prompts_.asked.first().rejectText, QStringLiteral("Do Not Save"));
    QCOMPARE(FileBytes(sample_->fullName()), before);
    prompts_.answers.enqueue(true);  // "Yes, Proceed"
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QCOMPARE(prompts_.asked.size(), 2);
    const ResponseRecord stored = ReadBack(sample_->fullName(), 0);
    QVERIFY(stored.IsSameAs(edit_.unedited));
    QVERIFY(stored.Text(TextField::kSavedStamp) != edit_.unedited.Text(TextField::kSavedStamp));
  }

  void aRecordChangedByAnotherProcessIsNotOverwritten() {
    SaveWizard& wizard = open({false, false}, 1);
    // Another user saves their edit of the same record first.
    const std::string name = sample_->fullName();
    const pid_t child = fork();
    if (child == 0) {
      ResponseRecord theirs = ReadBack(name, 1);
      theirs.SetText(TextField::kComments, "their edit");
      int index = -1;
      _exit(ResponseFile::WriteRecord(name, BuildImage(theirs), &index, 1) == FileStatus::kOk ? 0
                                                                                              : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    QCOMPARE(status, 0);
    const QByteArray theirs = FileBytes(name);
    record_.SetText(TextField::kComments, "my edit");
    testing::Finish(wizard);
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Save Has Failed")});
    QVERIFY(prompts_.shown.first().text.startsWith(
        QStringLiteral("Someone else has changed this record since you opened it")));
    QCOMPARE(FileBytes(name), theirs);
    // Saved as a new record instead.
    wizard.page->replaceBox()->setChecked(false);
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QCOMPARE(ReadBack(name, 1).Text(TextField::kComments), "their edit");
    QCOMPARE(ReadBack(name, 8).Text(TextField::kComments), "my edit");
  }

  void aReadOnlyFileIsLeftForAnotherFile() {
    if (geteuid() == 0) {
      QSKIP("the superuser writes into read-only files");
    }
    SaveWizard& wizard = open({false, false}, 2);
    const QByteArray before = FileBytes(sample_->fullName());
    QVERIFY(chmod(sample_->fullName().c_str(), 0444) == 0);
    record_.SetText(TextField::kComments, "edited");
    testing::Finish(wizard);
    QVERIFY(!closedWithFinish());
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Save Has Failed")});
    QVERIFY(prompts_.shown.first().text.startsWith(QStringLiteral("Write access")));
    QCOMPARE(FileBytes(sample_->fullName()), before);
    wizard.page->replaceBox()->setChecked(false);
    const QString other = sample_->folder() + QStringLiteral("/other");
    wizard.page->fileBox()->setText(other);
    testing::Finish(wizard);
    QVERIFY(closedWithFinish());
    QCOMPARE(ReadBack((other + QStringLiteral(".cvr")).toStdString(), 0).Text(TextField::kComments),
             "edited");
    QCOMPARE(fileName_, other);
  }

  void replacingKeepsTheRecordsOwnFile() {
    SaveWizard& wizard = open({false, false}, 3);
    FileNameBox* box = wizard.page->fileBox();
    wizard.page->replaceBox()->setChecked(false);
    QVERIFY(!box->box()->isReadOnly());
    box->setText(QStringLiteral("elsewhere"));
    wizard.page->replaceBox()->setChecked(true);
    QCOMPARE(box->text(), sample_->stem());
    QVERIFY(box->box()->isReadOnly());
    box->browseButton()->click();
    QCOMPARE(prompts_.captions(), QStringList{QStringLiteral("Replace Existing Record")});
    QVERIFY(prompts_.fileDialogStarts.isEmpty());
  }
};

}  // namespace acv

QTEST_MAIN(acv::PaperSavePageTest)
#include "paper_save_page_test.moc"
