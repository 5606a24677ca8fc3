// Page 3 of the paper wizard (CAdultQP3): all 190 answers of a paper copy typed into one grid of
// boxes, in item order. Next runs the blank-items check and writes the 190 responses; Back writes
// them without a check. Below the grid, "Verify by typing the responses again" asks for a second
// typing of the responses before the record goes on (ticked and fixed when the settings require
// it).
#pragma once

#include "entry/pages/entry_page.h"

class QCheckBox;
class QLineEdit;
class QScrollArea;
class QWizardPage;

namespace acv {

class BlankItemsCheck;
class Prompts;
class ResponseGrid;
class ResponseRecord;
struct SecondTyping;

// `grid` in a scroll area of `page` that keeps the box with the focus in sight; after item 190
// the focus goes to the wizard's Next.
QScrollArea* ScrollingGrid(ResponseGrid* grid, QWizardPage* page);

class ResponseGridPage : public EntryPage {
  Q_OBJECT

 public:
  ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks, SecondTyping& secondTyping,
                   Prompts& prompts, const QString& caption, QWidget* parent = nullptr);

  // Shows the record's responses (no box is checked) and puts the focus on item 1, its text
  // selected.
  void activate() override;
  void leaveBack() override;
  // The box after the last one typed.
  void focusWhereTypingStopped() override;
  bool validatePage() override;

  ResponseGrid* grid() const { return grid_; }
  QScrollArea* scrollArea() const { return scroll_; }
  QCheckBox* verifyBox() const { return verify_; }

 private:
  // Gives `box` the focus with its text selected, in sight.
  void focusBox(QLineEdit* box);

  ResponseRecord& record_;
  BlankItemsCheck& blanks_;
  SecondTyping& secondTyping_;
  ResponseGrid* grid_;
  QScrollArea* scroll_;
  QCheckBox* verify_;
};

}  // namespace acv
