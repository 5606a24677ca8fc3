#include "entry/pages/entry_page.h"

#include <QAbstractButton>
#include <QWizard>

namespace acv {

EntryPage::EntryPage(const QString& caption, QWidget* parent)
    : QWizardPage(parent), caption_(caption) {}

void EntryPage::showEvent(QShowEvent* event) {
  QWizardPage::showEvent(event);
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
