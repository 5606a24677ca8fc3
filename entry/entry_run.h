// One run of an entry wizard, kept in one place: the record being filled and the response file's
// name as typed (without ".cvr"), both owned by the command that opened the wizard; how Finish
// saves, with the stored record when one is being edited; and whether the user asked not to be
// warned of blank items again. The page shown is the wizard's current page.
#pragma once

#include <QString>
#include <optional>

#include "entry/pages/blank_items.h"
#include "entry/record_saver.h"

namespace acv {

class Prompts;
class ResponseRecord;

struct EntryRun {
  EntryRun(Prompts& prompts, ResponseRecord& record, QString& fileName,
           std::optional<RecordEdit> edit)
      : record(record), fileName(fileName), saver(prompts, std::move(edit)) {}

  ResponseRecord& record;
  QString& fileName;
  RecordSaver saver;
  BlankItemsCheck blanks;
};

}  // namespace acv
