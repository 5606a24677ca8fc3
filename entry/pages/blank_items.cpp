#include "entry/pages/blank_items.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace acv {

CAdultResMissing::CAdultResMissing(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CAdultResMissing"));
  setWindowTitle(tr("Blank Items"));
  auto* warning = new QLabel(tr("Warning"));
  QFont bold = warning->font();
  bold.setBold(true);
  warning->setFont(bold);
  auto* text = new QLabel(
      tr("You have not provided a response for all of the items on this page.\n\nWhat action "
         "would you like to take?"));
  for (QLabel* label : {warning, text}) {
    label->setTextFormat(Qt::PlainText);
  }
  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  QPushButton* leave =
      buttons->addButton(tr("&Leave blank and go to the next page"), QDialogButtonBox::AcceptRole);
  QPushButton* stay =
      buttons->addButton(tr("&Continue with the current page"), QDialogButtonBox::RejectRole);
  QPushButton* silence =
      buttons->addButton(tr("Continue: &Do not warn me again"), QDialogButtonBox::AcceptRole);
  silence->hide();
  leave->setDefault(true);
  leave->setFocus();
  connect(leave, &QPushButton::clicked, this, &QDialog::accept);
  connect(stay, &QPushButton::clicked, this, &QDialog::reject);
  connect(silence, &QPushButton::clicked, this, [this] {
    doNotWarnAgain_ = true;
    accept();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(warning);
  layout->addWidget(text);
  layout->addWidget(buttons);
}

bool BlankItemsCheck::allowsLeaving(QWidget* page, bool hasBlank) {
  if (!hasBlank || noBlankWarning_) {
    return true;
  }
  CAdultResMissing dialog(page);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  if (dialog.doNotWarnAgain()) {
    noBlankWarning_ = true;
  }
  return true;
}

}  // namespace acv
