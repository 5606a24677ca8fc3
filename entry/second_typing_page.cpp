#include "entry/second_typing_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/entry_run.h"
#include "entry/response_grid.h"
#include "entry/response_grid_page.h"
#include "storage/text/messages.h"
#include "ui/buddy_label.h"
#include "ui/date_boxes.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"

namespace acv {

SecondTypingPage::SecondTypingPage(EntryRun& run, Prompts& prompts, const QString& caption,
                                   QWidget* parent)
    : EntryPage(caption, parent), run_(run), prompts_(prompts) {
  setObjectName(QStringLiteral("SecondTypingPage"));
  birth_ = new DateBoxes(tr("Date of Birth, typed again"));
  grid_ = new ResponseGrid(prompts);
  scroll_ = ScrollingGrid(grid_, this, [this] {
    if (birth_->isEnabled()) {
      FocusSelected(birth_->dayBox());
    } else {
      FocusNext(this);
    }
  });
  AfterDateTyped(birth_, this, [this] { FocusNext(this); });
  anotherPerson_ = new QCheckBox(tr("This second typing is done by &another person"));
  connect(anotherPerson_, &QCheckBox::toggled, this,
          [this](bool another) { run_.secondTyping.byAnotherPerson = another; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  note_ = NoteLabel(QString());
  layout->addWidget(note_);
  layout->addWidget(scroll_, 1);
  auto* below = new QHBoxLayout;
  below->addWidget(BuddyLabel(tr("Date of Bi&rth:"), birth_->dayBox()));
  below->addWidget(birth_);
  below->addSpacing(24);
  below->addWidget(anotherPerson_);
  below->addStretch();
  layout->addLayout(below);
}

void SecondTypingPage::initializePage() {
  SecondTyping& typing = run_.secondTyping;
  typing.first = run_.record;
  const std::optional<SecondTyping::Changes>& changes = typing.changes;
  note_->setText(
      changes ? tr("Second typing of the answers this edit changed.  This record was verified by "
                   "double entry; please type the changed answers of the paper copy again (the "
                   "other boxes are closed), and its date of birth below when it changed.  Where "
                   "the typings differ you will be asked what the paper shows.")
              : tr("Second typing.  Please type the responses of the paper copy again, and its "
                   "date of birth below.  The first typing is hidden; where the two differ you "
                   "will be asked what the paper shows."));
  grid_->openOnly(changes ? std::optional(changes->items) : std::nullopt);
  for (int item = 1; item <= kItemCount; ++item) {
    grid_->box(item)->clear();
  }
  birth_->setDate(std::nullopt);
  birth_->setEnabled(!changes || changes->birthDate);
  anotherPerson_->setChecked(run_.secondTyping.byAnotherPerson);
}

void SecondTypingPage::activate() {
  QLineEdit* first = grid_->nextBox(0);
  if (first == nullptr) {
    first = birth_->dayBox();
  }
  scroll_->ensureWidgetVisible(first);
  FocusSelected(first);
}

bool SecondTypingPage::typedAnything() const {
  for (int item = 1; item <= kItemCount; ++item) {
    if (!grid_->box(item)->text().isEmpty()) {
      return true;
    }
  }
  return !birth_->dayText().empty() || !birth_->monthText().empty() || !birth_->yearText().empty();
}

bool SecondTypingPage::validatePage() {
  if (QLineEdit* blank = grid_->firstBlankBox();
      !run_.blanks.allowsLeaving(this, blank != nullptr)) {
    scroll_->ensureWidgetVisible(blank);
    FocusSelected(blank);
    return false;
  }
  birth_->normalise();
  SecondTyping& typing = run_.secondTyping;
  // What is not typed again is as the first typing has it.
  ResponseRecord second = typing.first;
  for (int item = 1; item <= kItemCount; ++item) {
    if (grid_->box(item)->isEnabled()) {
      second.SetResponse(
          item, ResponseRecord::ParsePaperResponse(grid_->box(item)->text().toStdString()));
    }
  }
  if (birth_->isEnabled()) {
    const std::optional<CalendarDate> birth = birth_->date();
    second.SetText(TextField::kBirthDate, birth ? FormatDate8(*birth) : std::string());
  }
  typing.differences = CompareTypings(typing.first, second);
  // The record goes back to the first typing: the paper's values chosen on an earlier visit
  // are chosen again for the differences found now.
  for (int item = 1; item <= kItemCount; ++item) {
    run_.record.SetResponse(item, typing.first.GetResponse(item));
  }
  run_.record.SetText(TextField::kBirthDate, typing.first.Text(TextField::kBirthDate));
  if (typing.differences.empty()) {
    prompts_.show(this, Message(MessageId::kTypingsAgree));
    typing.markVerified(run_.record);
  }
  return true;
}

}  // namespace acv
