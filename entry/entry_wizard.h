// What every entry wizard shares: the run it works on, each page's caption as the window title,
// the page activation in both directions, Back writing what the page keeps, and the one cancel
// confirmation behind Cancel, Escape and the window's close button. A wizard subclass only adds
// its pages.
#pragma once

#include <QWizard>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "entry/draft_pages.h"
#include "entry/entry_run.h"
#include "storage/drafts/draft.h"
#include "storage/text/typed_input.h"

namespace acv {

class DraftFolder;
class DraftLock;
class DraftKeeper;
class EntryPage;
class Prompts;
struct FoundDraft;
class ResponseRecord;

class EntryWizard : public QWizard {
  Q_OBJECT

 public:
  // `record` and `fileName` (without ".cvr") are the command's; `edit` is the stored record
  // being edited, or nothing for a new record.
  EntryWizard(Prompts& prompts, ResponseRecord& record, QString& fileName,
              std::optional<RecordEdit> edit, QWidget* parent);
  ~EntryWizard() override;

  EntryRun& run() { return run_; }
  const EntryRun& run() const { return run_; }
  EntryPage* currentEntryPage() const;

  // The caption of page `id` (counted from 0) of a wizard of `pageCount` pages: "ACV Page 2 of 24".
  static QString pageCaption(int id, int pageCount);

  // Which wizard this is, as its drafts name it; the paper wizard says so.
  virtual DraftWizard draftWizard() const { return DraftWizard::kOnScreen; }
  // The run as it stands, as a draft of wizard `kind` started and last changed at the times
  // given (seconds since 1970). The kind is asked of draftWizard() once a wizard is whole: a
  // draft written while the wizard is being destroyed would get the base class's answer.
  Draft draft(DraftWizard kind, std::int64_t started, std::int64_t changed) const;
  // Keeps a draft of this run in `folder` from now on. A folder that cannot be used gives one
  // warning, and the run goes on without a draft.
  void keepDraft(const DraftFolder& folder);
  // Goes on with `found`, whose record, file name and edit the wizard was built on: the choices
  // the run had made are taken back, its page is shown, and the draft is kept from here.
  void resume(const DraftFolder& folder, FoundDraft found);
  // The draft being kept, or null.
  DraftKeeper* draftKeeper() const { return keeper_.get(); }

  // Asks "Cancel Selected" and closes without saving only on Yes; the draft goes with it.
  void reject() override;

 protected:
  Prompts& prompts() const { return prompts_; }
  // Pages passed on the way back to a resumed page are not checked again. A save refused for
  // the details goes back to the details page and says why there.
  bool validateCurrentPage() override;
  // Page `id` is shown beside page `numberedAs` (see DraftPages).
  void numberAs(int id, int numberedAs) { draftPages_.numberAs(id, numberedAs); }

 private:
  void pageChanged(int id);
  // Keeps the run as draft `id` from now on.
  void keepAs(const DraftFolder& folder, const std::string& id, std::unique_ptr<DraftLock> lock,
              std::int64_t started, bool resumed);
  // Every change made in a page's controls is a change of the draft.
  void watchChanges();
  // Shows the details page, passing back through the pages after it, with `check`'s message
  // (shown where the run is when it never passed the details page).
  void returnToDetails(DetailsCheck check);

  Prompts& prompts_;
  EntryRun run_;
  int shownId_ = -1;
  qsizetype shownHistory_ = 0;  // how many pages the way to the page shown has passed
  DraftPages draftPages_;
  bool activating_ = false;
  std::unique_ptr<DraftKeeper> keeper_;
};

}  // namespace acv
