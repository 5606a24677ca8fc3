// The second typing of a paper copy, after the grid when "Verify by typing the responses again"
// is ticked: the same grid, empty, with the date of birth typed again below it. The first
// typing is never shown here. Next runs the grid's blank-items check and compares the two; where
// they agree in everything the record is marked verified at once, otherwise the differences are
// resolved on the page that follows. Back to the grid drops the second typing, after asking when
// anything was typed; Back from the differences keeps it. In the edit of a verified record only
// the answers the edit changed are open to typing.
//
// Typing runs on without other keys: after the last box the focus goes to the date of birth,
// and once its year is typed, to Next.
#pragma once

#include "entry/pages/entry_page.h"

class QCheckBox;
class QLabel;
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

  // Empties every box and keeps the first typing to compare with: each arrival from the grid
  // starts a new second typing.
  void initializePage() override;
  // Puts the focus on the first box open to typing.
  void activate() override;
  bool validatePage() override;

  // True when something was typed here that going back would drop.
  bool typedAnything() const;

  ResponseGrid* grid() const { return grid_; }
  DateBoxes* birthBoxes() const { return birth_; }
  QCheckBox* anotherPersonBox() const { return anotherPerson_; }

 private:
  EntryRun& run_;
  Prompts& prompts_;
  QLabel* note_;
  ResponseGrid* grid_;
  QScrollArea* scroll_;
  DateBoxes* birth_;
  QCheckBox* anotherPerson_;
};

}  // namespace acv
