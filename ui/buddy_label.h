// The label a page or dialog puts before a box.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace acv {

// A label for `buddy` (its mnemonic moves the focus there); the buddy takes the label's text,
// without "&", "*" and ":", as its accessible name.
QLabel* BuddyLabel(const QString& text, QWidget* buddy);

}  // namespace acv
