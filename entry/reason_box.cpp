#include "entry/reason_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "entry/record_saver.h"
#include "ui/text.h"

namespace acv {
namespace {

// Long enough for a sentence; the history keeps it whole.
constexpr int kReasonLength = 200;

}  // namespace

ReasonBox* ReasonBox::ForEdit(RecordSaver& saver) {
  return saver.editing() ? new ReasonBox(saver) : nullptr;
}

ReasonBox::ReasonBox(RecordSaver& saver, QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("reason"));
  auto* label = new QLabel(tr("Reason for c&hange:"), this);
  label->setBuddy(edit_);
  edit_->setObjectName(QStringLiteral("reasonEdit"));
  edit_->setAccessibleName(tr("Reason for change"));
  edit_->setAccessibleDescription(
      tr("Kept with the change in the file's history. Needed when the edit replaces the stored "
         "record; do not type names or answers here."));
  edit_->setMaxLength(kReasonLength);
  edit_->setText(QString::fromStdString(saver.reason()));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(edit_, 1);
  connect(edit_, &QLineEdit::textChanged, this,
          [&saver](const QString& text) { saver.setReason(text.toStdString()); });
  saver.setReasonMissing([this] { edit_->setFocus(); });
}

}  // namespace acv
