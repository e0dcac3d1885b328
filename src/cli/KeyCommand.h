#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `key set KIND`: stores the provider's key, trimmed; an empty key is refused.
int runKeySet(CliEnvironment& env, const Invocation& invocation);
// `key clear KIND`
int runKeyClear(CliEnvironment& env, const Invocation& invocation);
// `key status`: which providers have a key, and where keys are kept.
int runKeyStatus(CliEnvironment& env);

}  // namespace ts::cli
