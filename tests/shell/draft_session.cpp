// A typing session for the kill tests: opens one of the four wizards on a private drafts folder,
// changes item 1 as a user would, prints "ready N" (N the answer now on screen) and waits to be
// ended from outside, with the program's own handling of SIGTERM and SIGHUP.
//   draft_session screen|paper new|edit FILE settle|now|untouched
// FILE is the response file's name without ".cvr"; an edit opens its record 0. "settle" waits
// out the stated bound before "ready", "now" prints it straight after the last key, "untouched"
// changes nothing and stays on the first page.
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/draft_keeper.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "shell/session_end.h"
#include "storage/drafts/draft_folder.h"
#include "storage/records/record_edit.h"
#include "support/fake_prompts.h"
#include "support/record_builder.h"
#include "support/wizard.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: draft_session screen|paper new|edit FILE settle|now|untouched\n", stderr);
    return 2;
  }
  const bool paper = std::strcmp(argv[1], "paper") == 0;
  const bool editing = std::strcmp(argv[2], "edit") == 0;
  QApplication app(argc, argv);
  acv::testing::FakePrompts prompts;
  QString fileName = QString::fromLocal8Bit(argv[3]);
  acv::ResponseRecord record =
      acv::testing::TestRecord(acv::kSelfReport, {.first = "Zo\xEB",
                                                  .last = "O'Hara",
                                                  .birthDate = "19800307",
                                                  .completed = acv::FormatDate8(acv::Today())});
  std::optional<acv::RecordEdit> edit;
  if (editing) {
    edit.emplace();
    if (acv::RecordEdit::Open(fileName.toStdString() + ".cvr", 0, &*edit) != acv::FileStatus::kOk) {
      std::fputs("draft_session: the record to edit cannot be read\n", stderr);
      return 2;
    }
    record = edit->unedited;
  }
  const int answer = (record.GetResponse(1) + 1) % acv::kAnswerCount;
  acv::Analysis analysis;
  std::unique_ptr<acv::EntryWizard> wizard;
  if (paper) {
    record.SetEntryMethod(acv::kEnteredFromPaper);
    auto sheet = editing ? std::make_unique<acv::CAdultQEditSheet>(prompts, record, fileName,
                                                                   analysis, *edit)
                         : std::make_unique<acv::CAdultQSheet>(prompts, record, fileName, analysis);
    wizard = std::move(sheet);
  } else {
    auto sheet = editing ? std::make_unique<acv::CAdultEditSheet>(prompts, record, fileName, *edit)
                         : std::make_unique<acv::CAdultSheet>(prompts, record, fileName);
    wizard = std::move(sheet);
  }
  wizard->keepDraft(acv::DraftFolder::ForUser());
  wizard->show();
  if (std::strcmp(argv[4], "untouched") == 0) {
    // Left as it opened.
  } else if (auto* sheet = qobject_cast<acv::CAdultQSheet*>(wizard.get())) {
    acv::testing::Next(*sheet, acv::CAdultQSheet::kGridPage);
    QLineEdit* box = sheet->gridPage()->grid()->box(1);
    box->selectAll();
    QTest::keyClicks(box, QString::number(answer));
  } else if (auto* sheet = qobject_cast<acv::CAdultSheet*>(wizard.get())) {
    acv::testing::Next(*sheet, acv::CAdultSheet::kFirstItemPage);
    sheet->itemPage(0)->row(0)->choice(answer)->click();
  }
  acv::EndSessionOnSignals(wizard.get());
  if (std::strcmp(argv[4], "settle") == 0) {
    QTest::qWait(2 * acv::DraftKeeper::kDelayMs);
  }
  std::printf("ready %d\n", answer);
  std::fflush(stdout);
  return QApplication::exec();
}
