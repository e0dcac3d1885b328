#include "desktop/platform/wayland/WaylandProtocols.h"

#include "desktop/platform/wayland/WaylandConnection.h"

namespace ts {

bool waylandOffersKeyboardAndClipboard() {
    static const bool offered = [] {
        const std::unique_ptr<WaylandConnection> connection = WaylandConnection::open();
        return connection && connection->seat() != nullptr &&
               connection->virtualKeyboardManager() != nullptr &&
               connection->dataControlManager() != nullptr;
    }();
    return offered;
}

}  // namespace ts
