#include "desktop/platform/x11/X11KeyGrabber.h"

#include <QCoreApplication>
#include <algorithm>

#include "desktop/DesktopLogging.h"
#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace ts {

namespace {

constexpr unsigned int kMatchedModifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// Set only while our own grab requests are in flight; X errors are asynchronous, so the
// handler is installed around the requests and an XSync that flushes their answers.
bool gGrabRefused = false;

int recordGrabError(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) {
        gGrabRefused = true;
    }
    return 0;
}

unsigned int coreMask(Modifiers modifiers) {
    unsigned int mask = 0;
    if (modifiers & Modifier::shift) {
        mask |= ShiftMask;
    }
    if (modifiers & Modifier::control) {
        mask |= ControlMask;
    }
    if (modifiers & Modifier::alt) {
        mask |= Mod1Mask;
    }
    if (modifiers & Modifier::super) {
        mask |= Mod4Mask;
    }
    return mask;
}

// The mask alone and with NumLock, CapsLock and both, so locks never block the shortcut.
QList<unsigned int> lockVariants(Display* display, unsigned int mask) {
    const unsigned int numLock = x11::numLockMask(display);
    QList<unsigned int> out{mask, mask | LockMask};
    if (numLock != 0) {
        out << (mask | numLock) << (mask | numLock | LockMask);
    }
    return out;
}

}  // namespace

X11KeyGrabber::X11KeyGrabber(QObject* parent) : GlobalKeyGrabber(parent) {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

X11KeyGrabber::~X11KeyGrabber() {
    const auto ids = grabs_.keys();
    for (quint32 id : ids) {
        ungrab(id);
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool X11KeyGrabber::grab(quint32 id, const KeyChord& chord) {
    ungrab(id);
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        qCWarning(lcHotkeys, "no X display: hotkey %u not registered", id);
        return false;
    }
    const KeyCode keycode = XKeysymToKeycode(display, chord.keysym);
    if (keycode == 0) {
        qCWarning(lcHotkeys, "hotkey %u (%s): no key on this keyboard", id,
                  qPrintable(describe(chord)));
        return false;
    }
    const Grab grab{keycode, coreMask(chord.modifiers)};
    if (!heldByOther(id, grab) && !grabVariants(grab)) {
        qCWarning(lcHotkeys, "hotkey %u (%s) is held by another program; it will not fire", id,
                  qPrintable(describe(chord)));
        return false;
    }
    grabs_.insert(id, grab);
    return true;
}

void X11KeyGrabber::ungrab(quint32 id) {
    const auto it = grabs_.constFind(id);
    if (it == grabs_.constEnd()) {
        return;
    }
    const Grab grab = *it;
    grabs_.erase(it);
    if (!heldByOther(id, grab)) {
        ungrabVariants(grab);
    }
}

bool X11KeyGrabber::heldByOther(quint32 id, const Grab& grab) const {
    for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it) {
        if (it.key() != id && it->keycode == grab.keycode && it->mask == grab.mask) {
            return true;
        }
    }
    return false;
}

bool X11KeyGrabber::grabVariants(const Grab& grab) {
    Display* display = x11::qtDisplay();
    const Window root = DefaultRootWindow(display);
    XSync(display, False);
    gGrabRefused = false;
    XErrorHandler previous = XSetErrorHandler(recordGrabError);
    for (unsigned int mask : lockVariants(display, grab.mask)) {
        XGrabKey(display, static_cast<int>(grab.keycode), mask, root, True, GrabModeAsync,
                 GrabModeAsync);
    }
    XSync(display, False);
    const bool refused = gGrabRefused;
    if (refused) {
        // Some variants may have succeeded; leave none behind. BadAccess for an ungrab of a
        // variant we never got is caught by the same handler.
        for (unsigned int mask : lockVariants(display, grab.mask)) {
            XUngrabKey(display, static_cast<int>(grab.keycode), mask, root);
        }
        XSync(display, False);
    }
    XSetErrorHandler(previous);
    gGrabRefused = false;
    return !refused;
}

void X11KeyGrabber::ungrabVariants(const Grab& grab) {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return;
    }
    const Window root = DefaultRootWindow(display);
    for (unsigned int mask : lockVariants(display, grab.mask)) {
        XUngrabKey(display, static_cast<int>(grab.keycode), mask, root);
    }
    XSync(display, False);
}

bool X11KeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || grabs_.isEmpty()) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    // Press and release events share one layout.
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const unsigned int mask = key->state & kMatchedModifiers;
    QList<quint32> matched;
    for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it) {
        if (it->keycode == key->detail && it->mask == mask) {
            matched << it.key();
        }
    }
    if (type == XCB_KEY_RELEASE) {
        if (heldKeycode_ == key->detail) {
            heldKeycode_ = 0;
            releaseTime_ = key->time;
        }
        return false;
    }
    if (matched.isEmpty()) {
        return false;
    }
    // Holding the shortcut must not start one action per auto-repeat: a repeat is a press
    // without a release in between, or (without detectable auto-repeat) a press stamped
    // with the time of the release just before it.
    const bool repeat =
        heldKeycode_ == key->detail || (releaseTime_ != 0 && releaseTime_ == key->time);
    heldKeycode_ = key->detail;
    if (!repeat) {
        std::sort(matched.begin(), matched.end());
        for (quint32 id : matched) {
            emit activated(id);
        }
    }
    return true;
}

}  // namespace ts
