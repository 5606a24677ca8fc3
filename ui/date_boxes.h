// A date typed as three boxes, Day, Month and Year, headed by their names and separated by "/".
// Digits only (2, 2 and 4). A box typed full hands the focus on to the next with its text
// selected, and a digit typed at the end of a full box goes on into the next, so that a whole
// date is typed as one run of digits ("07031975"). A "/" moves on as well, and a Tab or "/" typed
// right after a box moved on by itself is taken as that move, so that "07/03/1975" and
// "07<Tab>03<Tab>1975" give the same date; digits never run on past the year. When a box loses the
// keyboard focus its text is tidied: a day 1..31 and a month 1..12 show as two digits and anything
// else empties the box; a year 0..99 becomes four digits in the current century, or the one before
// when that would lie after this year, then 1..2099 shows as four digits and anything else empties
// it.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "engine/dates.h"

class QLineEdit;

namespace acv {

class DateBoxes : public QWidget {
  Q_OBJECT

 public:
  // `name` is the date's name for assistive tools ("Date of Birth"); the boxes are named
  // "<name> day", "<name> month" and "<name> year".
  explicit DateBoxes(const QString& name, QWidget* parent = nullptr);

  QLineEdit* dayBox() const { return day_; }
  QLineEdit* monthBox() const { return month_; }
  QLineEdit* yearBox() const { return year_; }

  // The texts as they stand (digits only, possibly empty).
  std::string dayText() const;
  std::string monthText() const;
  std::string yearText() const;

  // Shows `date` as "%02u", "%02u", "%04u"; nothing empties the three boxes.
  void setDate(const std::optional<CalendarDate>& date);
  // The date the boxes hold when it is a valid calendar date.
  std::optional<CalendarDate> date() const;
  // The first empty box, in the order day, month, year; null when none is empty.
  QLineEdit* firstEmptyBox() const;
  // Runs every box's focus-out rule now: a button pressed by its shortcut takes no focus, so
  // the boxes may not have been tidied yet.
  void normalise();

 signals:
  // A box lost the focus and was tidied (a page may recompute what depends on the date).
  void boxLeft();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void normaliseBox(QLineEdit* box);
  // The box after `box`, or null after the year.
  QLineEdit* nextBox(const QLineEdit* box) const;
  // Moves the focus to the box after `box` as Tab does, its text selected; false after the year.
  bool moveOn(const QLineEdit* box);

  QLineEdit* day_;
  QLineEdit* month_;
  QLineEdit* year_;
  // The box that moved on by itself, until the next key is typed.
  const QLineEdit* movedOnFrom_ = nullptr;
};

}  // namespace acv
