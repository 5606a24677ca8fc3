// Runs an acv command's Run function in this process, with strings for its streams.
#pragma once

#include <sstream>
#include <string>

#include "cli/output.h"
#include "support/run_acv.h"

namespace acv::testing {

// `run(options, console)` as acv `command`, with `typed` as its standard input; what it printed
// and its exit code, as RunAcv gives them.
template <typename Run, typename Options>
RunResult RunHere(const std::string& command, Run run, const Options& options,
                  const std::string& typed = "") {
  std::istringstream in(typed);
  std::ostringstream out;
  std::ostringstream err;
  RunResult result;
  result.status = run(options, cli::Console{command, in, out, err});
  result.out = out.str();
  result.err = err.str();
  return result;
}

}  // namespace acv::testing
