// The second typing of a paper copy, after the grid when "Verify by typing the responses again"
// is ticked: the same grid, empty, with the date of birth typed again below it. The first
// typing is never shown here. Next compares the two; where they agree in everything the record
// is marked verified at once, otherwise the differences are resolved on the page that follows.
// Back to the grid drops the second typing; Back from the differences keeps it.
#pragma once

#include "entry/pages/entry_page.h"

class QCheckBox;
class QScrollArea;

namespace acv {

class DateBoxes;
struct EntryRun;
class Prompts;
class ResponseGrid;

class SecondTypingPage : public EntryPage {
  Q_OBJECT

 public:
  SecondTypingPage(EntryRun& run, Prompts& prompts, const QString& caption,
                   QWidget* parent = nullptr);

  // Empties every box: each arrival from the grid starts a new second typing.
  void initializePage() override;
  // Puts the focus on item 1.
  void activate() override;
  bool validatePage() override;

  ResponseGrid* grid() const { return grid_; }
  DateBoxes* birthBoxes() const { return birth_; }
  QCheckBox* anotherPersonBox() const { return anotherPerson_; }

 private:
  EntryRun& run_;
  Prompts& prompts_;
  ResponseGrid* grid_;
  QScrollArea* scroll_;
  DateBoxes* birth_;
  QCheckBox* anotherPerson_;
};

}  // namespace acv
