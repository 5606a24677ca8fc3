#include "ui/date_boxes.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cstdio>

#include "storage/text/typed_input.h"
#include "ui/field_boxes.h"

namespace acv {
namespace {

QLineEdit* DigitsBox(QWidget* parent, const char* objectName, const QString& accessibleName,
                     int limit) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setAccessibleName(accessibleName);
  box->setMaxLength(limit);
  box->setAlignment(Qt::AlignHCenter);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), box));
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QString(limit + 3, QLatin1Char('0'))));
  return box;
}

QString Padded(int value, int width) {
  return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

}  // namespace

DateBoxes::DateBoxes(const QString& name, QWidget* parent) : QWidget(parent) {
  day_ = DigitsBox(this, "day", tr("%1 day").arg(name), 2);
  month_ = DigitsBox(this, "month", tr("%1 month").arg(name), 2);
  year_ = DigitsBox(this, "year", tr("%1 year").arg(name), 4);
  setFocusProxy(day_);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(1);
  int column = 0;
  for (auto [heading, box] :
       {std::pair{tr("Day"), day_}, {tr("Month"), month_}, {tr("Year"), year_}}) {
    if (column > 0) {
      layout->addWidget(new QLabel(QStringLiteral("/")), 1, column++);
    }
    auto* label = new QLabel(heading);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label, 0, column);
    layout->addWidget(box, 1, column++);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, box](const QString& text) {
      if (text.size() == box->maxLength() && box->cursorPosition() == text.size() && moveOn(box)) {
        movedOnFrom_ = box;
      }
    });
  }
  layout->setColumnStretch(column, 1);
}

std::string DateBoxes::dayText() const {
  return day_->text().toStdString();
}
std::string DateBoxes::monthText() const {
  return month_->text().toStdString();
}
std::string DateBoxes::yearText() const {
  return year_->text().toStdString();
}

void DateBoxes::setDate(const std::optional<CalendarDate>& date) {
  day_->setText(date ? Padded(date->day, 2) : QString());
  month_->setText(date ? Padded(date->month, 2) : QString());
  year_->setText(date ? Padded(date->year, 4) : QString());
}

std::optional<CalendarDate> DateBoxes::date() const {
  const std::optional<int> day = ParseDigits(dayText());
  const std::optional<int> month = ParseDigits(monthText());
  const std::optional<int> year = ParseDigits(yearText());
  if (!day || !month || !year) {
    return std::nullopt;
  }
  const CalendarDate date{*year, *month, *day};
  return IsValidCalendarDate(date) ? std::optional(date) : std::nullopt;
}

QLineEdit* DateBoxes::firstEmptyBox() const {
  for (QLineEdit* box : {day_, month_, year_}) {
    if (box->text().isEmpty()) {
      return box;
    }
  }
  return nullptr;
}

void DateBoxes::normalise() {
  for (QLineEdit* box : {day_, month_, year_}) {
    normaliseBox(box);
  }
}

QLineEdit* DateBoxes::nextBox(const QLineEdit* box) const {
  return box == day_ ? month_ : box == month_ ? year_ : nullptr;
}

bool DateBoxes::moveOn(const QLineEdit* box) {
  QLineEdit* next = nextBox(box);
  if (next == nullptr) {
    return false;
  }
  FocusSelected(next);
  return true;
}

bool DateBoxes::eventFilter(QObject* watched, QEvent* event) {
  auto* box = static_cast<QLineEdit*>(watched);
  if (event->type() == QEvent::FocusOut) {
    normaliseBox(box);
    emit boxLeft();
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool separator = key->text() == QStringLiteral("/") ||
                           (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier);
    // The key right after a box moved on by itself: a Tab or "/" typed out of habit is that
    // move, already made.
    const bool justMoved = movedOnFrom_ != nullptr && nextBox(movedOnFrom_) == box;
    movedOnFrom_ = nullptr;
    if (separator && justMoved) {
      return true;
    }
    if (key->text() == QStringLiteral("/")) {
      moveOn(box);
      return true;
    }
    const bool digit = key->text().size() == 1 && key->text().front().isDigit();
    const bool full = box->text().size() == box->maxLength() && !box->hasSelectedText() &&
                      box->cursorPosition() == box->text().size();
    if (digit && full && moveOn(box)) {
      QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
      QApplication::sendEvent(nextBox(box), &typed);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void DateBoxes::normaliseBox(QLineEdit* box) {
  const std::string text = box->text().toStdString();
  const std::string tidied = box == day_     ? NormaliseDayText(text)
                             : box == month_ ? NormaliseMonthText(text)
                                             : CompleteYearText(text, Today().year);
  box->setText(QString::fromStdString(tidied));
}

}  // namespace acv
