#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `history [--json]`: the recorded reviews, newest first. Returns the exit status.
int runHistory(CliEnvironment& env, const Invocation& invocation);

}  // namespace ts::cli
