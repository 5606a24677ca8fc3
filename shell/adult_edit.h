// "Select ACV Response to Edit": one record of a person, and the layout to edit it in.
#pragma once

#include "engine/response_record.h"
#include "shell/acv_settings.h"
#include "shell/selection_dialog.h"

class QRadioButton;

namespace acv {

class CAdultEdit : public SelectionDialog {
  Q_OBJECT

 public:
  // `layout` is the layout last chosen.
  CAdultEdit(Prompts& prompts, const QString& fileName, EditLayout layout,
             QWidget* parent = nullptr);

  // Once accepted: the record, its index in the file, the layout and whether the file could
  // only be opened for reading.
  const ResponseRecord& record() const { return record_; }
  int recordIndex() const { return recordIndex_; }
  EditLayout editLayout() const;
  bool readOnly() const { return readOnly_; }

  QRadioButton* onScreenOption() const { return onScreen_; }
  QRadioButton* paperOption() const { return paper_; }

 protected:
  FileStatus readIndex(const std::string& fullName, RecordIndex* index) override;
  void listLoaded() override;
  void acceptSelection() override;

 private:
  void followSelectedEntryMethod();

  QRadioButton* onScreen_;
  QRadioButton* paper_;
  ResponseRecord record_;
  int recordIndex_ = -1;
  bool readOnly_ = false;
};

}  // namespace acv
