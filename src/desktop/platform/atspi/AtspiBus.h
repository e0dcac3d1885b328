#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>

#include "desktop/platform/atspi/AtspiObjects.h"

namespace ts {

// The one connection of this process to the accessibility bus (AT-SPI 2, libatspi), and what
// its events tell about the focus. Connects on first use, and only to a bus that is already
// running: this process reads other applications' trees but never joins the bus as one. Calls
// to other applications are bounded (250 ms each) since they run on the GUI thread.
class AtspiBus final {
public:
    static constexpr int kCallTimeoutMs = 250;
    static constexpr int kStartupTimeoutMs = 500;

    AtspiBus();
    ~AtspiBus();
    AtspiBus(const AtspiBus&) = delete;
    AtspiBus& operator=(const AtspiBus&) = delete;

    // True once connected; a bus that was not there is looked for again a few seconds on.
    bool start();
    // Asks the desktop to have applications started from now on expose their text (Qt programs
    // and browsers do not unless asked; GTK ones always do).
    static void enableForNewApplications();

    // The element that last took the focus or changed its selection, in any application.
    atspi::GObjectRef lastFocused() const { return last_; }
    // The element that last took the focus, in any application.
    atspi::GObjectRef lastFocusEvent() const { return lastFocus_; }
    // The element that last took the focus in the application with that bus name.
    atspi::GObjectRef focusedIn(const QByteArray& bus) const { return focused_.value(bus); }
    void forget(const QByteArray& bus) { focused_.remove(bus); }
    quint64 focusEvents() const { return focusEvents_; }

    // The application's focused element by walking its showing part of the tree, bounded (a
    // walk costs up to a second in an office suite: only where no event named it).
    static atspi::GObjectRef searchFocused(AtspiAccessible* app, const QDeadlineTimer& deadline);

private:
    static void onFocus(AtspiEvent* event, void* data);
    static void onSelection(AtspiEvent* event, void* data);
    void listen(AtspiEventListener*& listener, AtspiEventListenerCB callback, const char* type);

    bool ready_ = false;
    bool failed_ = false;      // libatspi cannot be set up again in this process
    bool toldAbsent_ = false;  // the missing bus is logged once
    QDeadlineTimer nextLook_{0};
    AtspiEventListener* focusListener_ = nullptr;
    AtspiEventListener* selectionListener_ = nullptr;
    QHash<QByteArray, atspi::GObjectRef> focused_;
    atspi::GObjectRef last_;
    atspi::GObjectRef lastFocus_;
    quint64 focusEvents_ = 0;
};

}  // namespace ts
