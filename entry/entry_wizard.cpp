#include "entry/entry_wizard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <ctime>

#include "entry/draft_keeper.h"
#include "entry/pages/cancel_prompt.h"
#include "entry/pages/entry_page.h"
#include "storage/draft_folder.h"
#include "storage/messages.h"
#include "ui/key_rules.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

EntryWizard::EntryWizard(Prompts& prompts, ResponseRecord& record, QString& fileName,
                         std::optional<RecordEdit> edit, QWidget* parent)
    : QWizard(parent), prompts_(prompts), run_(prompts, record, fileName, std::move(edit)) {
  InstallKeyRules();
  setWindowTitle(tr("Adult Sheet"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnStartPage);
  connect(this, &QWizard::currentIdChanged, this, &EntryWizard::pageChanged);
}

EntryWizard::~EntryWizard() = default;

EntryPage* EntryWizard::currentEntryPage() const {
  return qobject_cast<EntryPage*>(currentPage());
}

void EntryWizard::pageChanged(int id) {
  // A move back shortens the way the wizard has come.
  const bool moved = shownId_ >= 0;
  const qsizetype history = visitedIds().size();
  if (moved && history < shownHistory_) {
    if (auto* left = qobject_cast<EntryPage*>(page(shownId_))) {
      left->leaveBack();
    }
  }
  shownId_ = id;
  shownHistory_ = history;
  if (EntryPage* shown = currentEntryPage()) {
    setWindowTitle(shown->caption());
    // What a page sets to show itself is no change of the run.
    activating_ = true;
    shown->activate();
    activating_ = false;
  }
  // The first page shown is no change: a run left there has nothing to resume.
  if (keeper_ != nullptr && moved) {
    keeper_->write();
  }
}

Draft EntryWizard::draft(DraftWizard kind, std::int64_t started, std::int64_t changed) const {
  Draft draft;
  draft.wizard = kind;
  const int id = std::max(currentId(), 0);
  const auto numbered = numberedAs_.find(id);
  draft.page = numbered == numberedAs_.end() ? id : numbered->second;
  draft.pageCount = static_cast<int>(pageIds().size() - numberedAs_.size());
  draft.started = started;
  draft.changed = changed;
  draft.replace = run_.saver.replace();
  draft.noBlankWarning = run_.blanks.noBlankWarning();
  draft.secondTyping = run_.secondTyping.wanted;
  draft.record = run_.record;
  draft.fileName = run_.fileName.toStdString();
  if (run_.saver.editing()) {
    const RecordEdit& edit = run_.saver.edit();
    draft.edit = DraftEdit{edit.fileName, edit.index, edit.original};
  }
  return draft;
}

void EntryWizard::keepDraft(const DraftFolder& folder) {
  FileStatus status = folder.Prepare();
  const std::string id = folder.NewId();
  auto lock = std::make_unique<DraftLock>();
  if (status == FileStatus::kOk) {
    status = lock->Take(folder, id);
  }
  if (status != FileStatus::kOk) {
    prompts_.show(this, DraftsNotKeptMessage(status, folder.path()));
    return;
  }
  keeper_ = std::make_unique<DraftKeeper>(*this, prompts_, folder, id, std::move(lock),
                                          static_cast<std::int64_t>(std::time(nullptr)));
  watchChanges();
}

void EntryWizard::resume(const DraftFolder& folder, FoundDraft found) {
  run_.saver.setReplace(found.draft.replace);
  run_.blanks.setNoBlankWarning(found.draft.noBlankWarning);
  run_.secondTyping.wanted = found.draft.secondTyping;
  resuming_ = true;
  if (currentId() < 0) {
    restart();
  }
  while (currentId() >= 0 && currentId() != found.draft.page && nextId() >= 0) {
    next();
  }
  resuming_ = false;
  keeper_ = std::make_unique<DraftKeeper>(*this, prompts_, folder, found.id, std::move(found.lock),
                                          found.draft.started);
  watchChanges();
}

void EntryWizard::watchChanges() {
  for (const int id : pageIds()) {
    QWizardPage* shown = page(id);
    const auto changed = [this] {
      if (!activating_) {
        keeper_->changed();
      }
    };
    for (auto* box : shown->findChildren<QLineEdit*>()) {
      connect(box, &QLineEdit::textEdited, this, changed);
    }
    for (auto* box : shown->findChildren<QPlainTextEdit*>()) {
      connect(box, &QPlainTextEdit::textChanged, this, changed);
    }
    for (auto* box : shown->findChildren<QTextEdit*>()) {
      connect(box, &QTextEdit::textChanged, this, changed);
    }
    for (auto* button : shown->findChildren<QAbstractButton*>()) {
      connect(button, &QAbstractButton::toggled, this, changed);
    }
  }
}

bool EntryWizard::validateCurrentPage() {
  return resuming_ || QWizard::validateCurrentPage();
}

void EntryWizard::reject() {
  if (ConfirmCancel(prompts_, this)) {
    if (keeper_ != nullptr) {
      keeper_->discard();
    }
    QWizard::reject();
  }
}

void EntryWizard::done(int result) {
  QWizard::done(result);  // Finish saves in the last page's check, and may stay
  if (result == Accepted && this->result() == Accepted && keeper_ != nullptr) {
    keeper_->discard();
  }
}

QString EntryWizard::pageCaption(int id, int pageCount) {
  return tr("ACV Page %1 of %2").arg(id + 1).arg(pageCount);
}

}  // namespace acv
