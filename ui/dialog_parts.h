// Pieces the small modal dialogs share.
#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;

namespace acv {

// Adds the dialog's button row to `layout`: the accepting button (the default one, "OK" when
// `acceptText` is empty, object name "ok") and Cancel (object name "cancel"), wired to the
// dialog's accept() and reject(). Returns the accepting button.
QPushButton* AddAcceptCancel(QDialog* dialog, QBoxLayout* layout,
                             const QString& acceptText = QString());

// A note of plain text, wrapped to the dialog's width.
QLabel* NoteLabel(const QString& text);

}  // namespace acv
