#pragma once

namespace ts {

// Every diagnostic line goes to standard error (and so to the journal when run by it), starting
// with "[Tessarine] ".
void installLogHandler();

}  // namespace ts
