#include "entry/response_grid_page.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWizard>

#include "engine/response_record.h"
#include "entry/entry_run.h"
#include "entry/pages/blank_items.h"
#include "entry/response_grid.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"

namespace acv {

namespace {

// Asks for the width of the whole grid, and takes less where the window has less room: the grid
// then wraps its columns.
class GridScroll : public QScrollArea {
 public:
  QSize sizeHint() const override {
    return {widget()->sizeHint().width() + verticalScrollBar()->sizeHint().width(),
            QScrollArea::sizeHint().height()};
  }
};

}  // namespace

QScrollArea* ScrollingGrid(ResponseGrid* grid, QWizardPage* page) {
  auto* scroll = new GridScroll;
  scroll->setWidget(grid);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFocusPolicy(Qt::NoFocus);
  QObject::connect(grid, &ResponseGrid::advanced, page, [grid, scroll, page](int accepted) {
    if (accepted < kItemCount) {
      scroll->ensureWidgetVisible(grid->box(accepted + 1));
    } else if (auto* wizard = qobject_cast<QWizard*>(page->window())) {
      wizard->button(QWizard::NextButton)->setFocus(Qt::TabFocusReason);
    }
  });
  return scroll;
}

ResponseGridPage::ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks,
                                   SecondTyping& secondTyping, Prompts& prompts,
                                   const QString& caption, QWidget* parent)
    : EntryPage(caption, parent), record_(record), blanks_(blanks), secondTyping_(secondTyping) {
  grid_ = new ResponseGrid(prompts);
  scroll_ = ScrollingGrid(grid_, this);
  verify_ = new QCheckBox(tr("&Verify by typing the responses again"));
  connect(verify_, &QCheckBox::toggled, this, [this](bool on) { secondTyping_.wanted = on; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      NoteLabel(tr("Please enter the response to each item.  Enter a number between 0 and 5, or "
                   "leave blank for No Response.")));
  layout->addWidget(scroll_, 1);
  layout->addWidget(verify_);
}

void ResponseGridPage::activate() {
  grid_->showResponses(record_);
  verify_->setChecked(secondTyping_.wanted || secondTyping_.required);
  verify_->setEnabled(!secondTyping_.required);
  verify_->setToolTip(secondTyping_.required
                          ? tr("The settings of this computer require a second typing.")
                          : QString());
  scroll_->ensureVisible(0, 0);
  focusBox(grid_->box(1));
}

void ResponseGridPage::focusBox(QLineEdit* box) {
  FocusSelected(box);
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

}  // namespace acv
