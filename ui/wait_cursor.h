// The wait cursor for the length of a piece of work. It ends when the object does, and can be
// ended early (before a message box, which must never show it) and taken up again.
#pragma once

#include <QGuiApplication>

namespace acv {

class WaitCursor {
 public:
  WaitCursor() { resume(); }
  ~WaitCursor() { end(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  void end() {
    if (shown_) {
      QGuiApplication::restoreOverrideCursor();
      shown_ = false;
    }
  }
  void resume() {
    if (!shown_) {
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      shown_ = true;
    }
  }

 private:
  bool shown_ = false;
};

}  // namespace acv
