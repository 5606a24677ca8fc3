#include "entry/item_row.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "engine/item_bank.h"
#include "ui/accessible_roles.h"

namespace acv {
namespace {

constexpr int kStatementColumn = 1;
constexpr int kFirstAnswerColumn = 2;
constexpr int kClearColumn = kFirstAnswerColumn + kAnswerCount;

}  // namespace

QString AnswerLabel(int answer) {
  return QCoreApplication::translate("Entry", kAnswerLabels[answer].data());
}

ItemColumns ItemColumns::For(const QWidget& widget) {
  const QFontMetrics metrics = widget.fontMetrics();
  int answer = 0;
  for (int value = 0; value < kAnswerCount; ++value) {
    answer = std::max(answer, metrics.horizontalAdvance(AnswerLabel(value)));
  }
  QPushButton clear(QCoreApplication::translate("Entry", "Clear"));
  clear.setFont(widget.font());
  return {metrics.horizontalAdvance(QStringLiteral("190.")) + 4, answer + 8,
          clear.sizeHint().width()};
}

void ItemColumns::apply(QGridLayout& grid) const {
  grid.setColumnMinimumWidth(0, number);
  grid.setColumnStretch(kStatementColumn, 1);
  for (int value = 0; value < kAnswerCount; ++value) {
    grid.setColumnMinimumWidth(kFirstAnswerColumn + value, answer);
  }
  grid.setColumnMinimumWidth(kClearColumn, clear);
}

ItemRow::ItemRow(const ItemColumns& columns, QWidget* parent) : QWidget(parent) {
  number_ = new QLabel(this);
  number_->setTextFormat(Qt::PlainText);
  number_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  statement_ = new QLabel(this);
  statement_->setTextFormat(Qt::PlainText);
  statement_->setWordWrap(true);
  statement_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  group_ = new QButtonGroup(this);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 2, 0, 2);
  columns.apply(*grid);
  grid->addWidget(number_, 0, 0, Qt::AlignTop);
  grid->addWidget(statement_, 0, kStatementColumn);
  for (int value = 0; value < kAnswerCount; ++value) {
    auto* choice = new QRadioButton(this);
    choice->installEventFilter(this);
    group_->addButton(choice, value);
    choices_[value] = choice;
    grid->addWidget(choice, 0, kFirstAnswerColumn + value, Qt::AlignCenter);
  }
  clear_ = new QPushButton(tr("Clear"), this);
  clear_->setFocusPolicy(Qt::NoFocus);
  clear_->setAutoDefault(false);
  grid->addWidget(clear_, 0, kClearColumn, Qt::AlignCenter);
  connect(group_, &QButtonGroup::idToggled, this, &ItemRow::updateTabStop);
  connect(clear_, &QPushButton::clicked, this, [this] { setAnswer(-1); });
  updateTabStop();
}

void ItemRow::setItem(int item, const QString& statement) {
  item_ = item;
  number_->setText(QStringLiteral("%1.").arg(item));
  statement_->setText(statement);
  setAccessibleName(tr("Item %1 of 190: %2").arg(item).arg(statement));
  for (int value = 0; value < kAnswerCount; ++value) {
    choices_[value]->setAccessibleName(tr("Item %1: %2").arg(item).arg(AnswerLabel(value)));
    choices_[value]->setAccessibleDescription(statement);
  }
  clear_->setAccessibleName(tr("Clear item %1").arg(item));
}

QString ItemRow::statement() const {
  return statement_->text();
}

int ItemRow::answer() const {
  return group_->checkedId();
}

void ItemRow::setAnswer(int answer) {
  if (answer >= 0 && answer < kAnswerCount) {
    choices_[answer]->setChecked(true);
    return;
  }
  // An exclusive group cannot uncheck its last button.
  group_->setExclusive(false);
  for (QRadioButton* choice : choices_) {
    choice->setChecked(false);
  }
  group_->setExclusive(true);
  updateTabStop();
}

QRadioButton* ItemRow::focusChoice() const {
  const int chosen = answer();
  return choices_[chosen >= 0 ? chosen : 0];
}

void ItemRow::updateTabStop() {
  QRadioButton* stop = focusChoice();
  for (QRadioButton* choice : choices_) {
    choice->setFocusPolicy(choice == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

bool ItemRow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() >= Qt::Key_0 && key->key() < Qt::Key_0 + kAnswerCount &&
      (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    const int answer = key->key() - Qt::Key_0;
    setAnswer(answer);
    emit answeredByKey();
    // The focus has moved on to the next item: the answer is said with its item.
    Announce(this, choices_[answer]->accessibleName());
    return true;
  }
  if (key->key() == Qt::Key_Delete) {
    setAnswer(-1);
    focusChoice()->setFocus(Qt::OtherFocusReason);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace acv
