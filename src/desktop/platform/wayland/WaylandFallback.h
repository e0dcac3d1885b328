#pragma once

#include <QString>
#include <memory>

namespace ts {

class WaylandConnection;
class WaylandClipboard;
class WaylandKeySynthesizer;

// The copy and paste path for compositors without the accessibility route: keys through a
// virtual keyboard, the clipboard saved and restored through data control, on a connection of
// its own.
class WaylandFallback final {
public:
    // Null, with the reason, when $WAYLAND_DISPLAY's compositor lacks a seat, the virtual
    // keyboard or data control.
    static std::unique_ptr<WaylandFallback> create(QString* whyNot = nullptr);
    ~WaylandFallback();
    WaylandFallback(const WaylandFallback&) = delete;
    WaylandFallback& operator=(const WaylandFallback&) = delete;

    WaylandConnection& connection() { return *connection_; }
    WaylandClipboard& clipboard() { return *clipboard_; }
    WaylandKeySynthesizer& keys() { return *keys_; }

private:
    explicit WaylandFallback(std::unique_ptr<WaylandConnection> connection);

    // Declared first, destroyed last: the others use it.
    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<WaylandClipboard> clipboard_;
    std::unique_ptr<WaylandKeySynthesizer> keys_;
};

}  // namespace ts
