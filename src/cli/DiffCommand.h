#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `diff OLD_FILE NEW_FILE [--json]`: the word diff of two files. Returns the exit status.
int runDiff(CliEnvironment& env, const Invocation& invocation);

}  // namespace ts::cli
