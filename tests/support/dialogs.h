// Helpers for tests that drive modal dialogs and check their controls.
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace acv::testing {

// Runs `work` on the modal dialog of type T the moment it is shown; a dialog the work left
// open (a failed check) is closed, so that the test goes on.
template <typename T, typename Work>
void WhenShown(Work work) {
  QTimer::singleShot(0, [work] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    // The offscreen platform leaves activation to the application.
    QApplication::setActiveWindow(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    work(*dialog);
    if (dialog->isVisible()) {
      dialog->reject();
    }
  });
}

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
