// The roles assistive technology sees beyond Qt's own, and what it is told without a move of the
// focus.
//
// Announce() speaks a short text ("Item 1: Regularly") through a notification of the window: a
// screen reader reads a notification as it appears. InstallAccessibleRoles() makes every wizard
// page and every ChoiceGroup a named panel, so that a screen reader entering one reads its name
// first (an entry page names itself with its caption and its question); a choice box is named
// by its own name and the value chosen ("Item 7 on the paper: ..., 4"), where Qt gives the value
// alone.
#pragma once

#include <QString>
#include <QWidget>

namespace acv {

// The window's notification: no size and nothing drawn; made on first use.
class Announcement : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
};

// The radio buttons of one choice, under the choice's accessible name ("Gender"); drawn as
// nothing but its layout.
class ChoiceGroup : public QWidget {
  Q_OBJECT

 public:
  explicit ChoiceGroup(const QString& name, QWidget* parent = nullptr);
};

// Shows `text` as the notification of `widget`'s window (again if it is the same text).
void Announce(QWidget* widget, const QString& text);

// Installs the roles for the whole application; a second call changes nothing.
void InstallAccessibleRoles();

}  // namespace acv
