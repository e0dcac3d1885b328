#pragma once

#include <QString>

#include "core/Enums.h"

namespace ts::cli {

// The windows' sentences send the user to Settings; on the command line the same sentence names
// the command that does it. `kind` is the provider the request went to.
QString forCommandLine(const QString& sentence, ProviderKind kind);

}  // namespace ts::cli
