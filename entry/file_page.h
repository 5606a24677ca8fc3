// Page 1 of the on-screen wizard: where the record will be saved. The name typed is checked (but
// nothing is opened) before the user moves on; it is the wizard's one file name text, which the
// save page shows again.
#pragma once

#include <QStringList>

#include "entry/pages/entry_page.h"

namespace acv {

class FileNameBox;
class Prompts;

// The note under the file name on the first and the last page.
QString CvrFileNote();

// Shows the name as a stop message when the file layer would refuse it (empty, another
// extension, only a folder): true when it may be used.
bool CheckTypedFileName(Prompts& prompts, QWidget* parent, const FileNameBox& box);

class FilePage : public EntryPage {
  Q_OBJECT

 public:
  // `intro` are the texts above the file name, the last being the question beside it.
  FilePage(QString& fileName, Prompts& prompts, const QString& caption, const QStringList& intro,
           QWidget* parent = nullptr);

  void activate() override;
  bool validatePage() override;

  FileNameBox* fileBox() const { return fileBox_; }

 private:
  QString& fileName_;
  Prompts& prompts_;
  FileNameBox* fileBox_;
};

}  // namespace acv
