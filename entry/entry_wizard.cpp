#include "entry/entry_wizard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <ctime>

#include "entry/draft_keeper.h"
#include "entry/pages/cancel_prompt.h"
#include "entry/pages/details_page.h"
#include "entry/pages/entry_page.h"
#include "storage/drafts/draft_folder.h"
#include "storage/drafts/draft_messages.h"
#include "storage/text/messages.h"
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
  // A record in its file leaves nothing to resume: the draft goes before the user is told.
  run_.saver.setCommitted([this] {
    if (keeper_ != nullptr) {
      keeper_->discard();
    }
  });
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
  draft.page = draftPages_.number(std::max(currentId(), 0));
  draft.pageCount = draftPages_.count(pageIds().size());
  draft.started = started;
  draft.changed = changed;
  draft.replace = run_.saver.replace();
  draft.noBlankWarning = run_.blanks.noBlankWarning();
  draft.secondTyping = run_.secondTyping.wanted;
  draft.byAnotherPerson = run_.secondTyping.byAnotherPerson;
  if (kind == DraftWizard::kPaper) {
    draft.viewAfterFinish = run_.viewAfterFinish;
  }
  draft.record = run_.record;
  draft.fileName = run_.fileName.toStdString();
  if (run_.saver.editing()) {
    draft.edit = run_.saver.edit();
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
  keepAs(folder, id, std::move(lock), static_cast<std::int64_t>(std::time(nullptr)), false);
}

void EntryWizard::keepAs(const DraftFolder& folder, const std::string& id,
                         std::unique_ptr<DraftLock> lock, std::int64_t started, bool resumed) {
  // The kind is asked now, of the whole wizard (see draft()).
  const DraftWizard kind = draftWizard();
  auto current = [this, kind](std::int64_t startedAt, std::int64_t changed) {
    if (EntryPage* page = currentEntryPage()) {
      page->keep();
    }
    return draft(kind, startedAt, changed);
  };
  keeper_ = std::make_unique<DraftKeeper>(current, this, prompts_, folder, id, std::move(lock),
                                          started, resumed);
  watchChanges();
}

void EntryWizard::resume(const DraftFolder& folder, FoundDraft found) {
  const Draft& draft = found.draft;
  run_.saver.setReplace(draft.replace);
  run_.blanks.setNoBlankWarning(draft.noBlankWarning);
  run_.secondTyping.wanted = draft.secondTyping;
  run_.secondTyping.byAnotherPerson = draft.byAnotherPerson;
  if (draft.viewAfterFinish) {
    run_.viewAfterFinish = *draft.viewAfterFinish;
  }
  draftPages_.walkTo(*this, draft.page);
  if (EntryPage* shown = currentEntryPage()) {
    shown->focusWhereTypingStopped();
  }
  keepAs(folder, found.id, std::move(found.lock), draft.started, true);
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
  if (draftPages_.walking() || QWizard::validateCurrentPage()) {
    return true;
  }
  if (const DetailsCheck refused = run_.saver.takeDetailsRefusal(); refused != DetailsCheck::kOk) {
    returnToDetails(refused);
  }
  return false;
}

void EntryWizard::returnToDetails(DetailsCheck check) {
  for (const int id : pageIds()) {
    auto* details = qobject_cast<DetailsPage*>(page(id));
    if (details != nullptr && visitedIds().contains(id)) {
      while (currentId() != id) {
        back();
      }
      details->refuse(check);
      return;
    }
  }
  // A run that began after the details page (as in tests of single pages) is told here.
  prompts_.show(this, DetailsMessage(check));
}

void EntryWizard::reject() {
  if (ConfirmCancel(prompts_, this)) {
    if (keeper_ != nullptr) {
      keeper_->discard();
    }
    QWizard::reject();
  }
}

QString EntryWizard::pageCaption(int id, int pageCount) {
  return tr("ACV Page %1 of %2").arg(id + 1).arg(pageCount);
}

}  // namespace acv
