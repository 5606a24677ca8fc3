// Answers the next modal dialog the code under test opens (a dialog of its own, not one of the
// Prompts boxes) by clicking the button with the given text, once that dialog is shown.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <memory>

namespace acv::testing {

// What the answered dialog showed: its window title ("" until it was answered).
struct ModalSeen {
  QString caption;
};

inline void ClickInModal(const QString& buttonText, std::shared_ptr<ModalSeen> seen = {},
                         int triesLeft = 200) {
  QTimer::singleShot(5, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (triesLeft > 0) {
        ClickInModal(buttonText, seen, triesLeft - 1);
      }
      return;
    }
    if (seen) {
      seen->caption = dialog->windowTitle();
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      if (button->text().remove(QLatin1Char('&')) == buttonText) {
        button->click();
        return;
      }
    }
    dialog->reject();
  });
}

}  // namespace acv::testing
