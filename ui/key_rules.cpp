#include "ui/key_rules.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcutEvent>
#include <QTextEdit>

namespace acv {
namespace {

bool IsTextBox(const QObject* target) {
  return qobject_cast<const QLineEdit*>(target) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(target) != nullptr ||
         qobject_cast<const QTextEdit*>(target) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(target) != nullptr;
}

bool IsChoice(const QObject* target) {
  return qobject_cast<const QRadioButton*>(target) != nullptr ||
         qobject_cast<const QCheckBox*>(target) != nullptr;
}

class KeyRules : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Shortcut) {
      return choose(watched, static_cast<QShortcutEvent*>(event));
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
      return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & Qt::AltModifier) && IsTextBox(watched)) {
      // A multi-line box claims Alt chords for itself: the window's shortcuts go first, and
      // what none takes types nothing.
      if (type == QEvent::ShortcutOverride) {
        key->ignore();
      }
      return true;
    }
    if (type == QEvent::ShortcutOverride) {
      return false;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && IsChoice(watched)) {
      auto* parent = static_cast<QWidget*>(watched)->parentWidget();
      if (type == QEvent::KeyPress && parent != nullptr) {
        QKeyEvent passed(type, key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(parent, &passed);
      }
      return true;
    }
    if (enter && type == QEvent::KeyPress) {
      return press(watched);
    }
    return false;
  }

 private:
  // A choice's letter ticks it at once, with the focus, rather than by an animated click that
  // ends a tenth of a second later: the keys typed after it find the page it makes.
  static bool choose(QObject* watched, const QShortcutEvent* shortcut) {
    if (!IsChoice(watched) || shortcut->isAmbiguous()) {
      return false;
    }
    auto* choice = static_cast<QAbstractButton*>(watched);
    if (!choice->isEnabled()) {
      return false;
    }
    if (choice->focusPolicy() & Qt::ClickFocus) {
      choice->setFocus(Qt::ShortcutFocusReason);
    }
    choice->click();
    return true;
  }

  // Enter on a push button that has the focus presses that button, not the window's default.
  static bool press(QObject* watched) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == nullptr || !button->isEnabled() || button->isDefault()) {
      return false;
    }
    button->click();
    return true;
  }
};

}  // namespace

void InstallKeyRules() {
  static KeyRules* const rules = [] {
    auto* made = new KeyRules(qApp);
    qApp->installEventFilter(made);
    return made;
  }();
  (void)rules;
}

}  // namespace acv
