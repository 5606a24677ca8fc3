// Verifying a paper copy by double entry: the second typing of all 190 digits and the date of
// birth, then three differences resolved from the keyboard, against the first typing of the
// same digits into the grid in the same run (both through the real paper wizard, each ended by
// its Next). The aim is that the verification costs no more than 1.1 times the first typing.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <chrono>

#include "engine/analysis.h"
#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/response_grid_page.h"
#include "entry/second_typing_page.h"
#include "entry/typing_differences_page.h"
#include "ui/date_boxes.h"
#include "ui/prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

// The items the second typing gets wrong, and what it types for them.
constexpr int kWrongItems[] = {5, 77, 190};

QChar Digit(int item) {
  return QChar(u'0' + item % 6);
}

// Each key to the widget with the focus, as a typist does.
void TypeAhead(const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClicks(QApplication::focusWidget(), QString(key));
  }
}

void BM_VerifyFormByDoubleEntry(benchmark::State& state) {
  acv::QtPrompts prompts;
  acv::Analysis analysis;
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  record.SetText(acv::TextField::kFirstName, "Ann");
  record.SetText(acv::TextField::kLastName, "Lee");
  record.SetText(acv::TextField::kBirthDate, "19800307");
  record.SetText(acv::TextField::kCompletionDate, acv::FormatDate8(acv::Today()));
  QString fileName;
  acv::CAdultQSheet sheet(prompts, record, fileName, analysis);
  sheet.show();
  QApplication::setActiveWindow(&sheet);
  if (!QTest::qWaitForWindowActive(&sheet)) {
    state.SkipWithError("the wizard did not become the active window");
    return;
  }
  sheet.next();
  sheet.next();
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
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    TypeAhead(first);
    sheet.gridPage()->verifyBox()->setChecked(true);
    sheet.next();
    firstSpent += Clock::now() - start;

    start = Clock::now();
    TypeAhead(second);
    sheet.secondTypingPage()->birthBoxes()->setDate(acv::CalendarDate{1980, 3, 7});
    sheet.next();
    TypeAhead(resolution);
    sheet.next();
    secondSpent += Clock::now() - start;
    if (sheet.currentId() != acv::CAdultQSheet::kCommentsPage) {
      state.SkipWithError("the verification did not reach the comments page");
      return;
    }
    for (int page = 0; page < 3; ++page) {
      sheet.back();
    }
  }
  const double firstSeconds = std::chrono::duration<double>(firstSpent).count();
  const double secondSeconds = std::chrono::duration<double>(secondSpent).count();
  state.counters["first_ms"] = firstSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["verify_ms"] = secondSeconds * 1e3 / static_cast<double>(state.iterations());
  state.counters["ratio_to_first"] = secondSeconds / firstSeconds;
}
BENCHMARK(BM_VerifyFormByDoubleEntry)->Unit(benchmark::kMillisecond);

}  // namespace
