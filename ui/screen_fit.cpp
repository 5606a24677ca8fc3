#include "ui/screen_fit.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace acv {

void FitToScreen(QWidget& window) {
  window.winId();  // makes the window, whose frame margins are known from then on
  const QMargins frame = window.windowHandle()->frameMargins();
  const QSize room = window.screen()->availableGeometry().size() -
                     QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  window.resize(window.size().boundedTo(room));
}

}  // namespace acv
