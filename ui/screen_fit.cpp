#include "ui/screen_fit.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <QWizard>
#include <algorithm>

namespace acv {
namespace {

const QString kPageScroll = QStringLiteral("pageScroll");

// Moves what `page` lays out into a frameless scroll area that fills the page, so that a page
// larger than the room scrolls inside its window instead of pushing the window's buttons off
// the screen; a row of dialog buttons at the end stays below the scroll area, in sight. A page
// scrolled already is left as it is.
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
  QLayoutItem* last = layout->count() > 0 ? layout->itemAt(layout->count() - 1) : nullptr;
  if (auto* buttons = qobject_cast<QDialogButtonBox*>(last != nullptr ? last->widget() : nullptr)) {
    layout->removeWidget(buttons);
    around->addWidget(buttons);
  }
}

bool Fits(const QSize& size, const QSize& room) {
  return size.width() <= room.width() && size.height() <= room.height();
}

// Fits its window to the screen each time the window is shown.
class FitOnShowing : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      FitToScreen(*static_cast<QWidget*>(watched));
    }
    return false;
  }
};

}  // namespace

void FitToScreen(QWidget& window) {
  window.winId();  // makes the window, whose frame margins are known from then on
  const QMargins frame = window.windowHandle()->frameMargins();
  const QSize room = window.screen()->availableGeometry().size() -
                     QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  auto* wizard = qobject_cast<QWizard*>(&window);
  if (wizard != nullptr && wizard->currentPage() == nullptr && wizard->startId() != -1) {
    wizard->restart();  // as showing it would: its first page makes its size
  }
  if (wizard != nullptr && wizard->currentPage() != nullptr) {
    // A wizard asks for the room of the page it shows; each page is weighed with the same
    // buttons and margins around it.
    const QSize around = wizard->sizeHint() - wizard->currentPage()->sizeHint();
    const QList<int> ids = wizard->pageIds();
    if (!std::all_of(ids.begin(), ids.end(),
                     [&](int id) { return Fits(wizard->page(id)->sizeHint() + around, room); })) {
      for (const int id : ids) {
        ScrollInside(*wizard->page(id));
      }
    }
  } else if (!Fits(window.sizeHint(), room)) {
    ScrollInside(window);
  }
  window.setMinimumSize(window.minimumSize().boundedTo(room));
  window.resize(window.size().boundedTo(room));
}

void FitOnShow(QWidget& window) {
  window.installEventFilter(new FitOnShowing(&window));
}

}  // namespace acv
