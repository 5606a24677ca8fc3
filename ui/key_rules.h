// Keys that act the same on every desktop. An Alt chord never types a character into a text box:
// it presses the control whose letter it is, or nothing; a choice (a radio button or a check box)
// changes at once, before the next key is read. Enter on a choice never ticks it: it goes on to
// the window, whose default button moves on, as it does under the desktops that do not press
// buttons with Enter. Enter on a push button that has the focus presses that button.
#pragma once

namespace acv {

// Installs the rules for the whole application; a second call changes nothing.
void InstallKeyRules();

}  // namespace acv
