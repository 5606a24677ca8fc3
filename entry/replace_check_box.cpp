#include "entry/replace_check_box.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "entry/record_saver.h"
#include "storage/text/messages.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"

namespace acv {

ReplaceCheckBox* ReplaceCheckBox::ForEdit(Prompts& prompts, FileNameBox& box, RecordSaver& saver) {
  return saver.editing() ? new ReplaceCheckBox(prompts, box, saver) : nullptr;
}

ReplaceCheckBox::ReplaceCheckBox(Prompts& prompts, FileNameBox& box, RecordSaver& saver,
                                 QWidget* parent)
    : QCheckBox(tr("&Replace Existing Record"), parent),
      prompts_(prompts),
      box_(box),
      saver_(saver) {
  setObjectName(QStringLiteral("replace"));
  setChecked(saver_.replace());
  connect(this, &QCheckBox::toggled, this, [this](bool checked) {
    saver_.setReplace(checked);
    apply();
  });
  box_.setBrowseGuard([this] { return browseAllowed(); });
}

void ReplaceCheckBox::apply() {
  {
    const QSignalBlocker quiet(this);  // showing the choice is no change of it
    setChecked(saver_.replace());
  }
  if (isChecked()) {
    box_.setFileSystemName(saver_.edit().fileName);
  }
  box_.box()->setReadOnly(isChecked());
}

bool ReplaceCheckBox::browseAllowed() {
  if (!isChecked()) {
    return true;
  }
  prompts_.show(this, Message(MessageId::kReplaceChosen));
  return false;
}

}  // namespace acv
