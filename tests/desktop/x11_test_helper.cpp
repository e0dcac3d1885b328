// A second X client for the desktop tests:
//   x11_test_helper grab KEYSYM MASK...   grabs the key with each modifier mask on the root
//                                         window, prints "ok" or "refused", holds the grabs
//                                         until its standard input closes
//   x11_test_helper lockgroup N           locks keyboard group N
//   x11_test_helper group                 prints the locked keyboard group
//   x11_test_helper lock num|caps on|off  switches NumLock or CapsLock
//   x11_test_helper locks                 prints "num caps" as 0/1
//   x11_test_helper repeat DELAY INTERVAL sets the auto-repeat timing (ms), prints the old one
//   x11_test_helper own SILENT            owns CLIPBOARD offering UTF8_STRING, text/html and
//                                         image/png, never answers the target SILENT,
//                                         prints "owned"; serves until its standard input
//                                         closes or another client takes the clipboard
//   x11_test_helper own SILENT LATE_MS    the same, but answers the first request for SILENT
//                                         LATE_MS late and later ones 100 ms late
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <sys/select.h>
#include <sys/time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool refused = false;

int onError(Display*, XErrorEvent* error) {
    refused = refused || error->error_code == BadAccess;
    return 0;
}

long nowMs() {
    timeval now{};
    gettimeofday(&now, nullptr);
    return now.tv_sec * 1000L + now.tv_usec / 1000;
}

// Answers every request but those for `silent`, as an owner that hangs on one format would;
// with lateMs >= 0 the first of those is answered that late instead, the others at once.
void own(Display* display, const char* silent, long lateMs) {
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom silentAtom = XInternAtom(display, silent, False);
    struct Format {
        Atom atom;
        const char* bytes;
    };
    const Format formats[] = {{XInternAtom(display, "UTF8_STRING", False), "owner text"},
                              {XInternAtom(display, "text/html", False), "<i>owner html</i>"},
                              {XInternAtom(display, "image/png", False), "\x89PNG owner image"}};
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    XSync(display, False);
    std::printf("owned\n");
    std::fflush(stdout);
    const int xfd = ConnectionNumber(display);
    XSelectionRequestEvent late{};
    long lateDue = -1;
    const auto answer = [&](const XSelectionRequestEvent& request) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = request.property != None ? request.property : request.target;
        if (request.target == targets) {
            Atom list[] = {targets, formats[0].atom, formats[1].atom, formats[2].atom};
            XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<unsigned char*>(list), 4);
        } else {
            reply.property = None;
            for (const Format& format : formats) {
                if (format.atom == request.target) {
                    reply.property = request.property != None ? request.property : request.target;
                    XChangeProperty(display, request.requestor, reply.property, request.target, 8,
                                    PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(format.bytes),
                                    static_cast<int>(std::strlen(format.bytes)));
                }
            }
        }
        XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
        XFlush(display);
    };
    for (;;) {
        if (lateDue >= 0 && nowMs() >= lateDue) {
            answer(late);
            lateDue = -1;
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionClear) {
                return;
            }
            if (event.type != SelectionRequest) {
                continue;
            }
            const XSelectionRequestEvent& request = event.xselectionrequest;
            if (request.target == silentAtom) {
                if (lateMs >= 0) {
                    late = request;
                    lateDue = nowMs() + lateMs;
                    lateMs = -1;
                } else if (lateDue < 0 && late.requestor != 0) {
                    // After the late one, a little slower than a round trip: a requestor that
                    // takes a stale answer for this one reads it before this one is written.
                    late = request;
                    lateDue = nowMs() + 100;
                }
                continue;
            }
            answer(request);
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(xfd, &fds);
        FD_SET(0, &fds);
        timeval wait{0, 10000};
        select(xfd + 1, &fds, nullptr, nullptr, lateDue >= 0 ? &wait : nullptr);
        if (FD_ISSET(0, &fds) && std::getchar() == EOF) {
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || argc < 2) {
        return 2;
    }
    XSetErrorHandler(onError);
    if (std::strcmp(argv[1], "grab") == 0 && argc >= 4) {
        const KeyCode code = XKeysymToKeycode(display, std::strtoul(argv[2], nullptr, 0));
        for (int i = 3; i < argc; ++i) {
            XGrabKey(display, code, std::strtoul(argv[i], nullptr, 0), DefaultRootWindow(display),
                     True, GrabModeAsync, GrabModeAsync);
        }
        XSync(display, False);
        std::printf(refused ? "refused\n" : "ok\n");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
    } else if (std::strcmp(argv[1], "lockgroup") == 0 && argc == 3) {
        XkbLockGroup(display, XkbUseCoreKbd, std::atoi(argv[2]));
        XSync(display, False);
    } else if (std::strcmp(argv[1], "lock") == 0 && argc == 4) {
        const unsigned int mask = std::strcmp(argv[2], "num") == 0
                                      ? XkbKeysymToModifiers(display, XK_Num_Lock)
                                      : static_cast<unsigned int>(LockMask);
        XkbLockModifiers(display, XkbUseCoreKbd, mask, std::strcmp(argv[3], "on") == 0 ? mask : 0);
        XSync(display, False);
    } else if (std::strcmp(argv[1], "locks") == 0) {
        XkbStateRec state{};
        XkbGetState(display, XkbUseCoreKbd, &state);
        const unsigned int num = XkbKeysymToModifiers(display, XK_Num_Lock);
        std::printf("%d %d\n", (state.locked_mods & num) != 0 ? 1 : 0,
                    (state.locked_mods & LockMask) != 0 ? 1 : 0);
    } else if (std::strcmp(argv[1], "repeat") == 0 && argc == 4) {
        unsigned int delay = 0;
        unsigned int interval = 0;
        XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &delay, &interval);
        XkbSetAutoRepeatRate(display, XkbUseCoreKbd, std::atoi(argv[2]), std::atoi(argv[3]));
        XSync(display, False);
        std::printf("%u %u\n", delay, interval);
    } else if (std::strcmp(argv[1], "own") == 0 && (argc == 3 || argc == 4)) {
        own(display, argv[2], argc == 4 ? std::atol(argv[3]) : -1);
    } else if (std::strcmp(argv[1], "group") == 0) {
        XkbStateRec state{};
        XkbGetState(display, XkbUseCoreKbd, &state);
        std::printf("%d\n", state.locked_group);
    } else {
        return 2;
    }
    XCloseDisplay(display);
    return 0;
}
