// The four wizards keep their drafts through the ways a session really ends: a kill (SIGKILL, a
// power cut) costs at most the stated bound, and a logout or shutdown (SIGTERM) writes even the
// last answer before the program ends with status 0. Each case is a typing session in a program
// of its own, ended from outside, and then resumed here.
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "engine/analysis.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/record_edit.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "storage/draft_folder.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"

namespace acv {

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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    QProcess session;
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    session.start(QStringLiteral(ACV_DRAFT_SESSION_EXE),
                  {wizard, mode, mode == "edit" ? file.stem() : data.filePath("clinic"), timing});
    QVERIFY(session.waitForReadyRead(30000));
    const QByteArray ready = session.readLine().trimmed();
    QVERIFY2(ready.startsWith("ready "), ready.constData());
    const int answer = ready.mid(6).toInt();

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
    QCOMPARE(draft.record.GetResponse(1), answer);
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
    std::optional<RecordEdit> edit;
    if (draft.edit) {
      edit.emplace();
      QCOMPARE(RecordEdit::Restore(draft.edit->fileName, draft.edit->index, draft.edit->original,
                                   &*edit),
               FileStatus::kOk);
    }
    int shown = -1;
    if (draft.wizard == DraftWizard::kPaper) {
      CAdultQSheet sheet(prompts, record, fileName, analysis, edit, nullptr);
      sheet.resume(folder, std::move(found[0]));
      QCOMPARE(sheet.currentId(), draft.page);
      shown = sheet.gridPage()->grid()->box(1)->text().toInt();
    } else {
      CAdultSheet sheet(prompts, record, fileName, edit, nullptr);
      sheet.resume(folder, std::move(found[0]));
      QCOMPARE(sheet.currentId(), draft.page);
      shown = sheet.itemPage(0)->row(0)->answer();
    }
    QCOMPARE(shown, answer);
  }
};

}  // namespace acv

QTEST_MAIN(acv::DraftKillTest)
#include "draft_kill_test.moc"
