#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `config list | get KEY | set KEY VALUE`, typed by the setting. Returns the exit status.
int runConfig(CliEnvironment& env, const Invocation& invocation);

}  // namespace ts::cli
