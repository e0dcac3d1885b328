#include "desktop/platform/x11/X11PrimarySelection.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <climits>

#include "desktop/platform/x11/X11Connection.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <poll.h>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcPrimary, "tessarine.desktop.primary")

qint64 pidByResource(Display* display, Window window) {
    int eventBase = 0;
    int errorBase = 0;
    if (XResQueryExtension(display, &eventBase, &errorBase) == 0) {
        return 0;
    }
    XResClientIdSpec spec{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    if (XResQueryClientIds(display, 1, &spec, &count, &values) != Success) {
        return 0;
    }
    qint64 pid = 0;
    for (long i = 0; i < count && pid <= 0; ++i) {
        if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID) {
            pid = XResGetClientPid(&values[i]);
        }
    }
    XResClientIdsDestroy(count, values);
    return pid > 0 ? pid : 0;
}

unsigned long cardinal(Display* display, Window window, const char* name, Atom type) {
    const Atom property = XInternAtom(display, name, False);
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    unsigned long value = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &actualFormat,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualFormat == 32 && count == 1) {
            value = *reinterpret_cast<const unsigned long*>(data);
        }
        XFree(data);
    }
    return value;
}

// Without X-Resource: the pid the window (or its group's leader) publishes, if any.
qint64 pidByProperty(Display* display, Window window) {
    if (const unsigned long pid = cardinal(display, window, "_NET_WM_PID", XA_CARDINAL)) {
        return static_cast<qint64>(pid);
    }
    const unsigned long leader = cardinal(display, window, "WM_CLIENT_LEADER", XA_WINDOW);
    if (leader != 0 && leader != window) {
        return static_cast<qint64>(cardinal(display, leader, "_NET_WM_PID", XA_CARDINAL));
    }
    return 0;
}

// The owner may go away between our requests; its BadWindow must not end the process.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

constexpr int kReadBoundMs = 400;

}  // namespace

// Asks the owner for the text over an X connection of our own, so the wait is ours to bound
// (Qt's own read waits up to 5 s per request) and Qt's event queue is left alone.
struct X11PrimarySelection::Reader {
    Display* display = nullptr;
    Window window = None;
    Atom property = None;
    Atom incr = None;

    Reader() {
        Display* qt = x11::qtDisplay();
        display = qt != nullptr ? XOpenDisplay(DisplayString(qt)) : nullptr;
        if (display == nullptr) {
            return;
        }
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
        property = XInternAtom(display, "TESSARINE_PRIMARY", False);
        incr = XInternAtom(display, "INCR", False);
    }
    ~Reader() {
        if (display != nullptr) {
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool awaitNotify(Atom target, const QDeadlineTimer& deadline, XEvent& event) {
        for (;;) {
            while (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
                if (event.xselection.target == target) {
                    return true;  // an answer to an earlier, abandoned request is skipped
                }
            }
            const qint64 left = deadline.remainingTime();
            if (left <= 0) {
                return false;
            }
            pollfd ready{ConnectionNumber(display), POLLIN, 0};
            poll(&ready, 1, static_cast<int>(left));
        }
    }

    // Nothing when the owner refuses the target, answers too late, or sends it in pieces
    // (INCR: more than a selection of text normally holds).
    std::optional<QByteArray> read(Atom target, const QDeadlineTimer& deadline) {
        XDeleteProperty(display, window, property);
        XConvertSelection(display, XA_PRIMARY, target, property, window, CurrentTime);
        XFlush(display);
        XEvent event{};
        if (!awaitNotify(target, deadline, event) || event.xselection.property == None) {
            return std::nullopt;
        }
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        std::optional<QByteArray> out;
        if (XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, True, AnyPropertyType,
                               &type, &format, &count, &remaining, &data) == Success &&
            type != incr && format == 8) {
            out = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        }
        if (data != nullptr) {
            XFree(data);
        }
        return out;
    }

    std::optional<QString> text() {
        if (display == nullptr) {
            return std::nullopt;
        }
        auto* previous = XSetErrorHandler(ignoreErrors);
        const QDeadlineTimer deadline(kReadBoundMs);
        std::optional<QString> out;
        if (const auto utf8 = read(XInternAtom(display, "UTF8_STRING", False), deadline)) {
            out = QString::fromUtf8(*utf8);
        } else if (const auto latin1 = read(XA_STRING, deadline)) {
            out = QString::fromLatin1(*latin1);
        } else if (deadline.hasExpired()) {
            qCInfo(lcPrimary, "the selection's owner did not answer within %d ms", kReadBoundMs);
        }
        XSync(display, False);
        XSetErrorHandler(previous);
        return out;
    }
};

X11PrimarySelection::X11PrimarySelection(QObject* parent) : PrimarySelection(parent) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr || x11::qtDisplay() == nullptr) {
        return;
    }
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this,
            [this](QClipboard::Mode mode) {
                if (mode == QClipboard::Selection) {
                    emit changed();
                }
            });
}

qint64 X11PrimarySelection::ownerPid() {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return 0;
    }
    const Window owner = XGetSelectionOwner(display, XA_PRIMARY);
    if (owner == None) {
        return 0;
    }
    XSync(display, False);
    auto* previous = XSetErrorHandler(ignoreErrors);
    qint64 pid = pidByResource(display, owner);
    if (pid == 0) {
        pid = pidByProperty(display, owner);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return pid;
}

X11PrimarySelection::~X11PrimarySelection() = default;

std::optional<QString> X11PrimarySelection::selectedText(qint64 pid) const {
    const qint64 owner = pid > 0 ? ownerPid() : 0;
    if (owner != pid) {
        qCDebug(lcPrimary, "selection held by pid %lld, not %lld", owner, pid);
        return std::nullopt;
    }
    std::optional<QString> text;
    if (pid == QCoreApplication::applicationPid()) {
        // Our own selection: Qt answers from memory (asking the server would wait for us).
        text = QGuiApplication::clipboard()->text(QClipboard::Selection);
    } else {
        if (reader_ == nullptr) {
            reader_ = std::make_unique<Reader>();
        }
        text = reader_->text();
    }
    if (!text || text->isEmpty()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace ts
