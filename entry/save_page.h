// The last page of the on-screen wizard (CAdultP23): Finish saves the record under the run's file
// name. In normal mode it shows the name read-only with the text asking for Finish; after a
// refused name or a failed save it changes to ChooseFileMode, where the name can be typed or
// browsed for and Finish tried again, the record kept in memory all the while. Editing a stored
// record it is CAdultP23Edit: "Replace Existing Record" takes the run's choice each time the page
// becomes current, and is shown in ChooseFileMode so that the edit can go to a new record.
#pragma once

#include "entry/pages/entry_page.h"
#include "storage/records/record_store.h"

class QLabel;

namespace acv {

struct EntryRun;
class FileNameBox;
class Prompts;
class ReasonBox;
class ReplaceCheckBox;

class SavePage : public EntryPage {
  Q_OBJECT

 public:
  SavePage(EntryRun& run, Prompts& prompts, const QString& caption, QWidget* parent = nullptr);

  // Shows the file name in normal mode.
  void activate() override;
  // Keeps the name shown as the file name text.
  void leaveBack() override;
  // The save: true (the wizard closes with Finish) only once the record is in the file.
  bool validatePage() override;

  bool chooseFileMode() const { return chooseFileMode_; }
  void setChooseFileMode(bool choose);

  FileNameBox* fileBox() const { return fileBox_; }
  ReplaceCheckBox* replaceBox() const { return replaceBox_; }  // null unless editing
  ReasonBox* reasonBox() const { return reasonBox_; }          // null unless editing
  // The file and index of the last successful save.
  const SaveResult& lastSave() const;

 private:
  EntryRun& run_;
  bool chooseFileMode_ = false;
  FileNameBox* fileBox_;
  ReplaceCheckBox* replaceBox_;
  ReasonBox* reasonBox_;
  QLabel* question_;
  QLabel* finishText_;
  QLabel* note_;
};

}  // namespace acv
