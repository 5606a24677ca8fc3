#include "ui/screen_fit.h"

#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <QWizard>

namespace acv {
namespace {

const QString kPageScroll = QStringLiteral("pageScroll");

// Moves what `page` lays out into a frameless scroll area that fills the page, so that a page
// larger than the room scrolls inside its window instead of pushing the window's buttons off
// the screen. A page scrolled already is left as it is.
void ScrollInside(QWidget& page) {
  QLayout* layout = page.layout();
  if (layout == nullptr ||
      page.findChild<QScrollArea*>(kPageScroll, Qt::FindDirectChildrenOnly) != nullptr) {
    return;
  }
  auto* body = new QWidget;
  body->setLayout(layout);  // takes the layout, and the widgets it lays out, from the page
  auto* scroll = new QScrollArea(&page);
  scroll->setObjectName(kPageScroll);
  scroll->setWidget(body);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* around = new QVBoxLayout(&page);
  around->setContentsMargins(0, 0, 0, 0);
  around->addWidget(scroll);
}

}  // namespace

void FitToScreen(QWidget& window) {
  window.winId();  // makes the window, whose frame margins are known from then on
  const QMargins frame = window.windowHandle()->frameMargins();
  const QSize room = window.screen()->availableGeometry().size() -
                     QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  if (auto* wizard = qobject_cast<QWizard*>(&window);
      wizard != nullptr && !QRect(QPoint(), room).contains(QRect(QPoint(), wizard->sizeHint()))) {
    for (const int id : wizard->pageIds()) {
      ScrollInside(*wizard->page(id));
    }
    wizard->adjustSize();
  }
  window.resize(window.size().boundedTo(room));
}

}  // namespace acv
