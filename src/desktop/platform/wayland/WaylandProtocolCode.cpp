// wayland-scanner writes the protocols' tables as C; compiled here as C++ they keep C linkage and,
// declared extern by the headers first, external linkage. The headers declare them without the
// hidden visibility the definitions ask for, which GCC then ignores.
#pragma GCC diagnostic ignored "-Wattributes"
extern "C" {
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include "virtual-keyboard-unstable-v1-protocol.inc"
#include "wlr-data-control-unstable-v1-protocol.inc"
}
