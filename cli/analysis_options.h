// The options that choose the records of an analysis, shared by the commands that analyse.
#pragma once

#include <string>

#include "cli/commands.h"
#include "engine/analysis.h"

namespace acv::cli {

// Adds FILE, --self INDEX and --observer INDEX to `command`, stored in `choice`; an index that
// is not one of a record is refused as the options are parsed ("must be a record index from 0
// to 656", however long the number typed).
void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice);

// Reads the chosen records into `analysis`, warning on stderr when a record is not of the type
// it was chosen as. False, after a message on stderr naming `command`, when no record was chosen
// or a record could not be read.
bool LoadChosenAnalysis(const AnalysisChoice& choice, const std::string& command,
                        Analysis& analysis);

}  // namespace acv::cli
