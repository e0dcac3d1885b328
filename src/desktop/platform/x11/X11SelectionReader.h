#pragma once

#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>

#include "desktop/platform/Clipboard.h"

namespace ts::x11 {

// Selection protocol targets, not formats: offered again from a snapshot they would answer the
// protocol with stale bytes.
bool isProtocolTarget(const QByteArray& name);

// What another program's clipboard gave within the bounds.
struct SelectionRead {
    ClipboardSnapshot formats;  // MIME names as QMimeData would name them, in the owner's order
    QStringList skipped;        // formats the owner refused or did not deliver in time
};

// Reads another program's selection over an X connection of its own, so Qt's event queue
// stays untouched and an owner that never answers costs a bounded wait instead of Qt's 5 s per
// format. Reading a clipboard this process owns would wait for our own (blocked) event loop:
// callers answer that case from QClipboard.
class X11SelectionReader final {
public:
    struct Bounds {
        std::chrono::milliseconds perFormat{300};
        std::chrono::milliseconds overall{1000};
    };

    X11SelectionReader();
    ~X11SelectionReader();
    X11SelectionReader(const X11SelectionReader&) = delete;
    X11SelectionReader& operator=(const X11SelectionReader&) = delete;

    // Every format of CLIPBOARD; empty when nobody owns it or there is no X server.
    SelectionRead readClipboard(Bounds bounds);
    // The text of PRIMARY (UTF8_STRING, else STRING) within the bound; nothing when nobody owns
    // it, the owner refuses or is too late.
    std::optional<QString> readPrimaryText(std::chrono::milliseconds bound);

private:
    bool connect();

    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace ts::x11
