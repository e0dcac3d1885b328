#include "desktop/platform/atspi/AtspiBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLoggingCategory>
#include <deque>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcBus, "tessarine.desktop.accessible")

constexpr int kLookAgainMs = 5000;  // for a bus that was not there
constexpr int kMaxApplications = 32;
constexpr int kMaxVisited = 300;  // focus search: nodes looked at
constexpr int kMaxChildren = 64;  // focus search: children followed per node (lists are long)

const char* const kFocusEvent = "object:state-changed:focused";
const char* const kSelectionEvent = "object:text-selection-changed";

}  // namespace

AtspiBus::AtspiBus() = default;

AtspiBus::~AtspiBus() {
    for (auto [listener, type] :
         {std::pair{focusListener_, kFocusEvent}, std::pair{selectionListener_, kSelectionEvent}}) {
        if (listener != nullptr) {
            atspi_event_listener_deregister(listener, type, nullptr);
            g_object_unref(listener);
        }
    }
}

// Only a bus that already runs: asking for one would start the launcher on a desktop that has
// none, and libatspi's first call would wait for it. A bus that comes later (a screen reader
// turned on) is found at the next look.
bool AtspiBus::start() {
    if (ready_ || failed_ || !nextLook_.hasExpired()) {
        return ready_;
    }
    nextLook_.setRemainingTime(kLookAgainMs);
    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected() || session.interface() == nullptr ||
        !session.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value()) {
        if (!std::exchange(toldAbsent_, true)) {
            qCInfo(lcBus,
                   "no accessibility bus: other applications' text cannot be read "
                   "through it");
        }
        return false;
    }
    atspi_set_timeout(kCallTimeoutMs, kStartupTimeoutMs);
    if (atspi_init() > 1) {
        failed_ = true;
        qCWarning(lcBus, "the accessibility bus did not answer");
        return false;
    }
    // Served by the GLib main context that Qt's event dispatcher runs.
    listen(focusListener_, &AtspiBus::onFocus, kFocusEvent);
    listen(selectionListener_, &AtspiBus::onSelection, kSelectionEvent);
    ready_ = true;
    return true;
}

void AtspiBus::listen(AtspiEventListener*& listener, AtspiEventListenerCB callback,
                      const char* type) {
    listener = atspi_event_listener_new(callback, this, nullptr);
    GError* error = nullptr;
    if (!atspi_event_listener_register(listener, type, &error)) {
        qCWarning(lcBus, "%s events unavailable: %s", type, error ? error->message : "?");
        g_clear_error(&error);
    }
}

atspi::GObjectRef AtspiBus::searchFocused(AtspiAccessible* app, const QDeadlineTimer& deadline) {
    std::deque<atspi::GObjectRef> queue;
    queue.emplace_back(g_object_ref(app));
    for (int visited = 0; !queue.empty() && visited < kMaxVisited && !deadline.hasExpired();
         ++visited) {
        atspi::GObjectRef node = std::move(queue.front());
        queue.pop_front();
        auto* accessible = node.as<AtspiAccessible>();
        atspi::GObjectRef states(atspi_accessible_get_state_set(accessible));
        auto* set = states.as<AtspiStateSet>();
        if (set != nullptr && atspi_state_set_contains(set, ATSPI_STATE_FOCUSED)) {
            return node;
        }
        // Unknown states: the node did not answer in time, and its children would not either.
        if (set == nullptr ||
            (visited > 0 && !atspi_state_set_contains(set, ATSPI_STATE_SHOWING))) {
            continue;
        }
        const int count =
            std::min(atspi_accessible_get_child_count(accessible, nullptr), kMaxChildren);
        for (int i = 0; i < count && !deadline.hasExpired(); ++i) {
            if (AtspiAccessible* child =
                    atspi_accessible_get_child_at_index(accessible, i, nullptr)) {
                queue.emplace_back(child);
            }
        }
    }
    return atspi::GObjectRef();
}

void AtspiBus::enableForNewApplications() {
    QDBusMessage set = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
        << QVariant::fromValue(QDBusVariant(true));
    if (!QDBusConnection::sessionBus().send(set)) {
        qCInfo(lcBus, "could not ask for accessible applications: no session bus");
    }
}

void AtspiBus::onFocus(AtspiEvent* event, void* data) {
    auto* bus = static_cast<AtspiBus*>(data);
    ++bus->focusEvents_;
    if (event->source != nullptr && event->detail1 == 1) {
        const QByteArray name = atspi::busName(event->source);
        if (!name.isEmpty()) {
            // Applications that ended leave their entries behind: a bounded cache, since a
            // lost entry is found again by a search.
            if (bus->focused_.size() >= kMaxApplications && !bus->focused_.contains(name)) {
                bus->focused_.clear();
            }
            bus->focused_.insert(name, atspi::GObjectRef::shared(event->source));
        }
        bus->last_ = atspi::GObjectRef::shared(event->source);
        bus->lastFocus_ = bus->last_;
    }
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

// A selection made in an element that had the focus before this process listened.
void AtspiBus::onSelection(AtspiEvent* event, void* data) {
    auto* bus = static_cast<AtspiBus*>(data);
    if (event->source != nullptr && bus->last_.object != event->source) {
        bus->last_ = atspi::GObjectRef::shared(event->source);
    }
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

}  // namespace ts
