// Shows a window and makes it the active one, so that keyboard focus works in tests (the
// offscreen platform leaves activation to the application).
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace acv::testing {

inline void ShowActive(QWidget* window) {
  window->show();
  QApplication::setActiveWindow(window);
  if (!QTest::qWaitForWindowActive(window)) {
    qWarning("%s did not become the active window", window->metaObject()->className());
  }
}

}  // namespace acv::testing
