#include "session/AppEvents.h"

namespace ts {

AppEvents& AppEvents::shared() {
    static AppEvents* events = new AppEvents;  // outlives every window and observer
    return *events;
}

}  // namespace ts
