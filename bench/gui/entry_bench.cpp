// Moving from one item page of the on-screen wizard to the next (read the ten answers, write
// them into the record, load the next ten statements and answers, show the page), against the
// floor of the same move between two bare QWizard pages holding the same widgets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWizard>
#include <chrono>

#include "engine/response_record.h"
#include "entry/draft_keeper.h"
#include "entry/entry_wizard.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/blank_items.h"
#include "storage/drafts/draft_folder.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace {

constexpr int kPages = 19;

// A Self-report with every item answered, so that no page stops at the blank-items dialog.
acv::ResponseRecord Answered() {
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  for (int item = 1; item <= acv::kItemCount; ++item) {
    record.SetResponse(item, item % acv::kAnswerCount);
  }
  return record;
}

class ItemPagesWizard : public acv::EntryWizard {
 public:
  ItemPagesWizard(acv::Prompts& prompts, acv::ResponseRecord& record)
      : EntryWizard(prompts, record, fileName_, std::nullopt, nullptr) {
    for (int page = 0; page < kPages; ++page) {
      addPage(new acv::ItemPage(record, run().blanks, QStringLiteral("ACV Page"), 10 * page + 1));
    }
    resize(960, 720);
  }

 private:
  QString fileName_;
};

// The same rows on plain pages that do nothing when they are shown or left.
class BareWizard : public QWizard {
 public:
  explicit BareWizard(const acv::ResponseRecord& record) {
    for (int page = 0; page < kPages; ++page) {
      auto* bare = new QWizardPage;
      auto* layout = new QVBoxLayout(bare);
      const acv::ItemColumns columns = acv::ItemColumns::For(*bare);
      for (int row = 0; row < acv::ItemPage::kRows; ++row) {
        auto* itemRow = new acv::ItemRow(columns);
        const int item = 10 * page + row + 1;
        itemRow->setItem(item, acv::toQt(record.GetItemText(item)));
        itemRow->setAnswer(record.GetResponse(item));
        layout->addWidget(itemRow);
      }
      addPage(bare);
    }
    resize(960, 720);
  }
};

// Starts again from the first page once the last is shown.
void RestartAtEnd(QWizard& wizard) {
  if (wizard.currentId() == kPages - 1) {
    wizard.restart();
    QApplication::processEvents();
  }
}

// One Next and the page shown.
std::chrono::duration<double> TimedNext(QWizard& wizard) {
  const auto start = std::chrono::steady_clock::now();
  wizard.next();
  QApplication::processEvents();
  return std::chrono::steady_clock::now() - start;
}

// Runs the benchmark's moves, restarting untimed; gives the time of the moves alone.
std::chrono::duration<double> RunMoves(benchmark::State& state, QWizard& wizard) {
  wizard.show();
  QApplication::processEvents();
  std::chrono::duration<double> spent{};
  for (auto _ : state) {
    if (wizard.currentId() == kPages - 1) {
      state.PauseTiming();
      RestartAtEnd(wizard);
      state.ResumeTiming();
    }
    spent += TimedNext(wizard);
  }
  return spent;
}

// Mean seconds of one move of `wizard`, over enough moves to be steady.
double MeanMoveSeconds(QWizard& wizard) {
  wizard.show();
  QApplication::processEvents();
  constexpr int kWarmUp = 2 * kPages;
  constexpr int kTimed = 10 * (kPages - 1);
  for (int i = 0; i < kWarmUp; ++i) {
    RestartAtEnd(wizard);
    TimedNext(wizard);
  }
  std::chrono::duration<double> spent{};
  for (int i = 0; i < kTimed; ++i) {
    RestartAtEnd(wizard);
    spent += TimedNext(wizard);
  }
  return spent.count() / kTimed;
}

double BareMoveSeconds() {
  const acv::ResponseRecord record = Answered();
  BareWizard wizard(record);
  return MeanMoveSeconds(wizard);
}

void BM_BareWizardMove(benchmark::State& state) {
  const acv::ResponseRecord record = Answered();
  BareWizard wizard(record);
  RunMoves(state, wizard);
}
BENCHMARK(BM_BareWizardMove)->Unit(benchmark::kMicrosecond);

// Aim: within one frame (16 ms) and at most three times the bare move.
void BM_ItemPageMove(benchmark::State& state) {
  const double bareSeconds = BareMoveSeconds();
  acv::QtPrompts prompts;
  acv::ResponseRecord record = Answered();
  ItemPagesWizard wizard(prompts, record);
  const std::chrono::duration<double> spent = RunMoves(state, wizard);
  if (record.GetResponse(acv::kItemCount) != acv::kItemCount % acv::kAnswerCount) {
    state.SkipWithError("the answers did not survive the moves");
    return;
  }
  state.counters["ratio_to_bare_move"] =
      spent.count() / static_cast<double>(state.iterations()) / bareSeconds;
  state.counters["bare_move_us"] = bareSeconds * 1e6;
}
BENCHMARK(BM_ItemPageMove)->Unit(benchmark::kMicrosecond);

// The same move while the run is kept as a draft (each move writes it, on the keeper's thread),
// against the move without a draft in the same run. Aim: 1.5 times or less.
void BM_ItemPageMoveKeepingDraft(benchmark::State& state) {
  acv::QtPrompts prompts;
  acv::ResponseRecord plainRecord = Answered();
  ItemPagesWizard plain(prompts, plainRecord);
  const double withoutSeconds = MeanMoveSeconds(plain);
  plain.hide();
  QTemporaryDir dir;
  const acv::DraftFolder folder(dir.filePath(QStringLiteral("drafts/")).toStdString());
  acv::ResponseRecord record = Answered();
  ItemPagesWizard wizard(prompts, record);
  wizard.keepDraft(folder);
  const std::chrono::duration<double> spent = RunMoves(state, wizard);
  wizard.draftKeeper()->flush();
  if (QDir(dir.path() + QStringLiteral("/drafts")).entryList({QStringLiteral("*.draft")}).size() !=
      1) {
    state.SkipWithError("the draft was not kept");
    return;
  }
  state.counters["ratio_to_no_draft"] =
      spent.count() / static_cast<double>(state.iterations()) / withoutSeconds;
  state.counters["no_draft_move_us"] = withoutSeconds * 1e6;
}
BENCHMARK(BM_ItemPageMoveKeepingDraft)->Unit(benchmark::kMicrosecond);

}  // namespace
