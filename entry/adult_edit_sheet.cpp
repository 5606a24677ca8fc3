#include "entry/adult_edit_sheet.h"

#include "entry/edit_pages.h"

namespace acv {

CAdultEditSheet::CAdultEditSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                                 const RecordEdit& edit, QWidget* parent)
    : CAdultSheet(prompts, record, fileName, parent) {
  setObjectName(QStringLiteral("CAdultEditSheet"));
  replacePage(kFilePage,
              new EditFilePage(fileName, replace_, prompts, filePage()->caption(), edit));
  replacePage(kSavePage,
              new EditSavePage(record, fileName, replace_, prompts, savePage()->caption(), edit));
}

void CAdultEditSheet::replacePage(int id, QWizardPage* replacement) {
  QWizardPage* old = page(id);
  removePage(id);
  delete old;
  setPage(id, replacement);
}

EditFilePage* CAdultEditSheet::editFilePage() const {
  return static_cast<EditFilePage*>(filePage());
}

EditSavePage* CAdultEditSheet::editSavePage() const {
  return static_cast<EditSavePage*>(savePage());
}

}  // namespace acv
