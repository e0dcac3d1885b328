#pragma once

#include <QtGlobal>

namespace ts {

// Milliseconds since the kernel started this process (its clock ticks are 10 ms), so the time
// before main (loading the libraries) counts too; -1 when /proc cannot tell.
qint64 msSinceProcessStart();

}  // namespace ts
