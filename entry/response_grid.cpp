#include "entry/response_grid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "engine/response_record.h"
#include "storage/messages.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

constexpr int kItemsPerColumn = 15;
constexpr int kItemsPerGroup = 5;
// Each group of five takes its five rows and one gap row below it in the layout.
constexpr int kRowsPerGroup = kItemsPerGroup + 1;
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
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setHorizontalSpacing(2);
  layout->setVerticalSpacing(2);
  const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("190:")) + 6;
  // Made in item order, which is also the order Tab follows.
  for (int item = 1; item <= kItemCount; ++item) {
    const int column = (item - 1) / kItemsPerColumn;
    const int group = (item - 1) % kItemsPerColumn / kItemsPerGroup;
    const int row = group * kRowsPerGroup + (item - 1) % kItemsPerGroup;
    auto* box = new QLineEdit;
    box->setObjectName(QStringLiteral("item%1").arg(item));
    box->setAccessibleName(tr("Item %1").arg(item));
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(BoxWidth(*box));
    connect(box, &QLineEdit::textEdited, this,
            [this, item](const QString& text) { check(item, text); });
    auto* label = new QLabel(QStringLiteral("%1:").arg(item));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(labelWidth);
    label->setBuddy(box);
    layout->addWidget(label, row, column * kLayoutColumnsPerColumn);
    layout->addWidget(box, row, column * kLayoutColumnsPerColumn + 1);
    boxes_[item] = box;
  }
  for (int group = 1; group < kItemsPerColumn / kItemsPerGroup; ++group) {
    layout->setRowMinimumHeight(group * kRowsPerGroup - 1, fontMetrics().height() / 2);
  }
  // The last column holds ten items; its third group's place takes the legend.
  legend_ = new QLabel(tr("0 Never\n1 Rarely\n2 Sometimes\n3 Regularly\n4 Often\n5 Very Often"));
  legend_->setObjectName(QStringLiteral("legend"));
  legend_->setTextFormat(Qt::PlainText);
  legend_->setContentsMargins(labelWidth / 2, 0, 0, 0);
  const int lastColumn = (kItemCount - 1) / kItemsPerColumn;
  const int legendRow = (kItemCount - 1) % kItemsPerColumn / kItemsPerGroup + 1;
  layout->addWidget(legend_, legendRow * kRowsPerGroup, lastColumn * kLayoutColumnsPerColumn,
                    kItemsPerGroup, kLayoutColumnsPerColumn, Qt::AlignRight | Qt::AlignBottom);
}

void ResponseGrid::showResponses(const ResponseRecord& record) {
  for (int item = 1; item <= kItemCount; ++item) {
    const int value = record.GetResponse(item);
    boxes_[item]->setText(value < 0 ? QString() : QString(QChar(u'0' + value)));
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

QLineEdit* ResponseGrid::nextBox(int item) const {
  for (int next = item + 1; next <= kItemCount; ++next) {
    if (boxes_[next]->isEnabled()) {
      return boxes_[next];
    }
  }
  return nullptr;
}

void ResponseGrid::check(int item, const QString& text) {
  QLineEdit* box = boxes_[item];
  if (text.isEmpty()) {
    return;
  }
  if (text == QStringLiteral(" ")) {
    box->clear();  // the item stays blank
  } else if (ResponseRecord::ParsePaperResponse(fromQt(text)) < 0) {
    prompts_.show(this, Message(MessageId::kIncorrectValue));
    box->clear();
    box->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (QLineEdit* next = nextBox(item)) {
    FocusSelected(next);
  }
  emit advanced(item);
}

}  // namespace acv
