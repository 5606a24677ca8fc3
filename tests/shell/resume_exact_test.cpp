// A run ended from outside and resumed through the main window gives back everything typed: in
// each of the four wizards, a run cut off at a page after typing half of it, resumed and finished
// stores the same record (every field, the saved time aside) in the same file and place as the
// same run typed without a break. The typist finds the focus where the typing stopped, the draft
// is gone before "Save Was Successful" is shown, and a draft of a record already saved is named as
// such rather than saved twice.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QtTest>
#include <functional>

#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/draft_keeper.h"
#include "entry/file_page.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/paper_save_page.h"
#include "entry/replace_check_box.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "entry/second_typing_page.h"
#include "shell/adult_edit.h"
#include "shell/main_frame.h"
#include "storage/drafts/draft_folder.h"
#include "storage/format/record_image.h"
#include "storage/format/response_file.h"
#include "storage/records/record_store.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/sample_file.h"
#include "support/show_active.h"
#include "support/wizard.h"
#include "ui/date_boxes.h"
#include "ui/field_boxes.h"
#include "ui/file_name_box.h"
#include "ui/text.h"

namespace acv {
namespace {

using testing::FakePrompts;
using testing::SampleFile;

// Prompts that note, when the save is reported, how many drafts were still on the disk.
class SavePrompts : public FakePrompts {
 public:
  void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override {
    if (caption == QStringLiteral("Save Was Successful")) {
      draftsAtSuccess = DraftFiles().size();
    }
    FakePrompts::message(parent, caption, text, icon);
  }
  static QStringList DraftFiles() {
    return QDir(QString::fromStdString(DraftFolder::ForUser().path())).entryList(QDir::Files);
  }
  qsizetype draftsAtSuccess = -1;
};

// What one user types in one run: the record's fields and the run's choices.
struct Plan {
  bool paper = false;
  bool edit = false;
  bool replace = true;
  bool verify = false;
  bool anotherPerson = false;
  ViewAfterFinish view;
  ResponseRecord target;  // every field as it is to be typed
  QString fileName;       // where a new record goes (or an edit saved as new)
};

Plan MakePlan(bool paper, bool edit, bool replace, QRandomGenerator& random) {
  Plan plan;
  plan.paper = paper;
  plan.edit = edit;
  plan.replace = replace;
  plan.verify = paper && random.bounded(2) == 1;
  plan.anotherPerson = random.bounded(2) == 1;
  plan.view = {random.bounded(2) == 1, random.bounded(2) == 1};
  ResponseRecord& record = plan.target;
  const bool observer = random.bounded(2) == 1;
  record.SetReportType(observer ? kObserverReport : kSelfReport);
  const std::pair<TextField, const char*> texts[] = {
      {TextField::kFirstName, "Zo\xEB"},
      {TextField::kLastName,
       "N\xFA\xF1"
       "ez-Hart"},
      {TextField::kBirthDate, "19800307"},
      {TextField::kCompletionDate, nullptr},
      {TextField::kStreetAddress, "12 Quay St"},
      {TextField::kTown, "Port Vale"},
      {TextField::kState, "VIC"},
      {TextField::kPostcode, "3999"},
      {TextField::kCountry, "Australia"},
      {TextField::kPhone, "03 5550 1234"},
      {TextField::kPhone2, "0400 555 321"},
      {TextField::kEmail, "zoe@example.org"},
      {TextField::kComments, "Typed from the clinic's paper copy; a second half follows."},
  };
  for (const auto& [field, text] : texts) {
    record.SetText(field, text != nullptr ? std::string(text) : FormatDate8(Today()));
  }
  if (observer) {
    record.SetText(TextField::kObserverName, "Kim Lee");
    record.SetText(TextField::kObserverRelationship, "Sister");
    record.SetText(TextField::kObserverContact, "kim@example.org");
  }
  record.SetGender(random.bounded(2) == 1 ? 'F' : 'M');
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, static_cast<int>(random.bounded(kAnswerCount)));
  }
  return plan;
}

// Types `text` into `box` as the user does, replacing what it held (the letters beyond ASCII,
// which key events cannot carry, as an input method puts them in).
void Retype(QLineEdit* box, const std::string& text) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  for (const QChar letter : toQt(text)) {
    if (letter.unicode() < 0x80) {
      QTest::keyClick(box, letter.toLatin1());
    } else {
      box->insert(QString(letter));
    }
  }
}

void TypeDate(DateBoxes* date, const std::optional<CalendarDate>& value) {
  date->setDate(value);
}

// The two halves of one page's typing: half 0 before the program ends, half 1 after the resume.
using Step = std::function<void(QWizard&, int half)>;

void ReportTypeStep(ReportTypePage& page, const ResponseRecord& target, int half) {
  const bool observer = target.ReportType() == kObserverReport;
  if (half == 0) {
    (observer ? page.observerButton() : page.selfButton())->click();
  } else if (observer) {
    Retype(page.observerNameBox(), std::string(target.Text(TextField::kObserverName)));
    Retype(page.relationshipBox(), std::string(target.Text(TextField::kObserverRelationship)));
    page.contactBox()->setPlainText(toQt(target.Text(TextField::kObserverContact)));
  }
}

void DetailsStep(DetailsPage& page, const ResponseRecord& target, int half) {
  if (half == 0) {
    Retype(page.firstNameBox(), std::string(target.Text(TextField::kFirstName)));
    Retype(page.lastNameBox(), std::string(target.Text(TextField::kLastName)));
    TypeDate(page.birthDate(), target.BirthDate());
    TypeDate(page.completionDate(), target.CompletionDate());
    return;
  }
  const std::pair<const char*, TextField> boxes[] = {{"streetAddress", TextField::kStreetAddress},
                                                     {"town", TextField::kTown},
                                                     {"state", TextField::kState},
                                                     {"postcode", TextField::kPostcode},
                                                     {"country", TextField::kCountry},
                                                     {"phone", TextField::kPhone},
                                                     {"phone2", TextField::kPhone2},
                                                     {"email", TextField::kEmail}};
  for (const auto& [name, field] : boxes) {
    Retype(page.findChild<QLineEdit*>(QLatin1String(name)), std::string(target.Text(field)));
  }
  (target.Gender() == 'F' ? page.femaleButton() : page.maleButton())->click();
}

void CommentsStep(CommentsPage& page, const ResponseRecord& target, int half) {
  const QString comments = toQt(target.Text(TextField::kComments));
  const qsizetype middle = comments.size() / 2;
  if (half == 0) {
    page.commentsBox()->setPlainText(QString());
    QTest::keyClicks(page.commentsBox(), comments.left(middle));
  } else {
    page.commentsBox()->moveCursor(QTextCursor::End);
    QTest::keyClicks(page.commentsBox(), comments.mid(middle));
  }
}

void GridStep(ResponseGrid& grid, const ResponseRecord& target, int first, int last) {
  for (int item = first; item <= last; ++item) {
    QLineEdit* box = grid.box(item);
    box->selectAll();
    QTest::keyClicks(box, QString(QLatin1Char(target.GetResponseChar(item))));
  }
}

// The file-name box and "Replace Existing Record" of a first or last page.
void FileStep(FileNameBox& box, ReplaceCheckBox* replace, const Plan& plan) {
  if (replace != nullptr && replace->isChecked() != plan.replace) {
    replace->click();
  }
  if (replace == nullptr || !plan.replace) {
    box.setText(plan.fileName);
  }
}

// Every page of the run in order, each with its two halves; the last one's second half is
// Finish. A step that may not be cut is marked: the second typing is typed whole after a resume.
struct Run {
  void add(Step step, bool mayCut = true) {
    steps.push_back(std::move(step));
    cuttable.push_back(mayCut);
  }
  std::vector<Step> steps;
  std::vector<bool> cuttable;
};

Run OnScreenRun(const Plan& plan) {
  Run run;
  const ResponseRecord& target = plan.target;
  run.add([&plan](QWizard& w, int half) {
    auto& sheet = static_cast<CAdultSheet&>(w);
    if (half == 0) {
      FileStep(*sheet.filePage()->fileBox(), sheet.filePage()->replaceBox(), plan);
    }
  });
  run.add([&target](QWizard& w, int half) {
    ReportTypeStep(*static_cast<CAdultSheet&>(w).reportTypePage(), target, half);
  });
  run.add([&target](QWizard& w, int half) {
    DetailsStep(*static_cast<CAdultSheet&>(w).detailsPage(), target, half);
  });
  for (int index = 0; index < CAdultSheet::kItemPages; ++index) {
    run.add([&target, index](QWizard& w, int half) {
      ItemPage& page = *static_cast<CAdultSheet&>(w).itemPage(index);
      for (int row = half * 5; row < half * 5 + 5; ++row) {
        page.row(row)->choice(target.GetResponse(page.firstItem() + row))->click();
      }
    });
  }
  run.add([&target](QWizard& w, int half) {
    CommentsStep(*static_cast<CAdultSheet&>(w).commentsPage(), target, half);
  });
  run.add([](QWizard& w, int half) {
    if (half == 1) {
      testing::Finish(w);
    }
  });
  return run;
}

Run PaperRun(const Plan& plan) {
  Run run;
  const ResponseRecord& target = plan.target;
  run.add([&target](QWizard& w, int half) {
    ReportTypeStep(*static_cast<CAdultQSheet&>(w).reportTypePage(), target, half);
  });
  run.add([&target](QWizard& w, int half) {
    DetailsStep(*static_cast<CAdultQSheet&>(w).detailsPage(), target, half);
  });
  run.add([&plan](QWizard& w, int half) {
    auto& sheet = static_cast<CAdultQSheet&>(w);
    GridStep(*sheet.gridPage()->grid(), plan.target, half * 95 + 1, half * 95 + 95);
    if (half == 1 && sheet.gridPage()->findChild<QCheckBox*>()->isChecked() != plan.verify) {
      sheet.gridPage()->findChild<QCheckBox*>()->click();
    }
  });
  if (plan.verify) {
    run.add(
        [&plan](QWizard& w, int half) {
          SecondTypingPage& page = *static_cast<CAdultQSheet&>(w).secondTypingPage();
          if (half == 0) {
            GridStep(*page.grid(), plan.target, 1, kItemCount);
            TypeDate(page.birthBoxes(), plan.target.BirthDate());
            if (page.anotherPersonBox()->isChecked() != plan.anotherPerson) {
              page.anotherPersonBox()->click();
            }
          }
        },
        false);
  }
  run.add([&target](QWizard& w, int half) {
    CommentsStep(*static_cast<CAdultQSheet&>(w).commentsPage(), target, half);
  });
  run.add([&plan](QWizard& w, int half) {
    PaperSavePage& page = *static_cast<CAdultQSheet&>(w).savePage();
    if (half == 0) {
      FileStep(*page.fileBox(), page.replaceBox(), plan);
      page.viewBox()->setChecked(plan.view.view);
      page.relatedBox()->setChecked(plan.view.related);
    } else {
      testing::Finish(w);
    }
  });
  return run;
}

// Runs steps `from` to `to` (both included) of `run`, the first from half `firstHalf`; Next
// between the pages.
void Walk(QWizard& wizard, const Run& run, std::size_t from, int firstHalf, std::size_t to,
          int lastHalf) {
  for (std::size_t step = from; step <= to; ++step) {
    for (int half = step == from ? firstHalf : 0; half <= (step == to ? lastHalf : 1); ++half) {
      run.steps[step](wizard, half);
    }
    if (step < to || lastHalf == 1) {
      if (step + 1 < run.steps.size()) {
        testing::Next(wizard);
      }
    }
  }
}

// Where the record of a run ended up: its file's name, its index, and its plain image with the
// saved time cleared.
struct Stored {
  std::string fileName;
  int index = -1;
  PlainImage image{};
};

}  // namespace

class ResumeExactTest : public QObject {
  Q_OBJECT

 private:
  // Starts the plan's command in `frame`; `work` is done in the wizard it opens. An edit goes
  // through the edit selection, choosing Sam Whitlow's first record of the sample file.
  static void StartCommand(CMainFrame& frame, const Plan& plan, const SampleFile& sample,
                           const std::function<void(QWizard&)>& work) {
    testing::ShowActive(&frame);
    const auto inWizard = [work] {
      testing::WhenShown<EntryWizard>([work](EntryWizard& wizard) { work(wizard); });
    };
    if (!plan.edit) {
      inWizard();
      (plan.paper ? frame.command("enterResponses") : frame.command("completeOnScreen"))->trigger();
      return;
    }
    testing::WhenShown<CAdultEdit>([&sample, &plan, inWizard](CAdultEdit& dialog) {
      dialog.fileNameBox()->setText(sample.stem());
      dialog.firstNameBox()->setText(QStringLiteral("Sam"));
      dialog.lastNameBox()->setText(QStringLiteral("Whitlow"));
      dialog.dayBox()->setText(QStringLiteral("14"));
      dialog.monthBox()->setText(QStringLiteral("09"));
      dialog.yearBox()->setText(QStringLiteral("1982"));
      QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
      dialog.list()->setCurrentRow(0);
      (plan.paper ? dialog.paperOption() : dialog.onScreenOption())->setChecked(true);
      inWizard();
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    frame.command("edit")->trigger();
  }

  // Where the run's record went: in place of the edited one (found by the new first name, which
  // no other record has), or at index `count` of the file named.
  static Stored Read(const SampleFile& sample, const Plan& plan, int count) {
    Stored stored;
    const bool replaced = plan.edit && plan.replace;
    stored.fileName = replaced ? sample.fullName() : plan.fileName.toStdString() + ".cvr";
    ResponseRecord record;
    for (int at = replaced ? 0 : count; ReadRecord(stored.fileName, at, &record) == FileStatus::kOk;
         ++at) {
      if (!replaced ||
          record.Text(TextField::kFirstName) == plan.target.Text(TextField::kFirstName)) {
        stored.index = at;
        record.SetText(TextField::kSavedStamp, "");
        stored.image = EncodePlainImage(record);
        break;
      }
    }
    return stored;
  }

  // What the file holds (none when it does not exist yet).
  static int RecordCount(const std::string& fileName) {
    ResponseFile file;
    return file.OpenForReading(fileName, true) == FileStatus::kOk ? file.recordCount() : 0;
  }

 private slots:
  void init() { QDir(QString::fromStdString(DraftFolder::ForUser().path())).removeRecursively(); }

  void aResumedRunStoresWhatAnUnbrokenRunWould_data() {
    QTest::addColumn<bool>("paper");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("lastPage");
    for (const bool paper : {false, true}) {
      for (const bool edit : {false, true}) {
        for (const bool lastPage : {false, true}) {
          QTest::addRow("%s %s, cut %s", paper ? "paper" : "on screen", edit ? "edit" : "new",
                        lastPage ? "on the last page" : "at a random page")
              << paper << edit << lastPage;
        }
      }
    }
  }

  void aResumedRunStoresWhatAnUnbrokenRunWould() {
    QFETCH(bool, paper);
    QFETCH(bool, edit);
    QFETCH(bool, lastPage);
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    // An edit cut on its last page is saved as a new record elsewhere, Replace cleared there.
    Plan plan = MakePlan(paper, edit, !(edit && lastPage), random);
    const Run run = paper ? PaperRun(plan) : OnScreenRun(plan);
    // Never on the first page: an edit that keeps Replace there has changed nothing, and a run
    // that never changed rightly leaves no draft.
    std::size_t cut = run.steps.size() - 1;
    while (!lastPage && (cut == run.steps.size() - 1 || !run.cuttable[cut])) {
      cut = 1 + random.bounded(static_cast<quint32>(run.steps.size() - 1));
    }
    const QString where = QStringLiteral("cut at step %1 of %2").arg(cut).arg(run.steps.size());

    // Unbroken.
    SampleFile whole;
    plan.fileName = plan.edit ? whole.folder() + QStringLiteral("/elsewhere") : whole.stem();
    const int wholeCount = RecordCount(plan.fileName.toStdString() + ".cvr");
    {
      SavePrompts prompts;
      CMainFrame frame(prompts);
      StartCommand(frame, plan, whole,
                   [&run](QWizard& wizard) { Walk(wizard, run, 0, 0, run.steps.size() - 1, 1); });
      QVERIFY2(prompts.captions().contains(QStringLiteral("Save Was Successful")),
               qPrintable(prompts.captions().join(QLatin1Char('|'))));
    }
    const Stored unbroken = Read(whole, plan, wholeCount);
    QVERIFY(unbroken.index >= 0);

    // Cut off after half of page `cut`: the draft as a kill leaves it, once the bound has passed.
    SampleFile broken;
    plan.fileName = plan.edit ? broken.folder() + QStringLiteral("/elsewhere") : broken.stem();
    const int brokenCount = RecordCount(
        plan.edit && plan.replace ? broken.fullName() : plan.fileName.toStdString() + ".cvr");
    QByteArray draftBytes;
    QString draftName;
    {
      SavePrompts prompts;
      prompts.answers.enqueue(true);  // Cancel, once the draft is taken away
      CMainFrame frame(prompts);
      StartCommand(frame, plan, broken, [&](QWizard& wizard) {
        Walk(wizard, run, 0, 0, cut, 0);
        DraftKeeper::FlushAll();
        const QStringList drafts = SavePrompts::DraftFiles().filter(QStringLiteral(".draft"));
        QCOMPARE(drafts.size(), 1);
        draftName = QString::fromStdString(DraftFolder::ForUser().path()) + drafts[0];
        QFile file(draftName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        draftBytes = file.readAll();
        wizard.reject();
      });
    }
    QVERIFY(!draftBytes.isEmpty());
    QVERIFY(SavePrompts::DraftFiles().isEmpty());  // the cancel took it, lock and all
    const auto putBack = [&] {
      QFile file(draftName);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(draftBytes);
      file.close();
      file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    };
    putBack();

    // Resumed: the page it was cut on, the focus where the typing stopped, then the rest.
    {
      SavePrompts prompts;
      prompts.chosen.enqueue(0);  // Resume
      CMainFrame frame(prompts);
      QString caption;
      QWidget* focus = nullptr;
      QWidget* expectedFocus = nullptr;
      testing::ShowActive(&frame);
      testing::WhenShown<EntryWizard>([&](EntryWizard& wizard) {
        caption = wizard.windowTitle();
        focus = QApplication::focusWidget();
        if (auto* items = qobject_cast<ItemPage*>(wizard.currentPage()); items && !plan.edit) {
          expectedFocus = items->row(5)->focusChoice();
        } else if (auto* grid = qobject_cast<ResponseGridPage*>(wizard.currentPage());
                   grid && !plan.edit) {
          expectedFocus = grid->grid()->box(96);
        }
        Walk(wizard, run, cut, 1, run.steps.size() - 1, 1);
      });
      (plan.edit    ? frame.command("edit")
       : plan.paper ? frame.command("enterResponses")
                    : frame.command("completeOnScreen"))
          ->trigger();
      QCOMPARE(prompts.choices.size(), 1);
      QVERIFY2(prompts.captions().contains(QStringLiteral("Save Was Successful")),
               qPrintable(where + QLatin1Char(' ') + prompts.captions().join(QLatin1Char('|'))));
      QCOMPARE(prompts.draftsAtSuccess, 0);  // gone before the user is told
      // On an item page or the grid of a new run, where the typing stopped.
      QVERIFY2(expectedFocus == nullptr || focus == expectedFocus, qPrintable(where));
      // The second typing (step 3 when verifying) carries the grid's number.
      const int page = static_cast<int>(plan.verify && cut > 3 ? cut - 1 : cut);
      QCOMPARE(caption, EntryWizard::pageCaption(page, paper ? 5 : CAdultSheet::kSavePage + 1));
    }
    const Stored resumed = Read(broken, plan, brokenCount);
    QCOMPARE(resumed.index, unbroken.index);
    // Saved once: appended once, or put in place of the edited record.
    const int savedCount = RecordCount(resumed.fileName);
    QCOMPARE(savedCount, plan.edit && plan.replace ? brokenCount : brokenCount + 1);
    QVERIFY2(resumed.image == unbroken.image, qPrintable(where));
    QVERIFY(SavePrompts::DraftFiles().isEmpty());

    // A draft of the last page found again (as after a crash between the save and the draft's
    // removal): named as saved, removed, and not offered or saved again.
    if (!lastPage) {
      return;
    }
    putBack();
    {
      SavePrompts prompts;
      CMainFrame frame(prompts);
      testing::ShowActive(&frame);
      QVERIFY(!frame.offerDrafts());
      QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Questionnaire Already Saved")});
      QVERIFY(prompts.shown[0].text.contains(QStringLiteral("as record %1 of").arg(resumed.index)));
      QVERIFY(prompts.choices.isEmpty());
    }
    QVERIFY(SavePrompts::DraftFiles().isEmpty());
    QCOMPARE(RecordCount(resumed.fileName), savedCount);
  }
};

}  // namespace acv

QTEST_MAIN(acv::ResumeExactTest)
#include "resume_exact_test.moc"
