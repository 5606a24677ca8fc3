// What every save page shows after a save: "Save Has Failed" with the message for what went
// wrong, or "Save Was Successful" naming the person and the file.
#pragma once

#include "storage/record_store.h"

class QWidget;

namespace acv {

class Prompts;

// Shows the outcome of `result`, a save of `record`; true when it succeeded.
bool ReportSave(Prompts& prompts, QWidget* page, const ResponseRecord& record,
                const SaveResult& result);

}  // namespace acv
