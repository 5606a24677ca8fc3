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
#include "storage/text/messages.h"
#include "ui/date_boxes.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"

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

void FocusNext(QWizardPage* page) {
  if (auto* wizard = qobject_cast<QWizard*>(page->window())) {
    const bool last = wizard->currentPage() == page && page->isFinalPage();
    wizard->button(last ? QWizard::FinishButton : QWizard::NextButton)
        ->setFocus(Qt::TabFocusReason);
  }
}

QScrollArea* ScrollingGrid(ResponseGrid* grid, QWizardPage* page, std::function<void()> afterLast) {
  auto* scroll = new GridScroll;
  scroll->setWidget(grid);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFocusPolicy(Qt::NoFocus);
  if (!afterLast) {
    afterLast = [page] { FocusNext(page); };
  }
  QObject::connect(grid, &ResponseGrid::advanced, page,
                   [grid, scroll, afterLast = std::move(afterLast)](int accepted) {
                     if (QLineEdit* next = grid->nextBox(accepted)) {
                       scroll->ensureWidgetVisible(next);
                     } else {
                       afterLast();
                     }
                   });
  return scroll;
}

void AfterDateTyped(DateBoxes* date, QObject* context, std::function<void()> moveOn) {
  QObject::connect(date->yearBox(), &QLineEdit::textEdited, context,
                   [date, moveOn = std::move(moveOn)] {
                     if (date->yearText().size() == 4) {
                       moveOn();
                     }
                   });
}

ResponseGridPage::ResponseGridPage(ResponseRecord& record, BlankItemsCheck& blanks,
                                   SecondTyping& secondTyping, Prompts& prompts,
                                   const QString& caption, const ResponseRecord* unedited,
                                   QWidget* parent)
    : EntryPage(caption, parent),
      record_(record),
      blanks_(blanks),
      secondTyping_(secondTyping),
      prompts_(prompts),
      unedited_(unedited) {
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

void ResponseGridPage::focusWhereTypingStopped() {
  // A box left empty on purpose (a blank answer) comes before the last box typed.
  for (int item = kItemCount; item >= 1; --item) {
    if (!grid_->box(item)->text().isEmpty()) {
      if (QLineEdit* next = grid_->nextBox(item)) {
        focusBox(next);
      }
      return;
    }
  }
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
  secondTyping_.changes = changesToVerified();
  const SecondTyping::Changes* changes = secondTyping_.changes ? &*secondTyping_.changes : nullptr;
  const bool changed = changes != nullptr && (!changes->items.empty() || changes->birthDate);
  // No is "Save Unverified": the record goes on, and is saved without its mark.
  if (changed && !verify_->isChecked() &&
      prompts_.confirm(this, Message(MessageId::kEditDropsVerification), tr("&Type Them Again"),
                       tr("&Save Unverified"), true)) {
    verify_->setChecked(true);
  }
  return true;
}

std::optional<SecondTyping::Changes> ResponseGridPage::changesToVerified() const {
  if (unedited_ == nullptr || !unedited_->GetVerification()) {
    return std::nullopt;
  }
  SecondTyping::Changes changes;
  for (int item = 1; item <= kItemCount; ++item) {
    if (unedited_->GetResponse(item) != record_.GetResponse(item)) {
      changes.items.push_back(item);
    }
  }
  changes.birthDate = unedited_->Text(TextField::kBirthDate) != record_.Text(TextField::kBirthDate);
  changes.resolvedBefore = unedited_->GetVerification()->differencesResolved;
  return changes;
}

}  // namespace acv
