#include "entry/pages/details_page.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/response_record.h"
#include "storage/text/messages.h"
#include "ui/accessible_roles.h"
#include "ui/buddy_label.h"
#include "ui/date_boxes.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

struct TextBoxSpec {
  TextField field;
  const char* name;
  const char* label;
};

// The page's text boxes; the two phone boxes share one row.
constexpr std::array<TextBoxSpec, DetailsPage::kTextBoxes> kTextBoxSpecs = {{
    {TextField::kFirstName, "firstName", "*Fi&rst Name:"},
    {TextField::kLastName, "lastName", "*&Last Name:"},
    {TextField::kStreetAddress, "streetAddress", "&Street Address:"},
    {TextField::kTown, "town", "Suburb/&Town:"},
    {TextField::kState, "state", "St&ate:"},
    {TextField::kPostcode, "postcode", "&Postcode:"},
    {TextField::kCountry, "country", "&Country:"},
    {TextField::kPhone, "phone", "P&hone no.(s):"},
    {TextField::kPhone2, "phone2", "Second phone no.:"},
    {TextField::kEmail, "email", "Ema&il:"},
}};
constexpr int kPhone2 = 8;

QString WithoutTrailingBlanks(QString text) {
  while (text.endsWith(QLatin1Char(' '))) {
    text.chop(1);
  }
  return text;
}

}  // namespace

DetailsPage::DetailsPage(ResponseRecord& record, Prompts& prompts, const QString& caption,
                         QWidget* parent)
    : EntryPage(caption, parent), record_(record), prompts_(prompts), today_(&Today) {
  heading_ = NoteLabel(QString());
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  for (int index = 0; index < kTextBoxes; ++index) {
    boxes_[index] = NewFieldBox(this, QString::fromLatin1(kTextBoxSpecs[index].name),
                                kTextBoxSpecs[index].field);
    const int width = FieldWidth(kTextBoxSpecs[index].field);
    if (width <= 10) {  // state and postcode: as wide as what they hold
      boxes_[index]->setMaximumWidth(
          boxes_[index]->fontMetrics().horizontalAdvance(QString(width + 2, QLatin1Char('W'))));
    }
  }
  birth_ = new DateBoxes(tr("Date of Birth"), this);
  completion_ = new DateBoxes(tr("Date of Completion"), this);
  age_ = new QLineEdit(this);
  age_->setObjectName(QStringLiteral("age"));
  age_->setReadOnly(true);
  age_->setAlignment(Qt::AlignCenter);
  age_->setMaximumWidth(age_->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
  male_ = new QRadioButton(tr("&Male"));
  male_->setObjectName(QStringLiteral("male"));
  female_ = new QRadioButton(tr("F&emale"));
  female_->setObjectName(QStringLiteral("female"));
  auto* genders = new QButtonGroup(this);
  genders->addButton(male_);
  genders->addButton(female_);

  auto* form = new QFormLayout;
  const auto addText = [&](int index) {
    form->addRow(BuddyLabel(tr(kTextBoxSpecs[index].label), boxes_[index]), boxes_[index]);
  };
  addText(0);
  addText(1);
  auto* dates = new QHBoxLayout;
  auto* dateForm = new QFormLayout;
  // The date boxes name themselves for assistive tools; the labels only lead to them.
  for (auto [text, date] : {std::pair{tr("*&Date of Birth:"), birth_},
                            std::pair{tr("*Date of C&ompletion:"), completion_}}) {
    auto* label = new QLabel(text);
    label->setBuddy(date->dayBox());
    dateForm->addRow(label, date);
  }
  dates->addLayout(dateForm);
  dates->addWidget(NoteLabel(tr("* denotes mandatory fields")), 0, Qt::AlignTop);
  form->addRow(dates);
  form->addRow(BuddyLabel(tr("A&ge at Completion:"), age_), age_);
  auto* gender = new ChoiceGroup(tr("Gender"));
  auto* genderRow = new QHBoxLayout(gender);
  genderRow->setContentsMargins(0, 0, 0, 0);
  genderRow->addWidget(male_);
  genderRow->addWidget(female_);
  genderRow->addStretch();
  form->addRow(NoteLabel(tr("Gender:")), gender);
  for (int index = 2; index < kTextBoxes; ++index) {
    if (index == kPhone2) {
      continue;
    }
    if (index == kPhone2 - 1) {
      auto* phones = new QHBoxLayout;
      phones->addWidget(boxes_[index]);
      phones->addWidget(boxes_[kPhone2]);
      boxes_[kPhone2]->setAccessibleName(tr(kTextBoxSpecs[kPhone2].label).remove(':'));
      form->addRow(BuddyLabel(tr(kTextBoxSpecs[index].label), boxes_[index]), phones);
    } else {
      addText(index);
    }
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addLayout(form);
  layout->addStretch();

  // Tab follows the page from top to bottom. Each date is ordered as a whole: the date stands in
  // the focus chain for its boxes, so that a date left behind would lead Tab back into them.
  QWidget* previous = lastNameBox();
  for (QWidget* next : std::initializer_list<QWidget*>{
           birth_, completion_, age_, male_, female_, boxes_[2], boxes_[3], boxes_[4], boxes_[5],
           boxes_[6], boxes_[7], boxes_[8], boxes_[9]}) {
    setTabOrder(previous, next);
    previous = next;
  }

  connect(birth_, &DateBoxes::boxLeft, this, &DetailsPage::showAge);
  connect(completion_, &DateBoxes::boxLeft, this, &DetailsPage::showAge);
}

void DetailsPage::activate() {
  heading_->setText(record_.ReportType() == kObserverReport
                        ? tr("Please provide the details of the person you have been asked to "
                             "describe")
                        : tr("Please provide your details"));
  for (int index = 0; index < kTextBoxes; ++index) {
    boxes_[index]->setText(toQt(record_.Text(kTextBoxSpecs[index].field)));
  }
  if (firstActivation_) {
    firstActivation_ = false;
    birth_->setDate(record_.BirthDate());
    const std::optional<CalendarDate> completed = record_.CompletionDate();
    completion_->setDate(completed ? *completed : today_());
    showAge();
  }
  male_->setChecked(record_.Gender() == 'M');
  female_->setChecked(record_.Gender() == 'F');
  if (!male_->isChecked() && !female_->isChecked()) {
    // An exclusive group keeps its last choice; a gender without a button shows none.
    male_->group()->setExclusive(false);
    male_->setChecked(false);
    female_->setChecked(false);
    male_->group()->setExclusive(true);
  }
  firstNameBox()->setFocus();
}

void DetailsPage::showAge() {
  const std::optional<CalendarDate> birth = birth_->date();
  const std::optional<CalendarDate> completed = completion_->date();
  const int age = birth && completed ? AgeInYears(*birth, *completed) : 0;
  // Two places, a single digit after a blank.
  age_->setText(age >= 1 && age <= 99 ? QStringLiteral("%1").arg(age, 2) : QString());
}

bool DetailsPage::refuse(DetailsCheck check) {
  prompts_.show(this, DetailsMessage(check));
  QLineEdit* box = birth_->dayBox();
  switch (check) {
    case DetailsCheck::kOk:
    case DetailsCheck::kNoFirstName:
      box = firstNameBox();
      break;
    case DetailsCheck::kNoLastName:
      box = lastNameBox();
      break;
    case DetailsCheck::kNoBirthDate:
      box = birth_->firstEmptyBox() != nullptr ? birth_->firstEmptyBox() : birth_->dayBox();
      break;
    case DetailsCheck::kBirthDateInvalid:
    case DetailsCheck::kAgeOutOfRange:
      break;
    case DetailsCheck::kNoCompletionDate:
      box = completion_->firstEmptyBox() != nullptr ? completion_->firstEmptyBox()
                                                    : completion_->dayBox();
      break;
    case DetailsCheck::kCompletionInvalid:
    case DetailsCheck::kCompletionOutOfRange:
    case DetailsCheck::kUnder18AtCompletion:
      box = completion_->dayBox();
      break;
  }
  FocusSelected(box);
  return false;
}

bool DetailsPage::validatePage() {
  // Enter presses Next without moving the focus, so a date box may not be tidied yet.
  birth_->normalise();
  completion_->normalise();
  showAge();
  for (QLineEdit* name : {firstNameBox(), lastNameBox()}) {
    name->setText(WithoutTrailingBlanks(name->text()));
  }
  const std::optional<CalendarDate> birth = birth_->date();
  const std::optional<CalendarDate> completed = completion_->date();
  const DetailsCheck check =
      CheckDetails(!firstNameBox()->text().isEmpty(), !lastNameBox()->text().isEmpty(),
                   {birth_->firstEmptyBox() == nullptr, birth},
                   {completion_->firstEmptyBox() == nullptr, completed}, today_());
  if (check != DetailsCheck::kOk) {
    return refuse(check);
  }
  storeTextsAndGender();
  record_.SetText(TextField::kBirthDate, FormatDate8(*birth));
  record_.SetText(TextField::kCompletionDate, FormatDate8(*completed));
  return true;
}

void DetailsPage::leaveBack() {
  storeTextsAndGender();
}

void DetailsPage::keep() {
  storeTextsAndGender();
  // A date is kept once it is whole; one half typed is not.
  if (const std::optional<CalendarDate> birth = birth_->date()) {
    record_.SetText(TextField::kBirthDate, FormatDate8(*birth));
  }
  if (const std::optional<CalendarDate> completed = completion_->date()) {
    record_.SetText(TextField::kCompletionDate, FormatDate8(*completed));
  }
}

void DetailsPage::storeTextsAndGender() {
  for (int index = 0; index < kTextBoxes; ++index) {
    record_.SetText(kTextBoxSpecs[index].field, fromQt(boxes_[index]->text()));
  }
  // A gender without a button here (other, or a code in lower case) stays as stored; a new
  // record keeps its "not specified".
  if (male_->isChecked()) {
    record_.SetGender('M');
  } else if (female_->isChecked()) {
    record_.SetGender('F');
  }
}

}  // namespace acv
