// Noting in the history beside a response file that data was taken out of it: records
// exported, a report saved or printed. Taking data out changes no record, so it never waits on
// the history: where the history cannot be written (a read-only folder or file, a history that
// does not verify), the export or report goes on and its caller says once that it was not
// recorded.
#pragma once

#include <string>
#include <vector>

#include "storage/history/history_entry.h"

namespace acv {

// Appends one entry to the history of `responseFile` (a .cvr path): `action` (kExportedCsv,
// kReportPdf, kReportRtf, kReportPrinted or kExportedFhir), who, when, and the records `indexes`
// taken out. True when the entry is in the history, flushed.
bool RecordDataTakenOut(const std::string& responseFile, HistoryAction action,
                        const std::vector<int>& indexes);

}  // namespace acv
