// An item page of the on-screen wizards: ten items from `firstItem`, in the wording of the
// record's report type, with the answers the record holds. One class serves all nineteen pages.
#pragma once

#include <array>

#include "entry/pages/entry_page.h"

class QScrollArea;

namespace acv {

class BlankItemsCheck;
class ItemRow;
class ResponseRecord;

class ItemPage : public EntryPage {
  Q_OBJECT

 public:
  static constexpr int kRows = 10;

  ItemPage(ResponseRecord& record, BlankItemsCheck& blanks, const QString& caption, int firstItem,
           QWidget* parent = nullptr);

  // Reads the ten statements and answers from the record and puts the focus on the first row.
  void activate() override;
  // Writes the ten answers without any check.
  void leaveBack() override;
  // The first row without an answer.
  void focusWhereTypingStopped() override;
  // Runs the blank-items check when an answer is missing, then writes the ten answers; staying,
  // the focus goes to the first unanswered row.
  bool validatePage() override;

  int firstItem() const { return firstItem_; }
  ItemRow* row(int index) const { return rows_[index]; }

 private:
  void store();
  // The index of the first row without an answer, or -1.
  int firstBlankRow() const;
  // Moves the focus to the row `index`, in sight.
  void focusRow(int index);
  // Moves the focus to the row after `index`, or to Next after the last row.
  void focusAfter(int index);

  ResponseRecord& record_;
  BlankItemsCheck& blanks_;
  int firstItem_;
  QScrollArea* scroll_;
  std::array<ItemRow*, kRows> rows_;
};

}  // namespace acv
