#pragma once

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

namespace ts::cli {

// `open URL`: hands the URL to the running Tessarine over the session bus. When none runs, the
// bus starts it (its activation file), or else this command starts `tessarine URL` itself.
// The tessarine program installed beside this one, else the one on PATH; empty when neither.
QString tessarineProgram();

int runOpen(CliEnvironment& env, const Invocation& invocation);

}  // namespace ts::cli
