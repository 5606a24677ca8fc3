// A stored record opened for editing, and the two ways an edit is saved: in place of the stored
// record, or added as a new record to the file named.
#pragma once

#include <string>
#include <string_view>

#include "engine/response_record.h"
#include "storage/format.h"
#include "storage/record_store.h"

class QWidget;

namespace acv {

class Prompts;

struct RecordEdit {
  // Reads record `index` of `fileName` (the full name, with ".cvr"), keeping the bytes read so
  // that replacing it can tell whether anyone changed it meanwhile.
  static FileStatus Open(const std::string& fileName, int index, RecordEdit* edit);

  std::string fileName;
  int index = -1;
  StoredRecord original{};  // the stored bytes when the edit began
  ResponseRecord unedited;  // never changed: what "No Edits Made" compares against
};

// Replacing writes `record` at the edit's own place, and only while that still holds the bytes
// read when the edit began; otherwise `record` is added to the end of the file typed.
SaveResult SaveEdit(const RecordEdit& edit, bool replace, std::string_view typedName,
                    ResponseRecord& record);

// When `record` is the same as the record opened, asks "No Edits Made": true to save anyway
// ("Yes, Proceed"), false to keep the wizard open without saving ("Do Not Save"). True at once
// when something was changed.
bool ConfirmSaveEdit(Prompts& prompts, QWidget* page, const RecordEdit& edit,
                     const ResponseRecord& record);

}  // namespace acv
