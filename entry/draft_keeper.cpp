#include "entry/draft_keeper.h"

#include <ctime>
#include <vector>

#include "storage/drafts/draft_messages.h"
#include "storage/text/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

std::vector<DraftKeeper*>& Keepers() {
  static std::vector<DraftKeeper*> keepers;
  return keepers;
}

}  // namespace

DraftKeeper::DraftKeeper(DraftSource current, QWidget* window, Prompts& prompts,
                         const DraftFolder& folder, std::string id, std::unique_ptr<DraftLock> lock,
                         std::int64_t started, bool resumed)
    : current_(std::move(current)),
      window_(window),
      prompts_(prompts),
      lock_(std::move(lock)),
      started_(started),
      writer_(folder, std::move(id)),
      changed_(resumed) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, &DraftKeeper::write);
  Keepers().push_back(this);
}

DraftKeeper::~DraftKeeper() {
  std::erase(Keepers(), this);
  if (!changed_) {
    discard();
  } else if (!discarded_ && timer_.isActive()) {
    submit();
  }
}

void DraftKeeper::changed() {
  changed_ = true;
  // Not restarted by each key: steady typing is written every kDelayMs.
  if (!discarded_ && !timer_.isActive()) {
    timer_.start();
  }
}

void DraftKeeper::write() {
  if (discarded_) {
    return;
  }
  changed_ = true;
  warnOnce(writer_.lastStatus());
  submit();
}

void DraftKeeper::submit() {
  timer_.stop();
  writer_.Submit(EncodeDraft(current_(started_, std::time(nullptr)), scrambler_));
}

void DraftKeeper::flush() {
  if (changed_) {
    write();
  }
  warnOnce(writer_.Flush());
}

void DraftKeeper::discard() {
  timer_.stop();
  discarded_ = true;
  // A draft that cannot be removed is offered again, and can be discarded then.
  (void)writer_.Discard();
}

void DraftKeeper::FlushAll() {
  for (DraftKeeper* keeper : Keepers()) {
    if (!keeper->discarded_ && keeper->changed_) {
      // No warning now: the program is ending.
      keeper->submit();
      (void)keeper->writer_.Flush();
    }
  }
}

void DraftKeeper::warnOnce(FileStatus status) {
  if (status == FileStatus::kOk || warned_) {
    return;
  }
  warned_ = true;
  prompts_.show(window_, DraftsNotKeptMessage(status, writer_.folder().path()));
}

}  // namespace acv
