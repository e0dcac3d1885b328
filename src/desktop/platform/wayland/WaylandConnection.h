#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_data_control_manager_v1;
class QSocketNotifier;

namespace ts {

// A Wayland connection of our own, beside Qt's (which may be X11 or absent), to the compositor
// of $WAYLAND_DISPLAY. Its events are dispatched from the Qt event loop; a wait for the
// compositor is bounded so one that stops answering cannot freeze the GUI thread.
class WaylandConnection final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRoundtripTimeout{500};

    // Null when there is no compositor to reach, or it did not answer the global list in time.
    static std::unique_ptr<WaylandConnection> open(QString* whyNot = nullptr);
    ~WaylandConnection() override;

    wl_display* display() const { return display_; }
    // Null when the compositor does not offer them.
    wl_seat* seat() const { return seat_; }
    zwp_virtual_keyboard_manager_v1* virtualKeyboardManager() const { return keyboardManager_; }
    zwlr_data_control_manager_v1* dataControlManager() const { return dataControl_; }
    quint32 dataControlVersion() const { return dataControlVersion_; }

    // Waits until the compositor has handled every request sent so far, dispatching the events
    // that come meanwhile. False on timeout or a broken connection.
    bool roundtrip(std::chrono::milliseconds timeout = kRoundtripTimeout);
    // Sends the queued requests without waiting for an answer.
    void flush();
    // Dispatches what has arrived, without waiting.
    void dispatchAvailable();
    bool broken() const { return broken_; }

signals:
    // The compositor went away or closed the connection on a protocol error.
    void lost();

private:
    explicit WaylandConnection(wl_display* display);
    bool checkError();
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, uint32_t name);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboardManager_ = nullptr;
    zwlr_data_control_manager_v1* dataControl_ = nullptr;
    quint32 dataControlVersion_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool broken_ = false;
};

}  // namespace ts
