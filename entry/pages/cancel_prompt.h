// The confirmation every page of every entry wizard asks before Cancel closes the wizard.
#pragma once

class QWidget;

namespace acv {

class Prompts;

// "Cancel Selected": true when the user chose Yes (lose the data), false for No or Escape.
bool ConfirmCancel(Prompts& prompts, QWidget* parent);

}  // namespace acv
