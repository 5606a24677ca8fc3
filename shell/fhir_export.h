// "Export as FHIR ...": the analysis shown, with its printed report, as an HL7 FHIR R4
// transaction Bundle for a health record, after the same acceptance of responsibility for the
// data's privacy as the CSV export.
#pragma once

#include <QString>
#include <array>

#include "engine/analysis.h"

class QWidget;

namespace acv {

class Prompts;

// Asks for the acceptance and a file name (`startName` offered), then writes the file whole or
// not at all and says how it went. True once a file was written.
// `amended` says, by Report, whether an edit replaced the report's record.
bool ExportAnalysisAsFhir(Prompts& prompts, const Analysis& analysis,
                          const std::array<bool, 2>& amended, const QString& startName,
                          QWidget* parent);

}  // namespace acv
