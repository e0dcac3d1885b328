#include "desktop/platform/x11/X11FrontmostApp.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

#include "desktop/DesktopLogging.h"
#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

namespace ts {

namespace {

// All items of a 32-bit-format property (XGetWindowProperty hands them out as longs).
std::vector<unsigned long> cardinals(Display* display, Window window, const char* name, Atom type) {
    std::vector<unsigned long> out;
    const Atom property = XInternAtom(display, name, False);
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType,
                           &actualFormat, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualFormat == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            out.assign(items, items + count);
        }
        XFree(data);
    }
    return out;
}

QString utf8Property(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    QString out;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &actualType,
                           &actualFormat, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualFormat == 8) {
            out = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
        }
        XFree(data);
    }
    return out;
}

qint64 windowPid(Display* display, Window window) {
    const auto pid = cardinals(display, window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<qint64>(pid.front());
}

bool isAncestorOrSelf(Display* display, Window ancestor, Window window) {
    const Window root = DefaultRootWindow(display);
    for (int depth = 0; window != None && window != root && depth < 64; ++depth) {
        if (window == ancestor) {
            return true;
        }
        Window rootReturn = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        window = parent;
    }
    return false;
}

// _NET_ACTIVE_WINDOW can outlive its window: some window managers leave it in place when the
// last window goes, and the server hands the dead window's id to the next client that starts
// (possibly this one). The window that has the keyboard decides.
bool hasKeyboard(Display* display, Window active) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == PointerRoot) {
        return true;  // focus follows the pointer: only the window manager knows
    }
    return focus != None &&
           (isAncestorOrSelf(display, active, focus) || isAncestorOrSelf(display, focus, active));
}

}  // namespace

X11FrontmostApp::X11FrontmostApp(QObject* parent) : FrontmostApp(parent) {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return;
    }
    activeWindowAtom_ = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    // Add to the root's event mask rather than replace it: Qt listens there too.
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
    XFlush(display);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11FrontmostApp::~X11FrontmostApp() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

std::optional<AppInfo> X11FrontmostApp::current() const {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return std::nullopt;
    }
    const auto active =
        cardinals(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    if (active.empty() || active.front() == None) {
        return std::nullopt;
    }
    const Window window = active.front();
    if (!hasKeyboard(display, window)) {
        return std::nullopt;
    }
    AppInfo info;
    info.windowId = window;
    info.pid = windowPid(display, window);
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) != 0) {
        info.windowClass = QString::fromLocal8Bit(hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    info.name = info.windowClass.isEmpty() ? utf8Property(display, window, "_NET_WM_NAME")
                                           : info.windowClass;
    return info;
}

namespace {

void requestActivation(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // as a pager would: window managers honour it at once
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

}  // namespace

bool X11FrontmostApp::activate(qint64 pid) {
    Display* display = x11::qtDisplay();
    if (display == nullptr || pid <= 0) {
        return false;
    }
    const Window root = DefaultRootWindow(display);
    const auto clients = cardinals(display, root, "_NET_CLIENT_LIST", XA_WINDOW);
    for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
        if (windowPid(display, *it) == pid) {
            requestActivation(display, *it);
            return true;
        }
    }
    qCInfo(lcFrontmost, "no window of pid %lld to activate", static_cast<long long>(pid));
    return false;
}

bool X11FrontmostApp::activateWindow(quint64 windowId) {
    Display* display = x11::qtDisplay();
    if (display == nullptr || windowId == 0) {
        return false;
    }
    // Only a window the window manager still lists: a closed one cannot take the paste.
    const auto clients =
        cardinals(display, DefaultRootWindow(display), "_NET_CLIENT_LIST", XA_WINDOW);
    if (std::find(clients.begin(), clients.end(), Window(windowId)) == clients.end()) {
        qCInfo(lcFrontmost, "window 0x%llx is gone", static_cast<unsigned long long>(windowId));
        return false;
    }
    requestActivation(display, Window(windowId));
    return true;
}

bool X11FrontmostApp::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || activeWindowAtom_ == 0) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (notify->atom == activeWindowAtom_) {
        emit changed();
    }
    return false;
}

}  // namespace ts
