#include "entry/pages/comments_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "engine/response_record.h"
#include "ui/buddy_label.h"
#include "ui/dialog_parts.h"
#include "ui/field_boxes.h"

namespace acv {

CommentsPage::CommentsPage(ResponseRecord& record, const QString& caption,
                           const QString& invitation, QWidget* parent)
    : EntryPage(caption, parent), record_(record) {
  comments_ = new FieldTextEdit(FieldWidth(TextField::kComments), this);
  comments_->setObjectName(QStringLiteral("comments"));
  QLabel* invite = NoteLabel(invitation);
  invite->setBuddy(comments_);
  comments_->setAccessibleName(tr("Comments"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NoteLabel(tr("Thank you. You have now completed the Adult Corvantis.")));
  layout->addSpacing(8);
  layout->addWidget(
      NoteLabel(tr("If you would like to go back and review any of your responses, please use "
                   "the '< Back' button located at the bottom right of this window.")));
  layout->addSpacing(8);
  layout->addWidget(invite);
  layout->addWidget(comments_, 1);
}

void CommentsPage::activate() {
  comments_->setStoredText(record_.Text(TextField::kComments));
  comments_->setReadOnly(false);
  comments_->setFocus();
}

void CommentsPage::leaveBack() {
  store();
}

bool CommentsPage::validatePage() {
  store();
  return true;
}

void CommentsPage::store() {
  record_.SetText(TextField::kComments, comments_->storedText());
}

}  // namespace acv
