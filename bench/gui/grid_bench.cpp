// Typing paper forms: 190 digits as key events through the real grid page
// (each checked, the focus moved on with the next box selected and kept in sight), against the
// floor of the same digits typed into 190 bare QLineEdits with plain focus moves. A clinician
// types about three digits a second, so the aim is under 1 ms a digit and at most three times
// the floor.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <chrono>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/entry_run.h"
#include "entry/pages/blank_items.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "entry/second_typing_page.h"
#include "entry/typing_differences_page.h"
#include "storage/drafts/draft_folder.h"
#include "ui/date_boxes.h"
#include "ui/prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr QSize kPageSize(860, 470);

// The key of item `item`'s digit.
Qt::Key DigitKey(int item) {
  return static_cast<Qt::Key>(Qt::Key_0 + item % 6);
}

// A record the report-type and details pages let pass, nothing answered yet.
acv::ResponseRecord PassingRecord() {
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  record.SetText(acv::TextField::kFirstName, "Ann");
  record.SetText(acv::TextField::kLastName, "Lee");
  record.SetText(acv::TextField::kBirthDate, "19800307");
  record.SetText(acv::TextField::kCompletionDate, acv::FormatDate8(acv::Today()));
  return record;
}

// Shows `sheet` as the active window at its grid page; false when it could not be made active.
bool ShowAtGrid(acv::CAdultQSheet& sheet) {
  sheet.show();
  QApplication::setActiveWindow(&sheet);
  if (!QTest::qWaitForWindowActive(&sheet)) {
    return false;
  }
  sheet.next();
  sheet.next();
  return sheet.currentId() == acv::CAdultQSheet::kGridPage;
}

// 190 plain boxes in the grid's 15 rows and 13 columns.
class BareBoxes : public QWidget {
 public:
  BareBoxes() {
    auto* layout = new QGridLayout(this);
    for (int item = 1; item <= acv::kItemCount; ++item) {
      boxes[item] = new QLineEdit;
      layout->addWidget(boxes[item], (item - 1) % 15, (item - 1) / 15);
    }
    resize(kPageSize);
    show();
    QApplication::processEvents();
  }

  // One form: each digit typed, then the focus moved to the next box.
  Clock::duration typeForm() {
    boxes[1]->setFocus(Qt::TabFocusReason);
    const Clock::time_point start = Clock::now();
    for (int item = 1; item <= acv::kItemCount; ++item) {
      QTest::keyClick(boxes[item], DigitKey(item));
      if (item < acv::kItemCount) {
        boxes[item + 1]->setFocus(Qt::TabFocusReason);
      }
    }
    return Clock::now() - start;
  }

  std::array<QLineEdit*, acv::kItemSlots> boxes{};
};

// Mean seconds a digit in bare boxes, over enough forms to be steady.
double BareDigitSeconds() {
  BareBoxes bare;
  bare.typeForm();
  constexpr int kForms = 20;
  Clock::duration spent{};
  for (int form = 0; form < kForms; ++form) {
    spent += bare.typeForm();
  }
  return std::chrono::duration<double>(spent).count() / (kForms * acv::kItemCount);
}

void BM_TypeFormIntoBareBoxes(benchmark::State& state) {
  BareBoxes bare;
  Clock::duration spent{};
  for (auto _ : state) {
    spent += bare.typeForm();
  }
  state.counters["us_per_digit"] = std::chrono::duration<double, std::micro>(spent).count() /
                                   static_cast<double>(state.iterations() * acv::kItemCount);
}
BENCHMARK(BM_TypeFormIntoBareBoxes)->Unit(benchmark::kMillisecond);

// Aim: under 1 ms a digit and at most three times the bare digit.
void BM_TypeFormIntoGrid(benchmark::State& state) {
  const double bareSeconds = BareDigitSeconds();
  acv::QtPrompts prompts;
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  acv::BlankItemsCheck blanks;
  acv::SecondTyping secondTyping;
  acv::ResponseGridPage page(record, blanks, secondTyping, prompts,
                             QStringLiteral("ACV Page 3 of 5"));
  page.resize(kPageSize);
  page.show();
  QApplication::processEvents();
  acv::ResponseGrid* grid = page.grid();
  Clock::duration spent{};
  for (auto _ : state) {
    page.activate();  // focus on item 1
    const Clock::time_point start = Clock::now();
    for (int item = 1; item <= acv::kItemCount; ++item) {
      QTest::keyClick(QApplication::focusWidget(), DigitKey(item));
    }
    spent += Clock::now() - start;
  }
  grid->storeResponses(record);
  if (record.GetResponse(acv::kItemCount) != acv::kItemCount % 6) {
    state.SkipWithError("the digits did not reach their boxes");
    return;
  }
  const double digitSeconds = std::chrono::duration<double>(spent).count() /
                              static_cast<double>(state.iterations() * acv::kItemCount);
  state.counters["us_per_digit"] = digitSeconds * 1e6;
  state.counters["bare_us_per_digit"] = bareSeconds * 1e6;
  state.counters["ratio_to_bare"] = digitSeconds / bareSeconds;
}
BENCHMARK(BM_TypeFormIntoGrid)->Unit(benchmark::kMillisecond);

// Typing a form into the paper wizard's grid while its run is kept as a draft (each digit a
// change, written half a second after the last), against the same typing without a draft in the
// same run. Aim: 1.2 times or less, and still under 1 ms a digit.
double TypeFormInSheet(acv::CAdultQSheet& sheet, int forms) {
  Clock::duration spent{};
  for (int form = 0; form < forms; ++form) {
    sheet.gridPage()->activate();
    const Clock::time_point start = Clock::now();
    for (int item = 1; item <= acv::kItemCount; ++item) {
      QTest::keyClick(QApplication::focusWidget(), DigitKey(item));
    }
    spent += Clock::now() - start;
  }
  return std::chrono::duration<double>(spent).count() / (forms * acv::kItemCount);
}

void BM_TypeFormKeepingDraft(benchmark::State& state) {
  acv::QtPrompts prompts;
  acv::Analysis analysis;
  acv::ResponseRecord record = PassingRecord();
  QString fileName;
  QTemporaryDir dir;
  const acv::DraftFolder folder(dir.filePath(QStringLiteral("drafts/")).toStdString());
  double seconds[2] = {};
  for (const bool keep : {false, true}) {
    acv::CAdultQSheet sheet(prompts, record, fileName, analysis);
    if (keep) {
      sheet.keepDraft(folder);
    }
    if (!ShowAtGrid(sheet)) {
      state.SkipWithError("the wizard did not open at its grid");
      return;
    }
    TypeFormInSheet(sheet, 1);
    if (!keep) {
      seconds[0] = TypeFormInSheet(sheet, 10);
      continue;
    }
    int forms = 0;
    for (auto _ : state) {
      seconds[1] += TypeFormInSheet(sheet, 1);
      ++forms;
    }
    seconds[1] /= forms;
  }
  state.counters["us_per_digit"] = seconds[1] * 1e6;
  state.counters["no_draft_us_per_digit"] = seconds[0] * 1e6;
  state.counters["ratio_to_no_draft"] = seconds[1] / seconds[0];
}
BENCHMARK(BM_TypeFormKeepingDraft)->Unit(benchmark::kMillisecond);

// Verifying a paper copy by double entry: the second typing of all 190 digits and the date of
// birth, then three differences resolved from the keyboard, against the first typing of the
// same digits into the grid in the same run (both through the real paper wizard, each ended by
// its Next). The aim is that the verification costs no more than 1.1 times the first typing.
// The keys of each, and the typist's seconds for them, are counted beside.
// The items the second typing gets wrong, and what it types for them.
constexpr int kWrongItems[] = {5, 77, 190};

QChar Digit(int item) {
  return QChar(u'0' + item % 6);
}

// Each key to the widget with the focus, as a typist does; gives the number of keys.
int TypeAhead(const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClicks(QApplication::focusWidget(), QString(key));
  }
  return static_cast<int>(keys.size());
}

// A clinician types about three keys a second.
constexpr double kTypistKeysPerSecond = 3;

void BM_VerifyFormByDoubleEntry(benchmark::State& state) {
  acv::QtPrompts prompts;
  acv::Analysis analysis;
  acv::ResponseRecord record = PassingRecord();
  QString fileName;
  acv::CAdultQSheet sheet(prompts, record, fileName, analysis);
  if (!ShowAtGrid(sheet)) {
    state.SkipWithError("the wizard did not open at its grid");
    return;
  }
  QString first;
  for (int item = 1; item <= acv::kItemCount; ++item) {
    first += Digit(item);
  }
  QString second = first;
  QString resolution;
  for (const int item : kWrongItems) {
    second[item - 1] = Digit(item + 1);
    resolution += Digit(item);
  }
  Clock::duration firstSpent{};
  Clock::duration secondSpent{};
  Clock::duration resolutionSpent{};  // from the end of the second typing to the comments
  // The keys of each part, Next counted as one: the first typing with its Next, and the second
  // typing, its date of birth, its Next, the resolutions and their Next.
  int firstKeys = 0;
  int verifyKeys = 0;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    firstKeys = TypeAhead(first) + 1;
    sheet.gridPage()->verifyBox()->setChecked(true);
    sheet.next();
    firstSpent += Clock::now() - start;

    start = Clock::now();
    verifyKeys = TypeAhead(second) + TypeAhead(QStringLiteral("07031980")) + 1;
    const Clock::time_point typed = Clock::now();
    sheet.next();
    verifyKeys += TypeAhead(resolution) + 1;
    sheet.next();
    secondSpent += Clock::now() - start;
    resolutionSpent += Clock::now() - typed;
    if (sheet.currentId() != acv::CAdultQSheet::kCommentsPage) {
      state.SkipWithError("the verification did not reach the comments page");
      return;
    }
    for (int page = 0; page < 3; ++page) {
      sheet.back();
    }
    // What a typist's pauses would let the event loop do; otherwise the posted events pile up
    // and every widget deleted has to search them all.
    QApplication::processEvents();
  }
  const double firstSeconds = std::chrono::duration<double>(firstSpent).count();
  const double secondSeconds = std::chrono::duration<double>(secondSpent).count();
  state.counters["first_ms"] = firstSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["verify_ms"] = secondSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["resolution_ms"] =
      std::chrono::duration<double, std::milli>(resolutionSpent).count() /
      static_cast<double>(state.iterations());
  state.counters["ratio_to_first"] = secondSeconds / firstSeconds;
  // What the typist spends: the keys, and their seconds at a typist's pace.
  state.counters["keys_once"] = firstKeys;
  state.counters["keys_verified"] = firstKeys + verifyKeys + 1;  // and Alt+V
  state.counters["typist_s_once"] = firstKeys / kTypistKeysPerSecond;
  state.counters["typist_s_verified"] = (firstKeys + verifyKeys + 1) / kTypistKeysPerSecond;
}
BENCHMARK(BM_VerifyFormByDoubleEntry)->Unit(benchmark::kMillisecond);

}  // namespace
