// "Replace Existing Record" on the last page of both edit wizards and the first page of the
// on-screen one. While it is ticked the file-name box shows the edited record's own file and is
// read-only, and Browse is refused with a message; cleared, the box can name another file.
#pragma once

#include <QCheckBox>
#include <string>

namespace acv {

class FileNameBox;
class Prompts;

class ReplaceCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  // `recordFile` is the full name of the edited record's file.
  ReplaceCheckBox(Prompts& prompts, FileNameBox& box, const std::string& recordFile,
                  QWidget* parent = nullptr);

  // Shows the box as the tick says.
  void apply();

 private:
  bool browseAllowed();

  Prompts& prompts_;
  FileNameBox& box_;
  std::string recordFile_;
};

}  // namespace acv
