#include "desktop/platform/x11/X11InputMonitor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <xcb/xcb.h>

namespace ts {

namespace {

// Each button line carries the pointer position: debug lines, off unless asked for.
Q_LOGGING_CATEGORY(lcInput, "tessarine.desktop.input", QtInfoMsg)

// The head of a raw event as it comes off the wire; xcb keeps the first 32 bytes in place.
struct RawEventHead {
    std::uint8_t type;
    std::uint8_t extension;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint16_t evtype;
    std::uint16_t deviceid;
    std::uint32_t time;
    std::uint32_t detail;
};
static_assert(sizeof(RawEventHead) == 20);

constexpr int kGenericEvent = 35;  // XCB_GE_GENERIC

}  // namespace

X11InputMonitor::X11InputMonitor(QObject* parent) : InputMonitor(parent) {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return;
    }
    int event = 0;
    int error = 0;
    int opcode = 0;
    if (XQueryExtension(display, "XInputExtension", &opcode, &event, &error) == 0) {
        qCWarning(lcInput, "no XInput extension: clicks, keys and scrolling elsewhere go unseen");
        return;
    }
    // The server refuses a version below the one this connection agreed on before (Qt asks
    // for 2.2 or later): ask high, and it answers with the agreed one.
    int major = 2;
    int minor = 4;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2) {
        qCWarning(lcInput, "no XInput 2: clicks, keys and scrolling elsewhere go unseen");
        return;
    }
    xiOpcode_ = opcode;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11InputMonitor::~X11InputMonitor() {
    held_ = {};
    select();
    if (xiOpcode_ >= 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void X11InputMonitor::acquire(InputKinds kinds) {
    if (held_.add(kinds)) {
        select();
    }
}

void X11InputMonitor::release(InputKinds kinds) {
    if (held_.remove(kinds)) {
        select();
    }
}

void X11InputMonitor::select() {
    Display* display = x11::qtDisplay();
    if (display == nullptr || xiOpcode_ < 0) {
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    // The wheel comes as buttons 4 to 7.
    if (held_.holds(InputKind::buttons) || held_.holds(InputKind::scroll)) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    if (held_.holds(InputKind::keys)) {
        XISetMask(bits, XI_RawKeyPress);
    }
    const bool any = std::any_of(std::begin(bits), std::end(bits), [](auto b) { return b != 0; });
    if (!any && !selected_) {
        return;
    }
    selected_ = any;
    // Master devices only: Qt keeps its own selection on the root window for all devices, and
    // each device id holds a mask of its own, so ours never replaces Qt's.
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // A round trip: whatever the user does after acquire() returns is seen.
    XSync(display, False);
}

unsigned X11InputMonitor::logicalButton(unsigned physical) {
    if (buttonMap_.isEmpty()) {
        Display* display = x11::qtDisplay();
        unsigned char map[256] = {};
        const int count = display != nullptr ? XGetPointerMapping(display, map, 256) : 0;
        buttonMap_ = QByteArray(reinterpret_cast<const char*>(map), count);
    }
    if (physical == 0 || physical > static_cast<unsigned>(buttonMap_.size())) {
        return physical;
    }
    return static_cast<unsigned char>(buttonMap_.at(physical - 1));
}

void X11InputMonitor::emitButton(unsigned physical, bool press) {
    const unsigned logical = logicalButton(physical);
    if (logical >= 4 && logical <= 7) {
        if (press && held_.holds(InputKind::scroll)) {
            emit scrolled();
        }
        return;
    }
    if ((logical != 1 && logical != 3) || !held_.holds(InputKind::buttons)) {
        return;
    }
    const Qt::MouseButton button = logical == 1 ? Qt::LeftButton : Qt::RightButton;
    const QPoint pos = QCursor::pos();
    qCDebug(lcInput, "button %u (%u) %s at (%d, %d)", logical, physical, press ? "down" : "up",
            pos.x(), pos.y());
    if (press) {
        emit mousePressed(button, pos);
    } else {
        emit mouseReleased(button, pos);
    }
}

bool X11InputMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* generic = static_cast<const xcb_generic_event_t*>(message);
    const int type = generic->response_type & 0x7f;
    // Sent to every client, held or not.
    if (type == XCB_MAPPING_NOTIFY) {
        if (static_cast<const xcb_mapping_notify_event_t*>(message)->request ==
            XCB_MAPPING_POINTER) {
            buttonMap_.clear();
        }
        return false;
    }
    if (!selected_ || type != kGenericEvent) {
        return false;
    }
    const auto* raw = static_cast<const RawEventHead*>(message);
    if (raw->extension != xiOpcode_) {
        return false;
    }
    switch (raw->evtype) {
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            emitButton(raw->detail, raw->evtype == XI_RawButtonPress);
            break;
        case XI_RawKeyPress:
            if (held_.holds(InputKind::keys)) {
                emit keyPressed();
            }
            break;
        default:
            break;
    }
    // Only watching: Qt and everyone else still get the event.
    return false;
}

}  // namespace ts
