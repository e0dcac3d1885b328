#include "desktop/platform/wayland/WaylandConnection.h"

#include <poll.h>
#include <wayland-client.h>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcWayland, "tessarine.desktop.wayland")

// Version 2 adds the primary selection, which we ignore but must then release.
constexpr quint32 kDataControlVersion = 2;

void onSyncDone(void* data, wl_callback* callback, uint32_t /*serial*/) {
    *static_cast<bool*>(data) = true;
    wl_callback_destroy(callback);
}

const wl_callback_listener kSyncListener{&onSyncDone};

}  // namespace

std::unique_ptr<WaylandConnection> WaylandConnection::open(QString* whyNot) {
    const auto fail = [whyNot](const QString& reason) {
        if (whyNot != nullptr) {
            *whyNot = reason;
        }
        return nullptr;
    };
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return fail(QStringLiteral("WAYLAND_DISPLAY is not set"));
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return fail(QStringLiteral("cannot connect to the Wayland compositor %1: %2")
                        .arg(qEnvironmentVariable("WAYLAND_DISPLAY"),
                             QString::fromLocal8Bit(std::strerror(errno))));
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    if (!connection->roundtrip()) {
        return fail(QStringLiteral("the Wayland compositor did not list its globals in time"));
    }
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display) {
    static const wl_registry_listener listener{&onGlobal, &onGlobalRemove};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
    notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this,
            &WaylandConnection::dispatchAvailable);
}

WaylandConnection::~WaylandConnection() {
    notifier_.reset();
    if (keyboardManager_ != nullptr) {
        zwp_virtual_keyboard_manager_v1_destroy(keyboardManager_);
    }
    if (dataControl_ != nullptr) {
        zwlr_data_control_manager_v1_destroy(dataControl_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

void WaylandConnection::onGlobal(void* data, wl_registry* registry, uint32_t name,
                                 const char* interface, uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    const auto is = [interface](const wl_interface& known) {
        return std::strcmp(interface, known.name) == 0;
    };
    // The first seat is the user's; compositors with several are rare and name none "default".
    if (is(wl_seat_interface) && self->seat_ == nullptr) {
        self->seat_ =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (is(zwp_virtual_keyboard_manager_v1_interface) && self->keyboardManager_ == nullptr) {
        self->keyboardManager_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    } else if (is(zwlr_data_control_manager_v1_interface) && self->dataControl_ == nullptr) {
        self->dataControlVersion_ = std::min(version, kDataControlVersion);
        self->dataControl_ = static_cast<zwlr_data_control_manager_v1*>(wl_registry_bind(
            registry, name, &zwlr_data_control_manager_v1_interface, self->dataControlVersion_));
    }
}

void WaylandConnection::onGlobalRemove(void* /*data*/, wl_registry* /*registry*/,
                                       uint32_t /*name*/) {}

bool WaylandConnection::checkError() {
    if (broken_) {
        return false;
    }
    const int error = wl_display_get_error(display_);
    if (error == 0) {
        return true;
    }
    broken_ = true;
    qCWarning(lcWayland, "the Wayland connection broke: %s", std::strerror(error));
    notifier_->setEnabled(false);
    emit lost();
    return false;
}

void WaylandConnection::flush() {
    if (!broken_ && wl_display_flush(display_) < 0 && errno != EAGAIN) {
        checkError();
    }
}

void WaylandConnection::dispatchAvailable() {
    if (broken_) {
        return;
    }
    while (wl_display_prepare_read(display_) != 0) {
        wl_display_dispatch_pending(display_);
    }
    // The socket is read without blocking: nothing there is no error.
    wl_display_read_events(display_);
    wl_display_dispatch_pending(display_);
    flush();
    checkError();
}

bool WaylandConnection::roundtrip(std::chrono::milliseconds timeout) {
    if (broken_) {
        return false;
    }
    bool done = false;
    wl_callback* callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &kSyncListener, &done);
    QElapsedTimer timer;
    timer.start();
    const int fd = wl_display_get_fd(display_);
    while (!done && checkError()) {
        while (wl_display_prepare_read(display_) != 0) {
            wl_display_dispatch_pending(display_);
        }
        if (done) {
            wl_display_cancel_read(display_);
            break;
        }
        const int flushed = wl_display_flush(display_);
        const auto left = std::max<qint64>(0, timeout.count() - timer.elapsed());
        pollfd pfd{fd, static_cast<short>(POLLIN | (flushed < 0 && errno == EAGAIN ? POLLOUT : 0)),
                   0};
        if (left == 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0) {
            wl_display_cancel_read(display_);
            if (timer.elapsed() >= timeout.count()) {
                break;
            }
            continue;
        }
        if ((pfd.revents & POLLIN) != 0) {
            wl_display_read_events(display_);
        } else {
            wl_display_cancel_read(display_);
        }
        wl_display_dispatch_pending(display_);
    }
    if (!done) {
        // The answer may still come; without its proxy it is dropped, not written to our stack.
        wl_callback_destroy(callback);
        if (!broken_) {
            qCWarning(lcWayland, "the Wayland compositor did not answer within %lld ms",
                      static_cast<long long>(timeout.count()));
        }
        return false;
    }
    return checkError();
}

}  // namespace ts
