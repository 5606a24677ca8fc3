#include "entry/entry_wizard.h"

#include "entry/pages/cancel_prompt.h"
#include "entry/pages/entry_page.h"

namespace acv {

EntryWizard::EntryWizard(Prompts& prompts, ResponseRecord& record, QString& fileName,
                         std::optional<RecordEdit> edit, QWidget* parent)
    : QWizard(parent), prompts_(prompts), run_(prompts, record, fileName, std::move(edit)) {
  setWindowTitle(tr("Adult Sheet"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnStartPage);
  connect(this, &QWizard::currentIdChanged, this, &EntryWizard::pageChanged);
}

EntryPage* EntryWizard::currentEntryPage() const {
  return qobject_cast<EntryPage*>(currentPage());
}

void EntryWizard::pageChanged(int id) {
  // Pages are added in order, so a lower id is a move back.
  if (shownId_ >= 0 && id < shownId_) {
    if (auto* left = qobject_cast<EntryPage*>(page(shownId_))) {
      left->leaveBack();
    }
  }
  shownId_ = id;
  if (EntryPage* shown = currentEntryPage()) {
    setWindowTitle(shown->caption());
    shown->activate();
  }
}

void EntryWizard::reject() {
  if (ConfirmCancel(prompts_, this)) {
    QWizard::reject();
  }
}

QString EntryWizard::pageCaption(int id, int pageCount) {
  return tr("ACV Page %1 of %2").arg(id + 1).arg(pageCount);
}

}  // namespace acv
