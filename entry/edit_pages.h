// The first and last page of the on-screen edit wizard. CAdultP0EDIT is the file page with
// "Replace Existing Record", ticked when the wizard opens; CAdultP23Edit is the save page with
// the same box, shown with "Browse ..." after a failed save so that the edit can go to a new
// record instead. Both pages share one replace choice; the last page takes it, and the file name,
// afresh each time it becomes current.
#pragma once

#include "entry/file_page.h"
#include "entry/save_page.h"

namespace acv {

class ReplaceCheckBox;
struct RecordEdit;

class EditFilePage : public FilePage {
  Q_OBJECT

 public:
  EditFilePage(QString& fileName, bool& replace, Prompts& prompts, const QString& caption,
               const RecordEdit& edit, QWidget* parent = nullptr);

  void activate() override;
  bool validatePage() override;

  ReplaceCheckBox* replaceBox() const { return replaceBox_; }

 private:
  bool& replace_;
  bool firstActivation_ = true;
  ReplaceCheckBox* replaceBox_;
};

class EditSavePage : public SavePage {
  Q_OBJECT

 public:
  EditSavePage(ResponseRecord& record, QString& fileName, bool& replace, Prompts& prompts,
               const QString& caption, const RecordEdit& edit, QWidget* parent = nullptr);

  void activate() override;
  // Asks "No Edits Made" when nothing was changed, then saves in place or as a new record.
  bool validatePage() override;
  // ChooseFileMode also shows "Replace Existing Record".
  void setChooseFileMode(bool choose) override;

  ReplaceCheckBox* replaceBox() const { return replaceBox_; }

 protected:
  SaveResult write(std::string_view typedName) override;

 private:
  bool& replace_;
  Prompts& prompts_;
  const RecordEdit& edit_;
  ReplaceCheckBox* replaceBox_;
};

}  // namespace acv
