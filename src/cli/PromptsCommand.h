#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `prompts list | save | rename | delete | export | import`: the saved instructions of the ask
// mode, under the store's rules (30 at most, one name per prompt, the version 1 export file).
int runPrompts(CliEnvironment& env, const Invocation& invocation);

}  // namespace ts::cli
