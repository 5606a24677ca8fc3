// The 190 answer boxes of the paper-entry page, one per item, in 13 columns of up to three groups
// of five, with the legend of the six answers in the empty corner at the bottom right. A grid
// too narrow for 13 columns puts them in bands one below another, as many across as fit.
//
// A box reacts only to what the user types or pastes (textEdited): a digit 0..5 or a blank is
// accepted and the focus moves on to the next item's box with its text selected, so a whole form
// is typed without any other key; anything else gets "Incorrect Value" and the box is emptied.
// Showing a record's responses runs no check, and emptying a box moves nothing. What is typed
// while "Incorrect Value" shows answers the items after the wrong one, which stays blank, as if
// the box had not been there; a typist who types nothing then retypes the wrong item.
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
  // The columns of items side by side.
  int columnsAcross() const { return across_; }

  QSize minimumSizeHint() const override;

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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 signals:
  // The focus moved on from the box of `item` (its value accepted, or refused with keys typed
  // on) to the next open box; after the last one the focus is for the page to place.
  void advanced(int item);

 private:
  // Lays the columns out `across` side by side.
  void arrange(int across);
  void check(int item, const QString& text);
  // Shows "Incorrect Value"; true when keys typed after the wrong one wait for typeAhead (some
  // may have been typed while it showed).
  bool refuse();
  void moveOn(int item);
  // The first open item after `item`, or kItemCount + 1 when none is.
  int nextOpenItem(int item) const;
  // Types the keys kept by refuse() into the boxes from the current one on.
  void typeAhead();

  Prompts& prompts_;
  QString ahead_;
  int current_ = 1;  // the item whose box moveOn gave the focus last
  bool typingAhead_ = false;
  std::array<QLineEdit*, kItemSlots> boxes_{};  // indexed by item number; entry 0 unused
  std::array<QLabel*, kItemSlots> labels_{};
  QLabel* legend_;
  int columnWidth_ = 0;  // of one column of items, with the spacing
  int across_ = 0;
};

}  // namespace acv
