// Page 3 of the paper wizard (CAdultQP3): all 190 answers of a paper copy typed into one grid of
// boxes, in item order. Next runs the blank-items check and writes the 190 responses; Back writes
// them without a check.
#pragma once

#include "entry/pages/entry_page.h"

class QLineEdit;
class QScrollArea;

namespace acv {

class BlankItemsCheck;
class Prompts;
class ResponseGrid;
class ResponseRecord;

class ResponseGridPage : public EntryPage {
  Q_OBJECT

 public:
  ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks, Prompts& prompts,
                   const QString& caption, QWidget* parent = nullptr);

  // Shows the record's responses (no box is checked) and puts the focus on item 1, its text
  // selected.
  void activate() override;
  void leaveBack() override;
  bool validatePage() override;

  ResponseGrid* grid() const { return grid_; }
  QScrollArea* scrollArea() const { return scroll_; }

 private:
  // Keeps the box that has the focus in sight; after item 190 the focus goes to Next.
  void followFocus(int acceptedItem);
  // Gives `box` the focus with its text selected, in sight.
  void focusBox(QLineEdit* box);

  ResponseRecord& record_;
  BlankItemsCheck& blanks_;
  ResponseGrid* grid_;
  QScrollArea* scroll_;
};

}  // namespace acv
