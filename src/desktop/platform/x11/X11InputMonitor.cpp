#include "desktop/platform/x11/X11InputMonitor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLoggingCategory>
#include <cstdint>

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <xcb/xcb.h>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcInput, "tessarine.desktop.input")

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
    if (holders_ > 0) {
        select(false);
    }
    if (xiOpcode_ >= 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void X11InputMonitor::acquire() {
    if (++holders_ == 1) {
        select(true);
    }
}

void X11InputMonitor::release() {
    if (holders_ == 0) {
        return;
    }
    if (--holders_ == 0) {
        select(false);
    }
}

void X11InputMonitor::select(bool on) {
    Display* display = x11::qtDisplay();
    if (display == nullptr || xiOpcode_ < 0) {
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        XISetMask(bits, XI_RawKeyPress);
    }
    // Master devices only: Qt keeps its own selection on the root window for all devices, and
    // each device id holds a mask of its own, so ours never replaces Qt's.
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // A round trip: whatever the user does after acquire() returns is seen.
    XSync(display, False);
}

bool X11InputMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (holders_ == 0 || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* generic = static_cast<const xcb_generic_event_t*>(message);
    if ((generic->response_type & 0x7f) != kGenericEvent) {
        return false;
    }
    const auto* raw = static_cast<const RawEventHead*>(message);
    if (raw->extension != xiOpcode_) {
        return false;
    }
    switch (raw->evtype) {
        case XI_RawButtonPress:
        case XI_RawButtonRelease: {
            const bool press = raw->evtype == XI_RawButtonPress;
            if (raw->detail >= 4 && raw->detail <= 7) {
                if (press) {
                    emit scrolled();
                }
            } else if (raw->detail == 1 || raw->detail == 3) {
                const Qt::MouseButton button = raw->detail == 1 ? Qt::LeftButton : Qt::RightButton;
                const QPoint pos = QCursor::pos();
                qCDebug(lcInput, "button %u %s at (%d, %d)", raw->detail, press ? "down" : "up",
                        pos.x(), pos.y());
                if (press) {
                    emit mousePressed(button, pos);
                } else {
                    emit mouseReleased(button, pos);
                }
            }
            break;
        }
        case XI_RawKeyPress:
            emit keyPressed();
            break;
        default:
            break;
    }
    // Only watching: Qt and everyone else still get the event.
    return false;
}

}  // namespace ts
