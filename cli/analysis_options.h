// The options that choose the records of an analysis, shared by the commands that analyse.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "engine/analysis.h"

namespace acv::cli {

struct AnalysisChoice {
  std::string file;
  std::string self;      // record index of the Self-report as typed, empty for none
  std::string observer;  // record index of the Observer-report as typed, empty for none
};

// Adds FILE, --self INDEX and --observer INDEX to `command`, stored in `choice`.
void AddAnalysisOptions(CLI::App& command, AnalysisChoice& choice);

// Reads the chosen records into `analysis`, warning on stderr when a record is not of the type
// it was chosen as. False, after a message on stderr naming `command`, when no record was chosen,
// an index is not one of a record ("--self must be a record index from 0 to 656", however long
// the number typed) or a record could not be read.
bool LoadChosenAnalysis(const AnalysisChoice& choice, const std::string& command,
                        Analysis& analysis);

}  // namespace acv::cli
