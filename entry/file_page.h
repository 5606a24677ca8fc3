// Page 1 of the on-screen wizard (CAdultP0): where the record will be saved. The name typed is
// checked (but nothing is opened) before the user moves on; it is the run's one file name text,
// which the save page shows again. Editing a stored record it is CAdultP0EDIT, with "Replace
// Existing Record" ticked when the wizard opens.
#pragma once

#include <QStringList>

#include "entry/pages/entry_page.h"

namespace acv {

struct EntryRun;
class FileNameBox;
class Prompts;
class ReplaceCheckBox;

// The note under the file name on the first and the last page.
QString CvrFileNote();

class FilePage : public EntryPage {
  Q_OBJECT

 public:
  // `intro` are the texts above the file name, the last being the question beside it.
  FilePage(EntryRun& run, Prompts& prompts, const QString& caption, const QStringList& intro,
           QWidget* parent = nullptr);

  void activate() override;
  bool validatePage() override;
  void keep() override;

  FileNameBox* fileBox() const { return fileBox_; }
  ReplaceCheckBox* replaceBox() const { return replaceBox_; }  // null unless editing

 private:
  // Shows the name as a stop message when the file layer would refuse it (empty, another
  // extension, only a folder): true when it may be used.
  bool checkTypedName();

  EntryRun& run_;
  Prompts& prompts_;
  FileNameBox* fileBox_;
  ReplaceCheckBox* replaceBox_;
};

}  // namespace acv
