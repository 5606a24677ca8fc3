// A stored record opened for editing: where it is, the bytes it had, and the record as read.
#pragma once

#include <string>

#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"

namespace acv {

struct RecordEdit {
  // Reads record `index` of `fileName` (the full name, with ".cvr"), keeping the bytes read so
  // that replacing it can tell whether anyone changed it meanwhile.
  static FileStatus Open(const std::string& fileName, int index, RecordEdit* edit);

  std::string fileName;
  int index = -1;
  StoredRecord original{};  // the stored bytes when the edit began
  ResponseRecord unedited;  // never changed: what "No Edits Made" compares against
};

}  // namespace acv
