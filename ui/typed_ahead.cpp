#include "ui/typed_ahead.h"

#include <QApplication>
#include <QKeyEvent>

namespace acv {

TypedAhead::TypedAhead() {
  qApp->installEventFilter(this);
}

TypedAhead::~TypedAhead() {
  qApp->removeEventFilter(this);
}

bool TypedAhead::eventFilter(QObject*, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool typing = key->text().size() == 1 && key->text().front().isPrint() &&
                      !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (!typing) {
    return false;
  }
  if (type == QEvent::KeyPress) {
    text_ += key->text();
  }
  return true;
}

}  // namespace acv
