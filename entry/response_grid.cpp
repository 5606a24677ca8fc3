#include "entry/response_grid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "engine/response_record.h"
#include "entry/item_row.h"
#include "storage/text/messages.h"
#include "ui/accessible_roles.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"
#include "ui/typed_ahead.h"

namespace acv {
namespace {

constexpr int kItemsPerColumn = 15;
constexpr int kItemsPerGroup = 5;
constexpr int kColumns = (kItemCount + kItemsPerColumn - 1) / kItemsPerColumn;
constexpr int kSpacing = 2;
// Each group of five takes its five rows and one gap row below it in the layout.
constexpr int kRowsPerGroup = kItemsPerGroup + 1;
constexpr int kRowsPerBand = kItemsPerColumn / kItemsPerGroup * kRowsPerGroup;
// Each column of items takes a label column and a box column in the layout.
constexpr int kLayoutColumnsPerColumn = 2;

// The width of a box that could show two digits and a half, so that one sits clear of the frame.
int BoxWidth(const QLineEdit& box) {
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
  const QFontMetrics metrics = box.fontMetrics();
  const QSize text(metrics.horizontalAdvance(QStringLiteral("00")) * 5 / 4, metrics.height());
  return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &box).width();
}

}  // namespace

ResponseGrid::ResponseGrid(Prompts& prompts, QWidget* parent) : QWidget(parent), prompts_(prompts) {
  const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("190:")) + 6;
  // Made in item order, which is also the order Tab follows.
  for (int item = 1; item <= kItemCount; ++item) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("item%1").arg(item));
    box->setAccessibleName(tr("Item %1").arg(item));
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(BoxWidth(*box));
    connect(box, &QLineEdit::textEdited, this,
            [this, item](const QString& text) { check(item, text); });
    auto* label = new QLabel(QStringLiteral("%1:").arg(item), this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(labelWidth);
    label->setBuddy(box);
    boxes_[item] = box;
    labels_[item] = label;
  }
  legend_ =
      new QLabel(tr("0 Never\n1 Rarely\n2 Sometimes\n3 Regularly\n4 Often\n5 Very Often"), this);
  legend_->setObjectName(QStringLiteral("legend"));
  legend_->setTextFormat(Qt::PlainText);
  legend_->setContentsMargins(labelWidth / 2, 0, 0, 0);
  columnWidth_ = labelWidth + boxes_[1]->width() + 2 * kSpacing;
  arrange(kColumns);
}

void ResponseGrid::arrange(int across) {
  across_ = across;
  delete layout();
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setHorizontalSpacing(kSpacing);
  layout->setVerticalSpacing(kSpacing);
  // Column c of the form stands in band c / across, at place c % across; each band takes the
  // rows of three groups.
  const auto place = [across](int item, int* row, int* column) {
    const int formColumn = (item - 1) / kItemsPerColumn;
    const int group = (item - 1) % kItemsPerColumn / kItemsPerGroup;
    *row = formColumn / across * kRowsPerBand + group * kRowsPerGroup + (item - 1) % kItemsPerGroup;
    *column = formColumn % across * kLayoutColumnsPerColumn;
  };
  for (int item = 1; item <= kItemCount; ++item) {
    int row = 0;
    int column = 0;
    place(item, &row, &column);
    layout->addWidget(labels_[item], row, column);
    layout->addWidget(boxes_[item], row, column + 1);
  }
  for (int gap = kRowsPerGroup - 1; gap < layout->rowCount(); gap += kRowsPerGroup) {
    layout->setRowMinimumHeight(gap, fontMetrics().height() / 2);
  }
  // The last column holds ten items; its third group's place takes the legend.
  int row = 0;
  int column = 0;
  place(kItemCount, &row, &column);
  const int legendRow = row - (kItemCount - 1) % kItemsPerColumn % kItemsPerGroup + kRowsPerGroup;
  layout->addWidget(legend_, legendRow, column, kItemsPerGroup, kLayoutColumnsPerColumn,
                    Qt::AlignRight | Qt::AlignBottom);
}

QSize ResponseGrid::minimumSizeHint() const {
  // One column of items at the least: a narrow grid wraps its columns below one another.
  return {std::max(columnWidth_, legend_->sizeHint().width()), layout()->minimumSize().height()};
}

void ResponseGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Laid out anew once the resize is over: the layout may be what resized the grid.
  QMetaObject::invokeMethod(
      this,
      [this] {
        const int fits = std::clamp((width() + kSpacing) / columnWidth_, 1, kColumns);
        if (fits != across_) {
          arrange(fits);
        }
      },
      Qt::QueuedConnection);
}

void ResponseGrid::showResponses(const ResponseRecord& record) {
  for (int item = 1; item <= kItemCount; ++item) {
    boxes_[item]->setText(toQt(record.ResponseText(item)));
  }
}

void ResponseGrid::storeResponses(ResponseRecord& record) const {
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, ResponseRecord::ParsePaperResponse(fromQt(boxes_[item]->text())));
  }
}

QLineEdit* ResponseGrid::firstBlankBox() const {
  for (int item = 1; item <= kItemCount; ++item) {
    if (boxes_[item]->isEnabled() && boxes_[item]->text().size() != 1) {
      return boxes_[item];
    }
  }
  return nullptr;
}

void ResponseGrid::openOnly(const std::optional<std::vector<int>>& items) {
  for (int item = 1; item <= kItemCount; ++item) {
    const bool open = !items || std::binary_search(items->begin(), items->end(), item);
    boxes_[item]->setEnabled(open);
    if (!open) {
      boxes_[item]->clear();
    }
  }
}

int ResponseGrid::nextOpenItem(int item) const {
  int next = item + 1;
  while (next <= kItemCount && !boxes_[next]->isEnabled()) {
    ++next;
  }
  return next;
}

QLineEdit* ResponseGrid::nextBox(int item) const {
  const int next = nextOpenItem(item);
  return next <= kItemCount ? boxes_[next] : nullptr;
}

void ResponseGrid::check(int item, const QString& text) {
  QLineEdit* box = boxes_[item];
  if (text.isEmpty()) {
    return;
  }
  if (text == QStringLiteral(" ")) {
    box->clear();  // the item stays blank
  } else if (ResponseRecord::ParsePaperResponse(fromQt(text)) < 0) {
    box->clear();
    if (!refuse()) {
      box->setFocus(Qt::OtherFocusReason);  // the typist retypes this item
      return;
    }
  }
  moveOn(item);
  Announce(this, tr("Item %1: %2")
                     .arg(item)
                     .arg(box->text().isEmpty() ? tr("blank") : AnswerLabel(box->text().toInt())));
  typeAhead();
}

bool ResponseGrid::refuse() {
  const TypedAhead typed;
  prompts_.show(this, Message(MessageId::kIncorrectValue));
  ahead_ += typed.text();
  return !ahead_.isEmpty();
}

void ResponseGrid::moveOn(int item) {
  current_ = nextOpenItem(item);
  if (current_ <= kItemCount) {
    FocusSelected(boxes_[current_]);
  }
  emit advanced(item);
}

void ResponseGrid::typeAhead() {
  if (typingAhead_) {
    return;  // the outer call goes on with what is left
  }
  const QScopedValueRollback<bool> guard(typingAhead_, true);
  while (!ahead_.isEmpty() && current_ <= kItemCount) {
    const QString key = ahead_.left(1);
    ahead_.remove(0, 1);
    boxes_[current_]->setText(key);
    check(current_, key);
  }
  ahead_.clear();  // nothing after item 190 has a box
}

}  // namespace acv
