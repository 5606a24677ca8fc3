// The options that choose the records of an analysis, shared by the commands that analyse.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "engine/analysis.h"

namespace acv::cli {

// Refuses, as the options are parsed, a text that is not a record's index, saying what an index
// is (a short message however long the text typed).
const CLI::Validator& RecordIndexValidator();
// Adds the option `name` for a record's index to `command`, stored in `index`, its help `what`
// followed by the range of indexes the record limit allows, checked by RecordIndexValidator.
CLI::Option* AddIndexOption(CLI::App& command, const std::string& name, int& index,
                            const std::string& what);

// Adds FILE, --self INDEX and --observer INDEX to `command`, stored in `choice`, their indexes
// checked by RecordIndexValidator.
void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice);

// The indexes `choice` names, Self-report first.
std::vector<int> ChosenIndexes(const AnalysisChoice& choice);

// Reads the chosen records into `analysis`, warning on `io.err` when a record is not of the type
// it was chosen as. False, after a message on `io.err`, when no record was chosen
// or a record could not be read.
bool LoadChosenAnalysis(const AnalysisChoice& choice, const Console& io, Analysis& analysis);

}  // namespace acv::cli
