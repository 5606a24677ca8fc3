// Small helpers the entry pages share to lay out their labels.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace acv {

// A word-wrapped label of plain text.
QLabel* PlainLabel(const QString& text);
// A label for `buddy` (its mnemonic moves the focus there); the buddy takes the label's text,
// without "&", "*" and ":", as its accessible name.
QLabel* BuddyLabel(const QString& text, QWidget* buddy);

}  // namespace acv
