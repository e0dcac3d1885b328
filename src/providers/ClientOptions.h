#pragma once

#include <chrono>

namespace ts {

struct ClientOptions {
    // A request fails when no data has arrived for this long; a stream that keeps delivering
    // is never cut off.
    std::chrono::milliseconds inactivityTimeout{std::chrono::seconds(60)};
};

}  // namespace ts
