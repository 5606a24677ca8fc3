#include "entry/record_edit.h"

#include <QObject>

#include "ui/prompts.h"

namespace acv {

FileStatus RecordEdit::Open(const std::string& fileName, int index, RecordEdit* edit) {
  ResponseRecord read;
  StoredRecord stored{};
  const FileStatus status = ReadRecord(fileName, index, &read, MetFlags::kLeave, &stored);
  if (status == FileStatus::kOk) {
    edit->fileName = fileName;
    edit->index = index;
    edit->original = stored;
    edit->unedited = read;
  }
  return status;
}

SaveResult SaveEdit(const RecordEdit& edit, bool replace, std::string_view typedName,
                    ResponseRecord& record) {
  if (replace) {
    return ReplaceRecord(edit.fileName, edit.index, edit.original, record);
  }
  return SaveRecord(typedName, record);
}

bool ConfirmSaveEdit(Prompts& prompts, QWidget* page, const RecordEdit& edit,
                     const ResponseRecord& record) {
  if (!record.IsSameAs(edit.unedited)) {
    return true;
  }
  return prompts.ask(page, QObject::tr("No Edits Made"),
                     QObject::tr("You have not made any edits.\n\nIf you replace the existing "
                                 "record you will simply update the date and time of the last "
                                 "save.\n\nIf you create a new record it will be a copy of the "
                                 "existing record except for a new date and time saved.\n\n\nDo "
                                 "you wish to proceed with saving the record?"),
                     QObject::tr("Yes, Proceed"), QObject::tr("Do Not Save"), true);
}

}  // namespace acv
