#include "entry/item_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWizard>
#include <algorithm>

#include "engine/response_record.h"
#include "entry/item_row.h"
#include "entry/pages/blank_items.h"
#include "ui/text.h"

namespace acv {

ItemPage::ItemPage(ResponseRecord& record, BlankItemsCheck& blanks, const QString& caption,
                   int firstItem, QWidget* parent)
    : EntryPage(caption, parent), record_(record), blanks_(blanks), firstItem_(firstItem) {
  auto* content = new QWidget;
  const ItemColumns columns = ItemColumns::For(*this);
  auto* headings = new QGridLayout;
  headings->setContentsMargins(0, 0, 0, 0);
  columns.apply(*headings);
  for (int value = 0; value < kAnswerCount; ++value) {
    auto* heading = new QLabel(AnswerLabel(value));
    heading->setTextFormat(Qt::PlainText);
    headings->addWidget(heading, 0, 2 + value, Qt::AlignCenter | Qt::AlignBottom);
  }
  auto* rows = new QVBoxLayout(content);
  rows->addLayout(headings);
  for (int index = 0; index < kRows; ++index) {
    auto* row = new ItemRow(columns);
    row->setObjectName(QStringLiteral("row%1").arg(index));
    rows_[index] = row;
    rows->addWidget(row);
    connect(row, &ItemRow::answeredByKey, this, [this, index] { focusAfter(index); });
  }
  rows->addStretch();

  scroll_ = new QScrollArea;
  scroll_->setWidget(content);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setFocusPolicy(Qt::NoFocus);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);
}

void ItemPage::activate() {
  for (int index = 0; index < kRows; ++index) {
    const int item = firstItem_ + index;
    rows_[index]->setItem(item, toQt(record_.GetItemText(item)));
    rows_[index]->setAnswer(record_.GetResponse(item));
    // A page shown for the first time has laid out its rows before the statements came; the
    // new heights are taken at once rather than left to a layout request that never comes.
    rows_[index]->layout()->activate();
  }
  scroll_->widget()->layout()->activate();
  scroll_->ensureVisible(0, 0);
  rows_[0]->focusChoice()->setFocus(Qt::TabFocusReason);
}

int ItemPage::firstBlankRow() const {
  const auto blank = std::find_if(rows_.begin(), rows_.end(),
                                  [](const ItemRow* row) { return row->answer() < 0; });
  return blank == rows_.end() ? -1 : static_cast<int>(blank - rows_.begin());
}

void ItemPage::focusWhereTypingStopped() {
  if (const int blank = firstBlankRow(); blank >= 0) {
    focusRow(blank);
  }
}

void ItemPage::leaveBack() {
  store();
}

bool ItemPage::validatePage() {
  const int blank = firstBlankRow();
  if (!blanks_.allowsLeaving(this, blank >= 0)) {
    focusRow(blank);
    return false;
  }
  store();
  return true;
}

void ItemPage::store() {
  for (int index = 0; index < kRows; ++index) {
    record_.SetResponse(firstItem_ + index, rows_[index]->answer());
  }
}

void ItemPage::focusRow(int index) {
  rows_[index]->focusChoice()->setFocus(Qt::TabFocusReason);
  scroll_->ensureWidgetVisible(rows_[index]);
}

void ItemPage::focusAfter(int index) {
  if (index + 1 < kRows) {
    focusRow(index + 1);
  } else if (wizard() != nullptr) {
    wizard()->button(QWizard::NextButton)->setFocus(Qt::TabFocusReason);
  }
}

}  // namespace acv
