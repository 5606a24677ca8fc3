#include "entry/replace_check_box.h"

#include <QLineEdit>

#include "ui/file_name_box.h"
#include "ui/prompts.h"

namespace acv {

ReplaceCheckBox::ReplaceCheckBox(Prompts& prompts, FileNameBox& box, const std::string& recordFile,
                                 QWidget* parent)
    : QCheckBox(tr("&Replace Existing Record"), parent),
      prompts_(prompts),
      box_(box),
      recordFile_(recordFile) {
  setObjectName(QStringLiteral("replace"));
  connect(this, &QCheckBox::toggled, this, &ReplaceCheckBox::apply);
  box_.setBrowseGuard([this] { return browseAllowed(); });
}

void ReplaceCheckBox::apply() {
  if (isChecked()) {
    box_.setFileSystemName(recordFile_);
  }
  box_.box()->setReadOnly(isChecked());
}

bool ReplaceCheckBox::browseAllowed() {
  if (!isChecked()) {
    return true;
  }
  prompts_.message(this, tr("Replace Existing Record"),
                   tr("The checkbox indicates to replace the existing record\nso you cannot "
                      "change the filename.\n\nIf you wish to save the record to a new location\n"
                      "then please uncheck the checkbox."),
                   Prompts::Icon::kStop);
  return false;
}

}  // namespace acv
