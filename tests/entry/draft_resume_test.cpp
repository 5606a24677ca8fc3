// A paper copy half typed into the grid survives the wizard going away without Finish or Cancel
// (as in a kill), and a resumed run goes on at the same page with every answer as it was; a disk
// too full for drafts costs one warning and nothing of the typing.
#include <sys/resource.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>
#include <csignal>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "entry/adult_q_sheet.h"
#include "entry/draft_keeper.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "storage/drafts/draft_folder.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"
#include "support/wizard.h"

namespace acv {
namespace {

// What a paper wizard run works on: a drafts folder of its own, prompts, and Ann Lee's record.
struct PaperRun {
  testing::TempDir temp;
  const DraftFolder folder{temp.File("drafts/")};
  testing::FakePrompts prompts;
  Analysis analysis;
  ResponseRecord record = testing::TestRecord(
      kSelfReport,
      {.first = "Ann", .last = "Lee", .birthDate = "19800307", .completed = FormatDate8(Today())});
};

}  // namespace

class DraftResumeTest : public QObject {
  Q_OBJECT

 private slots:
  // A disk too full for a draft: one warning in words, and the questionnaire goes on.
  void aFullDiskWarnsOnceAndTypingGoesOn() {
    PaperRun run;
    testing::FakePrompts& prompts = run.prompts;
    QString fileName;
    CAdultQSheet sheet(prompts, run.record, fileName, run.analysis);
    sheet.keepDraft(run.folder);
    sheet.show();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;  // far below a draft's size
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    testing::Next(sheet);
    sheet.draftKeeper()->flush();
    testing::Next(sheet);
    QTest::keyClicks(sheet.gridPage()->grid()->box(1), QStringLiteral("3"));
    sheet.draftKeeper()->flush();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Drafts Cannot Be Kept")});
    QVERIFY(prompts.shown[0].text.contains(QStringLiteral("because the disk is full")));
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kGridPage));
    QCOMPARE(sheet.gridPage()->grid()->box(1)->text(), QStringLiteral("3"));
  }

  // A run that goes away without Finish or Cancel (as in a kill) leaves a draft once it has
  // changed; resumed, it goes on at the same page with every answer and choice as it was.
  void typedAnswersSurviveAndResumeAtTheSamePage() {
    PaperRun run;
    const DraftFolder& folder = run.folder;
    testing::FakePrompts& prompts = run.prompts;
    testing::AnswerEvery(run.record, [](int) { return 1; });
    QString fileName = run.temp.File("clinic").c_str();
    {
      CAdultQSheet sheet(prompts, run.record, fileName, run.analysis);
      sheet.keepDraft(folder);
      sheet.show();  // the first page sets its default choice as it opens
      QTest::qWait(2 * DraftKeeper::kDelayMs);
    }
    QVERIFY(folder.List(nullptr).empty());
    {
      ResponseRecord record = run.record;
      CAdultQSheet sheet(prompts, record, fileName, run.analysis);
      sheet.keepDraft(folder);
      sheet.show();
      testing::Next(sheet, 2);
      // The typist types ahead; the draft follows within the stated bound.
      QTest::keyClicks(sheet.gridPage()->grid()->box(1), QStringLiteral("3"));
      QTest::keyClicks(sheet.gridPage()->grid()->box(2), QStringLiteral("4"));
      QTest::qWait(2 * DraftKeeper::kDelayMs);
      // Held by this run, so not offered to another program meanwhile.
      QVERIFY(folder.List(nullptr).empty());
      sheet.gridPage()->verifyBox()->setChecked(true);
      testing::Next(sheet);
      QCOMPARE(sheet.currentId(), int(CAdultQSheet::kSecondTypingPage));
    }  // gone without Finish or Cancel
    QVERIFY(prompts.shown.isEmpty());
    std::vector<FoundDraft> found = folder.List(nullptr);
    QCOMPARE(found.size(), size_t(1));
    const Draft& draft = found[0].draft;
    // The second typing is drafted as the grid it checks.
    QCOMPARE(draft.page, int(CAdultQSheet::kGridPage));
    QCOMPARE(draft.pageCount, 5);
    QCOMPARE(draft.wizard, DraftWizard::kPaper);
    QVERIFY(draft.secondTyping);
    QCOMPARE(draft.record.GetResponse(1), 3);
    QCOMPARE(draft.record.GetResponse(2), 4);
    QCOMPARE(QString::fromStdString(draft.fileName), fileName);

    ResponseRecord record = draft.record;
    CAdultQSheet sheet(prompts, record, fileName, run.analysis);
    sheet.resume(folder, std::move(found[0]));
    sheet.show();
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kGridPage));
    QCOMPARE(sheet.gridPage()->grid()->box(2)->text(), QStringLiteral("4"));
    QVERIFY(sheet.gridPage()->verifyBox()->isChecked());
    testing::Back(sheet);  // the pages before it are there to go back to
    QCOMPARE(sheet.currentId(), int(CAdultQSheet::kDetailsPage));
    // Yes in "Cancel Selected" is the end of the draft.
    prompts.answers.enqueue(true);
    sheet.reject();
    QVERIFY(folder.List(nullptr).empty());
  }
};

}  // namespace acv

QTEST_MAIN(acv::DraftResumeTest)
#include "draft_resume_test.moc"
