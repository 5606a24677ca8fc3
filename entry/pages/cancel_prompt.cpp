#include "entry/pages/cancel_prompt.h"

#include <QCoreApplication>

#include "storage/text/messages.h"
#include "ui/prompts.h"

namespace acv {

bool ConfirmCancel(Prompts& prompts, QWidget* parent) {
  // No is the default: a stray Enter keeps the answers typed so far.
  return prompts.confirm(parent, Message(MessageId::kCancelSelected),
                         QCoreApplication::translate("Entry", "&Yes"),
                         QCoreApplication::translate("Entry", "&No"), false);
}

}  // namespace acv
