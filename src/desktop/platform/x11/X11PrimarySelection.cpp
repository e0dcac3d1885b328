#include "desktop/platform/x11/X11PrimarySelection.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include "desktop/platform/x11/X11Connection.h"
#include "desktop/platform/x11/X11SelectionReader.h"

// X11 headers last: their macros (Bool, Status, None) break Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcPrimary, "tessarine.desktop.primary")

qint64 pidByResource(Display* display, Window window) {
    int eventBase = 0;
    int errorBase = 0;
    if (XResQueryExtension(display, &eventBase, &errorBase) == 0) {
        return 0;
    }
    XResClientIdSpec query{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    if (XResQueryClientIds(display, 1, &query, &count, &values) != Success) {
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
    if (pid <= 0) {
        return std::nullopt;  // no process to match the owner against
    }
    const qint64 owner = ownerPid();
    if (owner != pid) {
        qCDebug(lcPrimary, "selection held by pid %lld, not %lld", owner, pid);
        return std::nullopt;
    }
    std::optional<QString> text;
    if (pid == QCoreApplication::applicationPid()) {
        // Our own selection: Qt answers from memory (asking the server would wait for us).
        text = QGuiApplication::clipboard()->text(QClipboard::Selection);
    } else {
        // Over a connection of our own: Qt's read waits up to 5 s per request, ours is bounded.
        text = reader_.readPrimaryText(std::chrono::milliseconds(kReadBoundMs));
        if (!text) {
            qCInfo(lcPrimary, "the selection's owner gave no text within %d ms", kReadBoundMs);
        }
    }
    if (!text || text->isEmpty()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace ts
