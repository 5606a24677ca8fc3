// Typing a paper form into the entry grid: 190 digits as key events through the real grid page
// (each checked, the focus moved on with the next box selected and kept in sight), against the
// floor of the same digits typed into 190 bare QLineEdits with plain focus moves. A clinician
// types about three digits a second, so the aim is under 1 ms a digit and at most three times
// the floor.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <chrono>

#include "engine/response_record.h"
#include "entry/entry_run.h"
#include "entry/pages/blank_items.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "ui/prompts.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr QSize kPageSize(860, 470);

// The key of item `item`'s digit.
Qt::Key DigitKey(int item) {
  return static_cast<Qt::Key>(Qt::Key_0 + item % 6);
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

}  // namespace
