// The last page of the on-screen wizard: Finish saves the record under the wizard's file name.
// In normal mode it shows the name read-only with the text asking for Finish; after a refused
// name or a failed save it changes to ChooseFileMode, where the name can be typed or browsed for
// and Finish tried again, the record kept in memory all the while.
#pragma once

#include "entry/pages/entry_page.h"
#include "storage/record_store.h"

class QLabel;

namespace acv {

class FileNameBox;
class Prompts;
class ResponseRecord;

class SavePage : public EntryPage {
  Q_OBJECT

 public:
  SavePage(ResponseRecord& record, QString& fileName, Prompts& prompts, const QString& caption,
           QWidget* parent = nullptr);

  // Shows the file name in normal mode.
  void activate() override;
  // Keeps the name shown as the file name text.
  void leaveBack() override;
  // The save: true (the wizard closes with Finish) only once the record is in the file.
  bool validatePage() override;

  bool chooseFileMode() const { return chooseFileMode_; }
  virtual void setChooseFileMode(bool choose);

  FileNameBox* fileBox() const { return fileBox_; }
  // The file and index of the last successful save.
  const SaveResult& lastSave() const { return lastSave_; }

 protected:
  // Writes the record under the typed name; here it is added at the end of the file.
  virtual SaveResult write(std::string_view typedName);
  ResponseRecord& record() const { return record_; }

 private:
  ResponseRecord& record_;
  QString& fileName_;
  Prompts& prompts_;
  bool chooseFileMode_ = false;
  SaveResult lastSave_;
  FileNameBox* fileBox_;
  QLabel* question_;
  QLabel* finishText_;
  QLabel* note_;
};

}  // namespace acv
