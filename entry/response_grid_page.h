// Page 3 of the paper wizard (CAdultQP3): all 190 answers of a paper copy typed into one grid of
// boxes, in item order. Next runs the blank-items check and writes the 190 responses; Back writes
// them without a check. Below the grid, "Verify by typing the responses again" asks for a second
// typing of the responses before the record goes on (ticked and fixed when the settings require
// it, and ticked at first in the edit of a verified record, where only the answers changed are
// typed again).
#pragma once

#include <functional>
#include <optional>

#include "entry/entry_run.h"
#include "entry/pages/entry_page.h"

class QCheckBox;
class QLineEdit;
class QScrollArea;
class QWizardPage;

namespace acv {

class BlankItemsCheck;
class DateBoxes;
class Prompts;
class ResponseGrid;

// `grid` in a scroll area of `page` that keeps the box with the focus in sight; after the last
// box `afterLast` places the focus, by default on the wizard's Next.
QScrollArea* ScrollingGrid(ResponseGrid* grid, QWizardPage* page,
                           std::function<void()> afterLast = {});
// Gives the focus to the wizard's Next (or Finish) button of `page`.
void FocusNext(QWizardPage* page);
// Once the year of `date` is typed full, `moveOn` places the focus.
void AfterDateTyped(DateBoxes* date, QObject* context, std::function<void()> moveOn);

class ResponseGridPage : public EntryPage {
  Q_OBJECT

 public:
  // `unedited` is the stored record as it was before an edit, or null for a new record.
  ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks, SecondTyping& secondTyping,
                   Prompts& prompts, const QString& caption,
                   const ResponseRecord* unedited = nullptr, QWidget* parent = nullptr);

  // Shows the record's responses (no box is checked) and puts the focus on item 1, its text
  // selected.
  void activate() override;
  void leaveBack() override;
  // The box after the last one typed.
  void focusWhereTypingStopped() override;
  // The blank-items check, then the responses are written. An edit that changed answers of a
  // verified record says first that the mark goes unless they are typed again, and offers to.
  bool validatePage() override;

  ResponseGrid* grid() const { return grid_; }
  QScrollArea* scrollArea() const { return scroll_; }
  QCheckBox* verifyBox() const { return verify_; }

 private:
  // Gives `box` the focus with its text selected, in sight.
  void focusBox(QLineEdit* box);
  // What an edit changed in the answers of a verified record, or nothing.
  std::optional<SecondTyping::Changes> changesToVerified() const;

  ResponseRecord& record_;
  BlankItemsCheck& blanks_;
  SecondTyping& secondTyping_;
  Prompts& prompts_;
  const ResponseRecord* unedited_;
  ResponseGrid* grid_;
  QScrollArea* scroll_;
  QCheckBox* verify_;
};

}  // namespace acv
