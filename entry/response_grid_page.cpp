#include "entry/response_grid_page.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWizard>

#include "engine/response_record.h"
#include "entry/pages/blank_items.h"
#include "entry/response_grid.h"
#include "ui/dialog_parts.h"

namespace acv {

ResponseGridPage::ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks,
                                   Prompts& prompts, const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), record_(record), blanks_(blanks) {
  grid_ = new ResponseGrid(prompts);
  connect(grid_, &ResponseGrid::advanced, this, &ResponseGridPage::followFocus);
  scroll_ = new QScrollArea;
  scroll_->setWidget(grid_);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setMinimumWidth(grid_->sizeHint().width());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      NoteLabel(tr("Please enter the response to each item.  Enter a number between 0 and 5, or "
                   "leave blank for No Response.")));
  layout->addWidget(scroll_, 1);
}

void ResponseGridPage::activate() {
  grid_->showResponses(record_);
  scroll_->ensureVisible(0, 0);
  focusBox(grid_->box(1));
}

void ResponseGridPage::focusBox(QLineEdit* box) {
  box->setFocus(Qt::TabFocusReason);
  // Selected, so that the next digit typed replaces it; the box may have had the focus already.
  box->selectAll();
  scroll_->ensureWidgetVisible(box);
}

void ResponseGridPage::leaveBack() {
  grid_->storeResponses(record_);
}

bool ResponseGridPage::validatePage() {
  if (QLineEdit* blank = grid_->firstBlankBox(); !blanks_.allowsLeaving(this, blank != nullptr)) {
    focusBox(blank);
    return false;
  }
  grid_->storeResponses(record_);
  return true;
}

void ResponseGridPage::followFocus(int acceptedItem) {
  if (acceptedItem < kItemCount) {
    scroll_->ensureWidgetVisible(grid_->box(acceptedItem + 1));
  } else if (wizard() != nullptr) {
    wizard()->button(QWizard::NextButton)->setFocus(Qt::TabFocusReason);
  }
}

}  // namespace acv
