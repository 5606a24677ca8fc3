// What every save page shows around a save: the wait cursor while it runs, then "Save Has
// Failed" with the message for what went wrong, or "Save Was Successful" naming the person and
// the file.
#pragma once

#include "storage/record_store.h"

class QWidget;

namespace acv {

class Prompts;

// The wait cursor for as long as the object lives.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Shows the outcome of `result`, a save of `record`; true when it succeeded.
bool ReportSave(Prompts& prompts, QWidget* page, const ResponseRecord& record,
                const SaveResult& result);

}  // namespace acv
