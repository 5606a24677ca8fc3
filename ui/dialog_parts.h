// Pieces the small modal dialogs share.
#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace acv {

class Prompts;
class WaitCursor;

// Adds the dialog's button row to `layout`: the accepting button (the default one, "OK" when
// `acceptText` is empty, object name "ok") and Cancel (object name "cancel"), wired to the
// dialog's accept() and reject(). Returns the accepting button.
QPushButton* AddAcceptCancel(QDialog* dialog, QBoxLayout* layout,
                             const QString& acceptText = QString());

// The "File Exists" question before an existing file is replaced ("No" the default, and what a
// dismissal means), with the wait cursor ended while it is shown. True for "Yes".
bool ConfirmReplace(Prompts& prompts, QWidget* parent, WaitCursor& wait);
// The same question where no wait cursor is shown.
bool ConfirmReplace(Prompts& prompts, QWidget* parent);

// A note of plain text, wrapped to the dialog's width.
QLabel* NoteLabel(const QString& text);

}  // namespace acv
