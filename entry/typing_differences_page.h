// After a second typing that differs from the first: each difference in a row of its own, with
// the item's number and statement in the record's wording (or "Date of Birth") and a choice of
// what the paper shows, which starts empty. Neither typing's value is shown, so that the paper
// has to be read; once a row is resolved it says which typing the paper agrees with. Next stays
// unavailable until every row is resolved; it then writes the paper's values into the record
// and marks it verified. Each value chosen moves the focus on to the next row, scrolled into
// sight (after the last, to Next); a date of birth typed in full moves on to the first row.
#pragma once

#include <vector>

#include "entry/pages/entry_page.h"

class QComboBox;
class QGridLayout;
class QScrollArea;

namespace acv {

class DateBoxes;
struct EntryRun;
class Prompts;

class TypingDifferencesPage : public EntryPage {
  Q_OBJECT

 public:
  TypingDifferencesPage(EntryRun& run, Prompts& prompts, const QString& caption,
                        QWidget* parent = nullptr);

  // One row per difference found when the second typing was left, the focus on the first.
  void initializePage() override;
  bool isComplete() const override;
  bool validatePage() override;

  // The choices of the paper's value, one per differing item, in item order ("0".."5", then
  // "blank"); the date boxes when the date of birth differs, otherwise null.
  const std::vector<QComboBox*>& choices() const { return choices_; }
  DateBoxes* birthBoxes() const { return birth_; }

 private:
  // Makes the row for the difference at `index` of the run's list.
  void addRow(int index);
  // Gives the choice of row `index` (counted among the choices) the focus, in sight; past the
  // last, Next.
  void focusRow(int index);
  // False, after saying why, when the date of birth chosen breaks a rule of the details page.
  bool birthDateAllowed();

  EntryRun& run_;
  Prompts& prompts_;
  QScrollArea* scroll_;
  QGridLayout* rows_;
  std::vector<QComboBox*> choices_;
  DateBoxes* birth_ = nullptr;
};

}  // namespace acv
