#include "entry/record_saver.h"

#include <QFile>
#include <QObject>

#include "storage/text/messages.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"
#include "ui/text.h"
#include "ui/wait_cursor.h"

namespace acv {

RecordSaver::RecordSaver(Prompts& prompts, std::optional<RecordEdit> edit)
    : prompts_(prompts), edit_(std::move(edit)) {}

RecordSaver::Outcome RecordSaver::Save(QWidget* page, FileNameBox& box, QString& fileName,
                                       ResponseRecord& record) {
  lastSave_ = SaveResult();
  fileName = box.text();
  detailsRefused_ = CheckRecordDetails(record, Today());
  if (detailsRefused_ != DetailsCheck::kOk) {
    return Outcome::kDetailsMissing;
  }
  if (editing() && replace_ && QString::fromStdString(reason_).trimmed().isEmpty()) {
    prompts_.message(page, QObject::tr("Reason for Change"),
                     QObject::tr("Please say why the stored record is changed before it is "
                                 "replaced.\nThe reason is kept with the change in the file's "
                                 "history."),
                     Prompts::Icon::kExclamation);
    if (reasonMissing_) {
      reasonMissing_();
    }
    return Outcome::kReasonMissing;
  }
  if (!confirmUnchanged(page, record)) {
    return Outcome::kDeclined;
  }
  SaveResult result;
  {
    WaitCursor wait;
    result = write(box.fileSystemName(), record);
  }
  if (result.status == FileStatus::kOk && committed_) {
    committed_();
  }
  if (!report(page, record, result)) {
    return Outcome::kFailed;
  }
  lastSave_ = result;
  // The name is kept without ".cvr", whichever way it was typed.
  box.setFileSystemName(result.fileName);
  fileName = box.text();
  return Outcome::kSaved;
}

bool RecordSaver::confirmUnchanged(QWidget* page, const ResponseRecord& record) {
  // Verifying a stored record again by double entry changes what it holds.
  if (!editing() || !record.IsSameAs(edit_->unedited) ||
      record.GetVerification() != edit_->unedited.GetVerification()) {
    return true;
  }
  return prompts_.confirm(page, Message(MessageId::kNoEditsMade), QObject::tr("Yes, Proceed"),
                          QObject::tr("Do Not Save"), true);
}

SaveResult RecordSaver::write(std::string_view typedName, ResponseRecord& record) const {
  // Replacing writes only while the stored record still holds the bytes read when the edit
  // began; a record someone else changed meanwhile is refused.
  if (editing() && replace_) {
    return ReplaceRecord(edit_->fileName, edit_->index, edit_->original, record,
                         {HistoryAction::kEditReplaced, reason_});
  }
  HistoryAction action = HistoryAction::kEditSavedAsNew;
  if (!editing()) {
    action = record.EntryMethod() == kEnteredFromPaper ? HistoryAction::kPaperEntry
                                                       : HistoryAction::kNewRecord;
  }
  return SaveRecord(typedName, record, {action, reason_});
}

bool RecordSaver::report(QWidget* page, const ResponseRecord& record, const SaveResult& result) {
  if (result.status != FileStatus::kOk) {
    prompts_.show(page, SaveFailureMessage(result.status));
    return false;
  }
  // The message ends with the file's name, which is in the file system's encoding rather than
  // the record's code page.
  const UserMessage success = SaveSuccessMessage(record, std::string());
  prompts_.message(page, toQt(success.caption), toQt(success.text) + fileNameToQt(result.fileName),
                   Prompts::Icon::kInformation);
  return true;
}

}  // namespace acv
