#include "entry/pages/cancel_prompt.h"

#include <QCoreApplication>

#include "ui/prompts.h"

namespace acv {

bool ConfirmCancel(Prompts& prompts, QWidget* parent) {
  // No is the default: a stray Enter keeps the answers typed so far.
  return prompts.ask(
      parent, QCoreApplication::translate("Entry", "Cancel Selected"),
      QCoreApplication::translate("Entry",
                                  "You have selected to Cancel.\n\nAre you sure you wish to cancel "
                                  "and lose all data you have entered?"),
      QCoreApplication::translate("Entry", "&Yes"), QCoreApplication::translate("Entry", "&No"),
      false);
}

}  // namespace acv
