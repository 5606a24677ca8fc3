// The four wizards keep their drafts through the ways a session really ends: a kill (SIGKILL, a
// power cut) costs at most the stated bound, and a logout or shutdown (SIGTERM) writes even the
// last answer before the program ends with status 0. Each case is a typing session in a program
// of its own, ended from outside, and then resumed here.
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/draft_keeper.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "storage/drafts/draft_folder.h"
#include "storage/format/record_image.h"
#include "storage/records/record_edit.h"
#include "storage/records/record_store.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/sample_file.h"
#include "support/wizard.h"

namespace acv {

namespace {

// Starts a typing session with `args`, its drafts kept under `data`.
void StartSession(QProcess& session, const QTemporaryDir& data, const QStringList& args) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
  session.setProcessEnvironment(environment);
  session.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  session.start(QStringLiteral(ACV_DRAFT_SESSION_EXE), args);
}

}  // namespace

class DraftKillTest : public QObject {
  Q_OBJECT

 private slots:
  void aSessionEndedFromOutsideLeavesItsDraft_data() {
    QTest::addColumn<QString>("wizard");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("timing");
    for (const char* wizard : {"screen", "paper"}) {
      for (const char* mode : {"new", "edit"}) {
        QTest::addRow("%s %s, killed after the bound", wizard, mode)
            << wizard << mode << int(SIGKILL) << "settle";
        QTest::addRow("%s %s, logout straight after the last key", wizard, mode)
            << wizard << mode << int(SIGTERM) << "now";
        QTest::addRow("%s %s, killed at a random moment", wizard, mode)
            << wizard << mode << int(SIGKILL) << "random";
      }
    }
  }

  void aSessionEndedFromOutsideLeavesItsDraft() {
    QFETCH(QString, wizard);
    QFETCH(QString, mode);
    QFETCH(int, signal);
    QFETCH(QString, timing);
    const testing::SampleFile file;
    QTemporaryDir data;
    QProcess session;
    StartSession(session, data,
                 {wizard, mode, mode == "edit" ? file.stem() : data.filePath("clinic"),
                  timing == "random" ? QStringLiteral("now") : timing});
    QVERIFY(session.waitForReadyRead(30000));
    const QByteArray ready = session.readLine().trimmed();
    QVERIFY2(ready.startsWith("ready "), ready.constData());
    const int answer = ready.mid(6).toInt();
    // Up to twice the bound after the last key: a draft is always there whole, and it holds
    // the last answer once the bound has passed.
    const int waited =
        timing == "random" ? QRandomGenerator::global()->bounded(2 * DraftKeeper::kDelayMs) : 0;
    QTest::qSleep(waited);
    const bool boundPassed = timing != "random" || waited > DraftKeeper::kDelayMs + 250;

    ::kill(static_cast<pid_t>(session.processId()), signal);
    QVERIFY(session.waitForFinished(30000));
    if (signal == SIGTERM) {
      QCOMPARE(session.exitStatus(), QProcess::NormalExit);
      QCOMPARE(session.exitCode(), 0);
    } else {
      QCOMPARE(session.exitStatus(), QProcess::CrashExit);
    }

    const DraftFolder folder((data.path() + "/VELT/ACV/drafts/").toStdString());
    std::vector<FoundDraft> found = folder.List(nullptr);
    QCOMPARE(found.size(), size_t(1));
    const Draft& draft = found[0].draft;
    QCOMPARE(draft.wizard, wizard == "paper" ? DraftWizard::kPaper : DraftWizard::kOnScreen);
    QCOMPARE(draft.page, wizard == "paper" ? 2 : 3);  // the grid, the first item page
    if (boundPassed) {
      QCOMPARE(draft.record.GetResponse(1), answer);
    }
    QCOMPARE(draft.edit.has_value(), mode == "edit");
    if (draft.edit) {
      QCOMPARE(draft.edit->fileName, file.fullName());
      QCOMPARE(draft.edit->index, 0);
    }

    // Started again: the run goes on at the same page with the answer on screen.
    ResponseRecord record = draft.record;
    QString fileName = QString::fromStdString(draft.fileName);
    testing::FakePrompts prompts;
    Analysis analysis;
    const std::optional<RecordEdit> edit = draft.edit;
    int shown = -1;
    if (draft.wizard == DraftWizard::kPaper) {
      CAdultQSheet sheet(prompts, record, fileName, analysis, edit, nullptr);
      sheet.resume(folder, std::move(found[0]));
      QCOMPARE(sheet.currentId(), draft.page);
      const QString box = sheet.gridPage()->grid()->box(1)->text();
      shown = box.isEmpty() ? -1 : box.toInt();
    } else {
      CAdultSheet sheet(prompts, record, fileName, edit, nullptr);
      sheet.resume(folder, std::move(found[0]));
      QCOMPARE(sheet.currentId(), draft.page);
      shown = sheet.itemPage(0)->row(0)->answer();
    }
    QCOMPARE(shown, draft.record.GetResponse(1));
  }

  // A run left as it opened leaves nothing in the drafts folder, whether a logout ends it or a
  // kill, whose lock file the next look at the folder tidies away.
  void anUntouchedRunLeavesNothing() {
    for (const int signal : {SIGTERM, SIGKILL}) {
      QTemporaryDir data;
      QProcess session;
      StartSession(session, data, {"paper", "new", data.filePath("clinic"), "untouched"});
      QVERIFY(session.waitForReadyRead(30000));
      ::kill(static_cast<pid_t>(session.processId()), signal);
      QVERIFY(session.waitForFinished(30000));
      const DraftFolder folder((data.path() + "/VELT/ACV/drafts/").toStdString());
      QVERIFY(folder.List(nullptr).empty());
      QCOMPARE(QDir(data.path() + "/VELT/ACV/drafts").entryList(QDir::Files), QStringList());
    }
  }

  // A paper copy typed in a run that was killed and resumed is stored as the same bytes as one
  // typed without a break (the saved time aside).
  void aResumedRunStoresWhatAnUnbrokenRunWould() {
    QTemporaryDir data;
    const QString broken = data.filePath(QStringLiteral("broken"));
    QProcess session;
    StartSession(session, data, {"paper", "new", broken, "settle"});
    QVERIFY(session.waitForReadyRead(30000));
    ::kill(static_cast<pid_t>(session.processId()), SIGKILL);
    QVERIFY(session.waitForFinished(30000));
    const DraftFolder folder((data.path() + "/VELT/ACV/drafts/").toStdString());
    std::vector<FoundDraft> found = folder.List(nullptr);
    QCOMPARE(found.size(), size_t(1));

    // The same answers typed on after the resume, and typed whole in an unbroken run.
    const auto typeOnAndFinish = [](CAdultQSheet& sheet) {
      ResponseRecord rest = sheet.run().record;
      testing::AnswerEvery(
          rest, [&](int item) { return item == 1 ? sheet.run().record.GetResponse(1) : item % 6; });
      sheet.gridPage()->grid()->showResponses(rest);
      testing::Next(sheet, 2);
      testing::Finish(sheet);
    };
    testing::FakePrompts prompts;
    Analysis analysis;
    ResponseRecord resumed = found[0].draft.record;
    QString resumedName = QString::fromStdString(found[0].draft.fileName);
    CAdultQSheet again(prompts, resumed, resumedName, analysis, std::nullopt, nullptr);
    again.resume(folder, std::move(found[0]));
    again.show();
    typeOnAndFinish(again);

    ResponseRecord unbroken = testing::TestRecord(kSelfReport, {.first = "Zo\xEB",
                                                                .last = "O'Hara",
                                                                .birthDate = "19800307",
                                                                .completed = FormatDate8(Today())});
    unbroken.SetEntryMethod(kEnteredFromPaper);
    unbroken.SetResponse(1, resumed.GetResponse(1));
    QString unbrokenName = data.filePath(QStringLiteral("unbroken"));
    CAdultQSheet whole(prompts, unbroken, unbrokenName, analysis, std::nullopt, nullptr);
    whole.show();
    testing::Next(whole, CAdultQSheet::kGridPage);
    typeOnAndFinish(whole);
    QCOMPARE(prompts.captions(), QStringList(2, QStringLiteral("Save Was Successful")));

    ResponseRecord stored[2];
    QCOMPARE(ReadRecord(broken.toStdString() + ".cvr", 0, &stored[0]), FileStatus::kOk);
    QCOMPARE(ReadRecord(unbrokenName.toStdString() + ".cvr", 0, &stored[1]), FileStatus::kOk);
    for (ResponseRecord& record : stored) {
      record.SetText(TextField::kSavedStamp, "");
    }
    QVERIFY(EncodePlainImage(stored[0]) == EncodePlainImage(stored[1]));
    QVERIFY(folder.List(nullptr).empty());  // saved, so gone
  }
};

}  // namespace acv

QTEST_MAIN(acv::DraftKillTest)
#include "draft_kill_test.moc"
