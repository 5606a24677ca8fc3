#include "entry/pages/entry_page.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>
#include <QWizard>

#include "ui/accessible_roles.h"
#include "ui/field_boxes.h"

namespace acv {

EntryPage::EntryPage(const QString& caption, QWidget* parent)
    : QWizardPage(parent), caption_(caption) {
  InstallAccessibleRoles();
}

QString EntryPage::question() const {
  for (const QLabel* label : findChildren<QLabel*>()) {
    if (label->wordWrap() && !label->text().isEmpty() && label->isVisibleTo(this)) {
      return label->text();
    }
  }
  return QString();
}

void EntryPage::showEvent(QShowEvent* event) {
  QWizardPage::showEvent(event);
  // Named once the wizard has filled the page for this showing.
  QTimer::singleShot(0, this, [this] {
    const QString asked = question();
    setAccessibleName(asked.isEmpty() ? caption_ : tr("%1: %2").arg(caption_, asked));
    DescribeStorableText(this);
  });
  QWizard* shownIn = wizard();
  if (shownIn == nullptr) {
    return;
  }
  // The wizard's buttons were made before its pages, so they would come first. The page's last
  // control is the last one of its own in the focus chain that can take the focus at all (a
  // choice that Tab passes by now may become a tab stop later).
  QWidget* last = nullptr;
  for (QWidget* widget = nextInFocusChain(); widget != this; widget = widget->nextInFocusChain()) {
    if (isAncestorOf(widget) && widget->focusPolicy() != Qt::NoFocus) {
      last = widget;
    }
  }
  if (last == nullptr) {
    return;
  }
  for (QWizard::WizardButton which :
       {QWizard::NextButton, QWizard::FinishButton, QWizard::BackButton, QWizard::CancelButton}) {
    QWidget* button = shownIn->button(which);
    setTabOrder(last, button);
    last = button;
  }
}

}  // namespace acv
