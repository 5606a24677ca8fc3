#include "entry/draft_pages.h"

#include <QWizard>

namespace acv {

int DraftPages::number(int id) const {
  const auto numbered = numberedAs_.find(id);
  return numbered == numberedAs_.end() ? id : numbered->second;
}

void DraftPages::walkTo(QWizard& wizard, int page) {
  walking_ = true;
  if (wizard.currentId() < 0) {
    wizard.restart();
  }
  while (wizard.currentId() >= 0 && wizard.currentId() != page && wizard.nextId() >= 0) {
    wizard.next();
  }
  walking_ = false;
}

}  // namespace acv
