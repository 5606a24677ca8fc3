// Page 5 of the paper wizard (CAdultQP6): the file to add the record to, with Browse, and
// whether to see the record's analysis at once, alone or with the person's most recent related
// report. Editing a stored record it is CAdultQP6Edit: "Replace Existing Record" (ticked at
// first) writes the record back in its own place, and Finish without a change first asks "No
// Edits Made".
#pragma once

#include <array>

#include "entry/pages/entry_page.h"
#include "storage/drafts/draft.h"
#include "storage/records/record_store.h"

class QCheckBox;

namespace acv {

class Analysis;
struct EntryRun;
class FileNameBox;
class Prompts;
class ReasonBox;
class ReplaceCheckBox;

class PaperSavePage : public EntryPage {
  Q_OBJECT

 public:
  // `analysis` receives the analysis to show after Finish.
  PaperSavePage(EntryRun& run, Analysis& analysis, Prompts& prompts, const QString& caption,
                QWidget* parent = nullptr);

  // The options the run starts with (from the settings).
  void setInitialChoice(ViewAfterFinish choice);
  // The options as the page shows them.
  ViewAfterFinish analysisChoice() const;

  // Shows the run's file name, options and (editing) "Replace Existing Record".
  void activate() override;
  // Writes the file name and the options into the run.
  void leaveBack() override;
  // The save; true (the wizard closes with Finish) once the record is in the file and, when
  // asked for, its analysis is loaded.
  bool validatePage() override;

  // The last saved record: its full file name and index (empty and -1 until a save succeeds).
  const SaveResult& lastSave() const;
  // The indexes in that file of the records of the analysis loaded, by Report (-1 for a report
  // not read from the file).
  const std::array<int, 2>& analysedIndexes() const { return analysedIndexes_; }

  FileNameBox* fileBox() const { return fileBox_; }
  ReplaceCheckBox* replaceBox() const { return replaceBox_; }  // null unless editing
  ReasonBox* reasonBox() const { return reasonBox_; }          // null unless editing
  QCheckBox* viewBox() const { return view_; }
  QCheckBox* relatedBox() const { return related_; }

 private:
  EntryRun& run_;
  Analysis& analysis_;
  std::array<int, 2> analysedIndexes_{-1, -1};
  Prompts& prompts_;
  FileNameBox* fileBox_;
  ReplaceCheckBox* replaceBox_;
  ReasonBox* reasonBox_;
  QCheckBox* view_;
  QCheckBox* related_;
};

}  // namespace acv
