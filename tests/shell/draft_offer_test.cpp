// Unfinished questionnaires offered before a new one is begun: Resume, Discard (asked first) and
// Later, and a resumed edit that goes on through the main window to replace its record.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/pages/details_page.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "shell/draft_offer.h"
#include "shell/main_frame.h"
#include "storage/drafts/draft.h"
#include "storage/drafts/draft_folder.h"
#include "storage/format/record_scrambler.h"
#include "storage/records/record_edit.h"
#include "storage/records/record_store.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "support/show_active.h"
#include "support/temp_dir.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"

namespace acv {
namespace {

Draft PaperDraft(const char* lastName) {
  Draft draft;
  draft.wizard = DraftWizard::kPaper;
  draft.page = 2;
  draft.pageCount = 5;
  draft.started = 1'796'000'000;
  draft.changed = draft.started + 60;
  draft.record.SetReportType(kSelfReport);
  draft.record.SetText(TextField::kFirstName, "Ann");
  draft.record.SetText(TextField::kLastName, lastName);
  return draft;
}

// Puts `draft` in `folder` as draft `id`.
void WriteDraft(const DraftFolder& folder, const char* id, const Draft& draft) {
  RecordScrambler scrambler(3);
  QCOMPARE(folder.Prepare(), FileStatus::kOk);
  QCOMPARE(folder.Write(id, EncodeDraft(draft, scrambler)), FileStatus::kOk);
}

}  // namespace

class DraftOfferTest : public QObject {
  Q_OBJECT

 private slots:
  void eachDraftIsOfferedWithResumeDiscardAndLater() {
    testing::TempDir temp;
    const DraftFolder folder(temp.File("drafts/"));
    QCOMPARE(folder.Prepare(), FileStatus::kOk);
    RecordScrambler scrambler(3);
    for (const char* name : {"Lee", "Low", "Lum"}) {
      QCOMPARE(folder.Write(name, EncodeDraft(PaperDraft(name), scrambler)), FileStatus::kOk);
    }
    // A newer program's draft: named once, and left for that program.
    std::string newer = EncodeDraft(PaperDraft("Lin"), scrambler);
    newer[8] = 9;
    QCOMPARE(folder.Write("Lin", newer), FileStatus::kOk);
    testing::FakePrompts prompts;
    // Later; Discard, No, and the same draft again: Discard, Yes; Later.
    for (const int choice : {2, 1, 1, 2}) {
      prompts.chosen.enqueue(choice);
    }
    prompts.answers.enqueue(false);  // No
    prompts.answers.enqueue(true);   // Yes
    QVERIFY(!OfferDrafts(prompts, nullptr, folder));
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Unreadable Drafts")});
    QVERIFY(prompts.shown[0].text.contains(
        QStringLiteral("Lin.draft: made by a newer version of the program; left in place")));
    QCOMPARE(prompts.choices.size(), 4);
    QCOMPARE(prompts.choices[2].text, prompts.choices[1].text);
    QVERIFY(prompts.choices[3].text != prompts.choices[1].text);
    QCOMPARE(prompts.choices[0].caption, QStringLiteral("Unfinished Questionnaire"));
    QVERIFY(prompts.choices[0].text.startsWith(
        QStringLiteral("An unfinished questionnaire was found: Ann L")));
    QVERIFY(
        prompts.choices[0].text.contains(QStringLiteral(", Self-report, from paper, page 3 "
                                                        "of 5, started ")));
    QCOMPARE(prompts.choices[0].acceptText, QStringLiteral("&Resume|&Discard ...|&Later"));
    QCOMPARE(prompts.asked.size(), 2);
    QCOMPARE(prompts.asked[0].caption, QStringLiteral("Discard Unfinished Questionnaire"));
    // Later keeps its drafts; Resume hands one over, held.
    prompts = testing::FakePrompts();
    prompts.chosen.enqueue(0);
    const std::optional<FoundDraft> resumed = OfferDrafts(prompts, nullptr, folder);
    QVERIFY(resumed);
    QVERIFY(resumed->lock->held());
    QCOMPARE(prompts.choices.size(), 1);
    QVERIFY(prompts.shown.isEmpty());  // the newer one was named already
    QVERIFY(QFile::exists(QString::fromStdString(folder.draftFile("Lin"))));
    QCOMPARE(folder.List(nullptr).size(), size_t(1));  // the other one, not held
  }

  // A run resumed on its last page with no last name or date of birth (a draft of a run cut off
  // before the details were whole) is not saved: Finish goes back to the details page and says
  // what is missing there.
  void aRecordWithoutItsDetailsIsNotSaved() {
    testing::TempDir temp;
    Draft draft = PaperDraft("");
    draft.page = 4;
    for (int item = 1; item <= kItemCount; ++item) {
      draft.record.SetResponse(item, item % 6);
    }
    draft.fileName = temp.File("clinic");
    const DraftFolder folder = DraftFolder::ForUser();
    WriteDraft(folder, "nameless", draft);
    testing::FakePrompts prompts;
    prompts.chosen.enqueue(0);
    CMainFrame frame(prompts);
    testing::ShowActive(&frame);
    QStringList seen;
    testing::WhenShown<CAdultQSheet>([&seen, &prompts](CAdultQSheet& shown) {
      CAdultQSheet* sheet = &shown;
      seen << sheet->windowTitle();
      testing::Finish(*sheet);
      seen << sheet->windowTitle() << QApplication::focusWidget()->objectName();
      // Typed there, the record goes on to be saved.
      QTest::keyClicks(sheet->detailsPage()->lastNameBox(), QStringLiteral("Lee"));
      sheet->detailsPage()->birthDate()->setDate(CalendarDate{1980, 3, 7});
      sheet->detailsPage()->completionDate()->setDate(Today());
      testing::Next(*sheet, 3);
      testing::Finish(*sheet);
      seen << prompts.captions().join(QLatin1Char('|'));
    });
    frame.enterResponsesCommand();
    QCOMPARE(seen, (QStringList{QStringLiteral("ACV Page 5 of 5"),
                                QStringLiteral("ACV Page 2 of 5"), QStringLiteral("lastName"),
                                QStringLiteral("Mandatory Field|Save Was Successful")}));
    ResponseRecord saved;
    QCOMPARE(ReadRecord(draft.fileName + ".cvr", 0, &saved), FileStatus::kOk);
    QCOMPARE(saved.Text(TextField::kLastName), std::string_view("Lee"));
  }

  void aResumedEditReplacesItsRecordThroughTheMainWindow() {
    testing::SampleFile sample;
    ResponseRecord stored;
    StoredRecord original{};
    QCOMPARE(ReadRecord(sample.fullName(), 0, &stored, MetFlags::kLeave, &original),
             FileStatus::kOk);
    Draft draft = PaperDraft("Lee");
    draft.record = stored;
    const int changed = stored.GetResponse(5) == 3 ? 4 : 3;
    draft.record.SetResponse(5, changed);
    draft.fileName = sample.stem().toStdString();
    draft.edit = RecordEdit{sample.fullName(), 0, original, stored};
    const DraftFolder folder = DraftFolder::ForUser();
    WriteDraft(folder, "edit", draft);

    testing::FakePrompts prompts;
    prompts.chosen.enqueue(0);
    CMainFrame frame(prompts);
    testing::ShowActive(&frame);
    QString seen;
    testing::WhenShown<CAdultQSheet>([&seen](CAdultQSheet& shown) {
      CAdultQSheet* sheet = &shown;
      seen = sheet->objectName() + QLatin1Char(' ') + sheet->windowTitle() + QLatin1Char(' ') +
             sheet->gridPage()->grid()->box(5)->text();
      testing::Next(*sheet, 2);
      testing::Finish(*sheet);
    });
    frame.editCommand();
    QCOMPARE(seen, QStringLiteral("CAdultQEditSheet ACV Page 3 of 5 %1").arg(changed));
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Save Was Successful")});
    ResponseRecord replaced;
    QCOMPARE(ReadRecord(sample.fullName(), 0, &replaced), FileStatus::kOk);
    QCOMPARE(replaced.GetResponse(5), changed);
    QVERIFY(folder.List(nullptr).empty());  // saved, so gone
  }
};

}  // namespace acv

QTEST_MAIN(acv::DraftOfferTest)
#include "draft_offer_test.moc"
