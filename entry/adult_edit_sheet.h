// The on-screen edit wizard (CAdultEditSheet): the 24 pages of the on-screen wizard on a stored
// record, its first page (CAdultP0EDIT) and last page (CAdultP23Edit) with "Replace Existing
// Record", ticked at first, so that Finish writes the record back in its own place.
#pragma once

#include "entry/adult_sheet.h"

namespace acv {

class EditFilePage;
class EditSavePage;
struct RecordEdit;

class CAdultEditSheet : public CAdultSheet {
  Q_OBJECT

 public:
  // `record` starts as the stored record of `edit`; `fileName` as the name of its file.
  CAdultEditSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                  const RecordEdit& edit, QWidget* parent = nullptr);

  EditFilePage* editFilePage() const;
  EditSavePage* editSavePage() const;

 private:
  // Puts `page` in place of the page of `id`.
  void replacePage(int id, QWizardPage* page);

  bool replace_ = true;  // shared by the first and the last page
};

}  // namespace acv
