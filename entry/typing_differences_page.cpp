#include "entry/typing_differences_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/entry_run.h"
#include "storage/messages.h"
#include "ui/date_boxes.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

enum Column { kItemColumn, kStatementColumn, kFirstColumn, kSecondColumn, kPaperColumn };

// The paper's values in the order of a choice's entries; the last is a blank.
constexpr int kBlankChoice = 6;

QLabel* CellLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QString ShownValue(int item, const std::string& typed) {
  if (typed.empty()) {
    return TypingDifferencesPage::tr("blank");
  }
  if (item == kBirthDateEntry) {
    if (const std::optional<CalendarDate> date = ParseDate8(typed)) {
      return toQt(FormatDayMonthYear(*date));
    }
  }
  return toQt(typed);
}

}  // namespace

TypingDifferencesPage::TypingDifferencesPage(EntryRun& run, Prompts& prompts,
                                             const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), run_(run), prompts_(prompts) {
  setObjectName(QStringLiteral("TypingDifferencesPage"));
  auto* table = new QWidget;
  rows_ = new QGridLayout(table);
  rows_->setColumnStretch(kStatementColumn, 1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(table);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      NoteLabel(tr("The two typings differ in the places below.  For each, please look at the "
                   "paper copy and choose what it shows: a number between 0 and 5, or blank.")));
  layout->addWidget(scroll, 1);
}

void TypingDifferencesPage::initializePage() {
  while (QLayoutItem* item = rows_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  choices_.clear();
  birth_ = nullptr;
  const QStringList heads = {tr("Item"), tr("Statement"), tr("First typing"), tr("Second typing"),
                             tr("On the paper")};
  for (int column = 0; column < heads.size(); ++column) {
    QLabel* head = CellLabel(heads[column]);
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    rows_->addWidget(head, 0, column);
  }
  for (int index = 0; index < static_cast<int>(run_.secondTyping.differences.size()); ++index) {
    addRow(index);
  }
  rows_->setRowStretch(rows_->rowCount(), 1);
  QWidget* first = birth_ != nullptr ? static_cast<QWidget*>(birth_->dayBox())
                                     : static_cast<QWidget*>(choices_.front());
  first->setFocus(Qt::TabFocusReason);
}

void TypingDifferencesPage::addRow(int index) {
  const TypingDifference& difference = run_.secondTyping.differences[index];
  const int row = index + 1;
  const bool isBirth = difference.item == kBirthDateEntry;
  const QString name = isBirth ? tr("Date of Birth") : tr("Item %1").arg(difference.item);
  rows_->addWidget(CellLabel(isBirth ? name : QString::number(difference.item)), row, kItemColumn);
  QLabel* statement =
      CellLabel(isBirth ? QString() : toQt(run_.record.GetItemText(difference.item)));
  statement->setWordWrap(true);
  rows_->addWidget(statement, row, kStatementColumn);
  rows_->addWidget(CellLabel(ShownValue(difference.item, difference.first)), row, kFirstColumn);
  rows_->addWidget(CellLabel(ShownValue(difference.item, difference.second)), row, kSecondColumn);
  if (isBirth) {
    birth_ = new DateBoxes(tr("Date of Birth on the paper"));
    for (QLineEdit* box : {birth_->dayBox(), birth_->monthBox(), birth_->yearBox()}) {
      connect(box, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
    }
    rows_->addWidget(birth_, row, kPaperColumn);
    return;
  }
  auto* choice = new QComboBox;
  // Named with its item and statement; the value chosen follows the name.
  choice->setAccessibleName(tr("%1 on the paper: %2").arg(name, statement->text()));
  for (int value = 0; value <= 5; ++value) {
    choice->addItem(QString::number(value));
  }
  choice->addItem(tr("blank"));
  choice->setCurrentIndex(-1);
  const int next = static_cast<int>(choices_.size()) + 1;
  connect(choice, &QComboBox::currentIndexChanged, this, &QWizardPage::completeChanged);
  // Typed from the keyboard like the grid: a value chosen moves on to the next row.
  connect(choice, &QComboBox::activated, this, [this, next] {
    if (next < static_cast<int>(choices_.size())) {
      choices_[next]->setFocus(Qt::TabFocusReason);
    }
  });
  choices_.push_back(choice);
  rows_->addWidget(choice, row, kPaperColumn);
}

bool TypingDifferencesPage::isComplete() const {
  for (const QComboBox* choice : choices_) {
    if (choice->currentIndex() < 0) {
      return false;
    }
  }
  return birth_ == nullptr || birth_->date().has_value();
}

bool TypingDifferencesPage::birthDateAllowed() {
  if (birth_ == nullptr) {
    return true;
  }
  birth_->normalise();
  const std::optional<CalendarDate> birth = birth_->date();
  if (!birth) {
    prompts_.show(this, Message(MessageId::kBirthDateIncorrect));
  } else if (!IsAssessedAge(AgeInYears(*birth, Today()))) {
    prompts_.show(this, Message(MessageId::kAgeOutOfRange));
  } else if (const std::optional<CalendarDate> completed = run_.record.CompletionDate();
             completed && AgeInYears(*birth, *completed) < kYoungestAge) {
    prompts_.show(this, Message(MessageId::kUnder18AtCompletion));
  } else {
    return true;
  }
  FocusSelected(birth_->dayBox());
  return false;
}

bool TypingDifferencesPage::validatePage() {
  if (!birthDateAllowed()) {
    return false;
  }
  ResponseRecord& record = run_.record;
  auto choice = choices_.begin();
  for (const TypingDifference& difference : run_.secondTyping.differences) {
    if (difference.item == kBirthDateEntry) {
      record.SetText(TextField::kBirthDate, FormatDate8(*birth_->date()));
    } else {
      const int value = (*choice++)->currentIndex();
      record.SetResponse(difference.item, value == kBlankChoice ? -1 : value);
    }
  }
  run_.secondTyping.markVerified(record);
  return true;
}

}  // namespace acv
