// "Replace Existing Record" on the last page of both wizards and the first page of the on-screen
// one, while a stored record is edited. While it is ticked the file-name box shows the edited
// record's own file and is read-only, and Browse is refused with a message; cleared, the box can
// name another file. The saver holds the choice: each change is written there at once, and the
// box shows it again wherever it is shown.
#pragma once

#include <QCheckBox>

namespace acv {

class FileNameBox;
class Prompts;
class RecordSaver;

class ReplaceCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  // The box for `box`, or null when `saver` saves a new record.
  static ReplaceCheckBox* ForEdit(Prompts& prompts, FileNameBox& box, RecordSaver& saver);

  ReplaceCheckBox(Prompts& prompts, FileNameBox& box, RecordSaver& saver,
                  QWidget* parent = nullptr);

  // Shows the saver's choice: the tick, and the file-name box as it says.
  void apply();

 private:
  bool browseAllowed();

  Prompts& prompts_;
  FileNameBox& box_;
  RecordSaver& saver_;
};

}  // namespace acv
