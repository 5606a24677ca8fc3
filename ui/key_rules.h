// Keys that act the same on every desktop. An Alt chord never types a character into a text box:
// it presses the control whose letter it is, or nothing. Enter on a choice (a radio button or a
// check box) never ticks it: it goes on to the window, whose default button moves on, as it does
// under the desktops that do not press buttons with Enter.
#pragma once

namespace acv {

// Installs the rules for the whole application; a second call changes nothing.
void InstallKeyRules();

}  // namespace acv
