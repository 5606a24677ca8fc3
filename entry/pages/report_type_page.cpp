#include "entry/pages/report_type_page.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/response_record.h"
#include "storage/text/messages.h"
#include "ui/buddy_label.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

ReportTypePage::ReportTypePage(ResponseRecord& record, Prompts& prompts, const QString& caption,
                               QWidget* parent)
    : EntryPage(caption, parent), record_(record), prompts_(prompts) {
  self_ = new QRadioButton(tr("ACV &Self-report"));
  self_->setObjectName(QStringLiteral("selfReport"));
  observer_ = new QRadioButton(tr("ACV &Observer-report"));
  observer_->setObjectName(QStringLiteral("observerReport"));
  auto* group = new QButtonGroup(this);
  group->addButton(self_, kSelfReport);
  group->addButton(observer_, kObserverReport);
  observerName_ = NewFieldBox(this, QStringLiteral("observerName"), TextField::kObserverName);
  relationship_ =
      NewFieldBox(this, QStringLiteral("relationship"), TextField::kObserverRelationship);
  contact_ = new FieldTextEdit(FieldWidth(TextField::kObserverContact), this);
  contact_->setObjectName(QStringLiteral("observerContact"));
  contact_->setFixedHeight(contact_->fontMetrics().lineSpacing() * 4 + 2 * contact_->frameWidth() +
                           8);

  auto* details = new QGroupBox(tr("Observer Details"));
  auto* form = new QFormLayout(details);
  form->addRow(BuddyLabel(tr("*Observer N&ame:"), observerName_), observerName_);
  form->addRow(BuddyLabel(tr("&Relationship to the person being assessed:"), relationship_),
               relationship_);
  form->addRow(BuddyLabel(tr("Observer &Contact Details:"), contact_), contact_);
  form->addRow(NoteLabel(tr("* denotes mandatory field for ACV Observer-report")));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NoteLabel(tr("Who is completing this Adult Corvantis?")));
  layout->addWidget(self_);
  layout->addWidget(observer_);
  layout->addSpacing(12);
  layout->addWidget(details);
  layout->addStretch();

  connect(self_, &QRadioButton::clicked, this, [this] { showReportType(false); });
  connect(observer_, &QRadioButton::clicked, this, [this] { showReportType(true); });
}

void ReportTypePage::activate() {
  const bool observer = record_.ReportType() == kObserverReport;
  (observer ? observer_ : self_)->setChecked(true);
  observerName_->setText(toQt(record_.Text(TextField::kObserverName)));
  relationship_->setText(toQt(record_.Text(TextField::kObserverRelationship)));
  contact_->setStoredText(record_.Text(TextField::kObserverContact));
  showReportType(observer);
  (observer ? observer_ : self_)->setFocus();
}

void ReportTypePage::showReportType(bool observer) {
  if (!observer) {
    observerName_->clear();
    relationship_->clear();
    contact_->clear();
  }
  for (QWidget* box : std::initializer_list<QWidget*>{observerName_, relationship_, contact_}) {
    box->setEnabled(observer);
  }
  observerName_->setReadOnly(!observer);
  relationship_->setReadOnly(!observer);
  contact_->setReadOnly(!observer);
}

bool ReportTypePage::validatePage() {
  const bool observer = observer_->isChecked();
  if (!observer && !self_->isChecked()) {
    prompts_.show(this, Message(MessageId::kSelectReportType));
    return false;
  }
  if (observer && observerName_->text().isEmpty()) {
    prompts_.show(this, Message(MessageId::kObserverNameMandatory));
    observerName_->setFocus();
    return false;
  }
  keep();
  return true;
}

void ReportTypePage::keep() {
  if (self_->isChecked() || observer_->isChecked()) {
    record_.SetReportType(observer_->isChecked() ? kObserverReport : kSelfReport);
  }
  record_.SetText(TextField::kObserverName, fromQt(observerName_->text()));
  record_.SetText(TextField::kObserverRelationship, fromQt(relationship_->text()));
  record_.SetText(TextField::kObserverContact, contact_->storedText());
}

}  // namespace acv
