#include "desktop/platform/wayland/WaylandFallback.h"

#include "desktop/platform/wayland/WaylandClipboard.h"
#include "desktop/platform/wayland/WaylandConnection.h"
#include "desktop/platform/wayland/WaylandKeySynthesizer.h"

namespace ts {

std::unique_ptr<WaylandFallback> WaylandFallback::create(QString* whyNot) {
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::open(whyNot);
    if (!connection) {
        return nullptr;
    }
    QString missing;
    if (connection->seat() == nullptr) {
        missing = QStringLiteral("a seat");
    } else if (connection->virtualKeyboardManager() == nullptr) {
        missing = QStringLiteral("the virtual keyboard protocol");
    } else if (connection->dataControlManager() == nullptr) {
        missing = QStringLiteral("the data control protocol");
    }
    if (!missing.isEmpty()) {
        if (whyNot != nullptr) {
            *whyNot = QStringLiteral("the Wayland compositor offers no %1").arg(missing);
        }
        return nullptr;
    }
    std::unique_ptr<WaylandFallback> fallback(new WaylandFallback(std::move(connection)));
    if (!fallback->keys().ready() || fallback->connection().broken()) {
        if (whyNot != nullptr) {
            *whyNot = QStringLiteral("the Wayland compositor refused a virtual keyboard");
        }
        return nullptr;
    }
    return fallback;
}

WaylandFallback::WaylandFallback(std::unique_ptr<WaylandConnection> connection)
    : connection_(std::move(connection)),
      clipboard_(std::make_unique<WaylandClipboard>(*connection_)),
      keys_(std::make_unique<WaylandKeySynthesizer>(*connection_)) {}

WaylandFallback::~WaylandFallback() = default;

}  // namespace ts
