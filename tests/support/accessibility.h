// What assistive technology can say about a window's controls.
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>

namespace acv::testing {

// The controls of `root` that assistive technology cannot name.
inline QStringList Unnamed(QWidget& root) {
  QStringList unnamed;
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    const bool control = qobject_cast<QLineEdit*>(widget) ||
                         qobject_cast<QPlainTextEdit*>(widget) ||
                         qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QListWidget*>(widget) || widget->inherits("acv::GridControl");
    if (!control || widget->objectName().startsWith(QLatin1String("qt_"))) {
      continue;
    }
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty()) {
      unnamed << QStringLiteral("%1 %2").arg(QLatin1String(widget->metaObject()->className()),
                                             widget->objectName());
    }
  }
  return unnamed;
}

}  // namespace acv::testing
