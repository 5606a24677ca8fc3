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
#include "storage/messages.h"
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
  grid_ = new ResponseGrid(prompts);
  scroll_ = ScrollingGrid(grid_, this);
  birth_ = new DateBoxes(tr("Date of Birth, typed again"));
  anotherPerson_ = new QCheckBox(tr("This second typing is done by &another person"));
  connect(anotherPerson_, &QCheckBox::toggled, this,
          [this](bool another) { run_.secondTyping.byAnotherPerson = another; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(NoteLabel(
      tr("Second typing.  Please type the responses of the paper copy again, and its date of "
         "birth below.  The first typing is hidden; where the two differ you will be asked "
         "what the paper shows.")));
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
  ResponseRecord empty;
  grid_->showResponses(empty);
  birth_->setDate(std::nullopt);
  anotherPerson_->setChecked(run_.secondTyping.byAnotherPerson);
}

void SecondTypingPage::activate() {
  scroll_->ensureVisible(0, 0);
  FocusSelected(grid_->box(1));
}

bool SecondTypingPage::validatePage() {
  birth_->normalise();
  ResponseRecord second;
  second.SetReportType(run_.record.ReportType());
  grid_->storeResponses(second);
  if (const std::optional<CalendarDate> birth = birth_->date()) {
    second.SetText(TextField::kBirthDate, FormatDate8(*birth));
  }
  SecondTyping& typing = run_.secondTyping;
  typing.differences = CompareTypings(run_.record, second);
  if (typing.differences.empty()) {
    prompts_.show(this, Message(MessageId::kTypingsAgree));
    typing.markVerified(run_.record);
  }
  return true;
}

}  // namespace acv
