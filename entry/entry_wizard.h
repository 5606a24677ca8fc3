// What every entry wizard shares: the run it works on, each page's caption as the window title,
// the page activation in both directions, Back writing what the page keeps, and the one cancel
// confirmation behind Cancel, Escape and the window's close button. A wizard subclass only adds
// its pages.
#pragma once

#include <QWizard>
#include <optional>

#include "entry/entry_run.h"

namespace acv {

class EntryPage;
class Prompts;
class ResponseRecord;

class EntryWizard : public QWizard {
  Q_OBJECT

 public:
  // `record` and `fileName` (without ".cvr") are the command's; `edit` is the stored record
  // being edited, or nothing for a new record.
  EntryWizard(Prompts& prompts, ResponseRecord& record, QString& fileName,
              std::optional<RecordEdit> edit, QWidget* parent);

  EntryRun& run() { return run_; }
  const EntryRun& run() const { return run_; }
  EntryPage* currentEntryPage() const;

  // The caption of page `id` (counted from 0) of a wizard of `pageCount` pages: "ACV Page 2 of 24".
  static QString pageCaption(int id, int pageCount);

  // Asks "Cancel Selected" and closes without saving only on Yes.
  void reject() override;

 protected:
  Prompts& prompts() const { return prompts_; }

 private:
  void pageChanged(int id);

  Prompts& prompts_;
  EntryRun run_;
  int shownId_ = -1;
};

}  // namespace acv
