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
#include "entry/response_grid_page.h"
#include "storage/text/messages.h"
#include "storage/text/typed_input.h"
#include "ui/date_boxes.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

enum Column { kItemColumn, kStatementColumn, kPaperColumn, kOutcomeColumn };

// The paper's values in the order of a choice's entries; the last is a blank.
constexpr int kBlankChoice = 6;

QLabel* CellLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The stored form of a choice's value, as the typings are compared.
std::string ChosenValue(int index) {
  return index == kBlankChoice || index < 0 ? std::string() : std::to_string(index);
}

// Which typing the paper agreed with, said once a row is resolved.
QString Outcome(const TypingDifference& difference, const std::string& paper) {
  if (paper == difference.first) {
    return TypingDifferencesPage::tr("the first typing");
  }
  if (paper == difference.second) {
    return TypingDifferencesPage::tr("the second typing");
  }
  return TypingDifferencesPage::tr("neither typing");
}

}  // namespace

TypingDifferencesPage::TypingDifferencesPage(EntryRun& run, Prompts& prompts,
                                             const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), run_(run), prompts_(prompts) {
  setObjectName(QStringLiteral("TypingDifferencesPage"));
  auto* table = new QWidget;
  rows_ = new QGridLayout(table);
  rows_->setColumnStretch(kStatementColumn, 1);
  scroll_ = new QScrollArea;
  scroll_->setWidget(table);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      NoteLabel(tr("The two typings differ in the places below.  For each, please look at the "
                   "paper copy and choose what it shows: a number between 0 and 5, or blank.  "
                   "Neither typing is shown until the paper's value is chosen.")));
  layout->addWidget(scroll_, 1);
}

void TypingDifferencesPage::initializePage() {
  while (QLayoutItem* item = rows_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  choices_.clear();
  birth_ = nullptr;
  const QStringList heads = {tr("Item"), tr("Statement"), tr("On the paper"), tr("Agrees with")};
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
  scroll_->ensureVisible(0, 0);
  if (birth_ != nullptr) {
    FocusSelected(birth_->dayBox());
  } else {
    focusRow(0);
  }
}

void TypingDifferencesPage::focusRow(int index) {
  if (index >= static_cast<int>(choices_.size())) {
    FocusNext(this);
    return;
  }
  choices_[index]->setFocus(Qt::TabFocusReason);
  scroll_->ensureWidgetVisible(choices_[index]);
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
  QLabel* outcome = CellLabel(QString());
  rows_->addWidget(outcome, row, kOutcomeColumn);
  if (isBirth) {
    birth_ = new DateBoxes(tr("Date of Birth on the paper"));
    for (QLineEdit* box : {birth_->dayBox(), birth_->monthBox(), birth_->yearBox()}) {
      connect(box, &QLineEdit::textChanged, this, [this, outcome, difference] {
        const std::optional<CalendarDate> date = birth_->date();
        outcome->setText(date ? Outcome(difference, FormatDate8(*date)) : QString());
        emit completeChanged();
      });
    }
    // The date typed, the rows follow.
    AfterDateTyped(birth_, this, [this] { focusRow(0); });
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
  connect(choice, &QComboBox::currentIndexChanged, this, [this, outcome, difference](int index) {
    outcome->setText(index < 0 ? QString() : Outcome(difference, ChosenValue(index)));
    emit completeChanged();
  });
  // Typed from the keyboard like the grid: a value chosen moves on to the next row, in sight.
  connect(choice, &QComboBox::activated, this, [this, next] { focusRow(next); });
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
  const DetailsCheck check =
      CheckBirth({true, birth_->date()}, run_.record.CompletionDate(), Today());
  if (check == DetailsCheck::kOk) {
    return true;
  }
  prompts_.show(this, DetailsMessage(check));
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
