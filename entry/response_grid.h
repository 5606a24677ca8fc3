// The 190 answer boxes of the paper-entry page, one per item, in 13 columns of up to three groups
// of five, with the legend of the six answers in the empty corner at the bottom right.
//
// A box reacts only to what the user types or pastes (textEdited): a digit 0..5 or a blank is
// accepted and the focus moves on to the next item's box with its text selected, so a whole form
// is typed without any other key; anything else gets "Incorrect Value" and the box is emptied.
// Showing a record's responses runs no check, and emptying a box moves nothing.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "engine/item_bank.h"

class QLabel;
class QLineEdit;

namespace acv {

class Prompts;
class ResponseRecord;

class ResponseGrid : public QWidget {
  Q_OBJECT

 public:
  explicit ResponseGrid(Prompts& prompts, QWidget* parent = nullptr);

  // The box of item 1..190.
  QLineEdit* box(int item) const { return boxes_[item]; }
  QLabel* legend() const { return legend_; }

  // Each box shows the record's response of its item as one digit, a blank as an empty box.
  void showResponses(const ResponseRecord& record);
  // Writes the response of every box into the record: "0".."5" that value, anything else blank.
  void storeResponses(ResponseRecord& record) const;
  // True when some box open to typing does not hold exactly one character.
  bool hasBlank() const { return firstBlankBox() != nullptr; }
  // The first such box in item order, or null.
  QLineEdit* firstBlankBox() const;
  // Opens only the boxes of `items` to typing (every box for nothing); the others are empty and
  // unavailable, and typing goes from one open box to the next.
  void openOnly(const std::optional<std::vector<int>>& items);
  // The first open box after item `item` (0 for the first of all), or null.
  QLineEdit* nextBox(int item) const;

 signals:
  // A value was accepted in the box of `item` and the focus moved to the next open box; after
  // the last one the focus is for the page to place.
  void advanced(int item);

 private:
  void check(int item, const QString& text);

  Prompts& prompts_;
  std::array<QLineEdit*, kItemSlots> boxes_{};  // indexed by item number; entry 0 unused
  QLabel* legend_;
};

}  // namespace acv
