// The respondent details page: names, date of birth, date of completion with the age at
// completion, gender, address and contact details. Shared by the on-screen wizard (page 3 of 24)
// and the paper wizard (page 2 of 5). The dates are taken from the record on the first
// activation only; later the boxes keep what was typed, since Back does not write them.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "engine/dates.h"
#include "entry/pages/entry_page.h"
#include "storage/text/messages.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace acv {

class DateBoxes;
class Prompts;
class ResponseRecord;

class DetailsPage : public EntryPage {
  Q_OBJECT

 public:
  // Gives today's date; tests set their own.
  using Clock = std::function<CalendarDate()>;

  // The ten text fields of the page, in the order in which Tab visits them.
  static constexpr int kTextBoxes = 10;

  DetailsPage(ResponseRecord& record, Prompts& prompts, const QString& caption,
              QWidget* parent = nullptr);

  void setClock(Clock today) { today_ = std::move(today); }

  void activate() override;
  // Writes the texts (as typed) and the gender; the dates stay in their boxes.
  void leaveBack() override;
  void keep() override;
  // The checks, in order; the first that fails shows its message and keeps the page.
  bool validatePage() override;
  // Shows the message of `check` (not kOk) and puts the focus, text selected, in the box it
  // names; false, to keep the page.
  bool refuse(DetailsCheck check);

  QLabel* heading() const { return heading_; }
  QLineEdit* firstNameBox() const { return boxes_[0]; }
  QLineEdit* lastNameBox() const { return boxes_[1]; }
  DateBoxes* birthDate() const { return birth_; }
  DateBoxes* completionDate() const { return completion_; }
  QLineEdit* ageBox() const { return age_; }
  QRadioButton* maleButton() const { return male_; }
  QRadioButton* femaleButton() const { return female_; }

 private:
  void showAge();
  void storeTextsAndGender();

  ResponseRecord& record_;
  Prompts& prompts_;
  Clock today_;
  bool firstActivation_ = true;
  QLabel* heading_;
  std::array<QLineEdit*, kTextBoxes> boxes_;
  DateBoxes* birth_;
  DateBoxes* completion_;
  QLineEdit* age_;
  QRadioButton* male_;
  QRadioButton* female_;
};

}  // namespace acv
