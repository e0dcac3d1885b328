#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `key set KIND`: stores (or, given an empty line, clears) the provider's key.
int runKeySet(CliEnvironment& env, const Invocation& invocation);
// `key status`: which providers have a key, and where keys are kept.
int runKeyStatus(CliEnvironment& env);

}  // namespace ts::cli
