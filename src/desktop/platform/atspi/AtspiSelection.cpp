#include "desktop/platform/atspi/AtspiSelection.h"

// GLib's headers name struct members "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <atspi/atspi.h>
#pragma pop_macro("signals")

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QScreen>
#include <deque>
#include <utility>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcAccessible, "tessarine.desktop.accessible")

constexpr int kCallTimeoutMs = 250;
constexpr int kStartupTimeoutMs = 500;
constexpr int kReadBudgetMs = 500;  // one read, all its calls: an application that hangs
constexpr int kLookAgainMs = 5000;  // for a bus that was not there
constexpr int kMaxVisited = 300;    // focus search: nodes looked at
constexpr int kMaxChildren = 64;    // focus search: children followed per node (lists are long)

// Owns one GObject reference.
struct GObjectRef {
    explicit GObjectRef(gpointer object = nullptr) : object(object) {}
    GObjectRef(GObjectRef&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    GObjectRef& operator=(GObjectRef&& other) noexcept {
        std::swap(object, other.object);
        return *this;
    }
    GObjectRef(const GObjectRef& other)
        : object(other.object != nullptr ? g_object_ref(other.object) : nullptr) {}
    GObjectRef& operator=(const GObjectRef& other) {
        GObjectRef copy(other);
        std::swap(object, copy.object);
        return *this;
    }
    ~GObjectRef() {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
    template <typename T>
    T* as() const {
        return static_cast<T*>(object);
    }
    gpointer object;
};

QByteArray busName(AtspiAccessible* accessible) {
    const AtspiApplication* app = accessible->parent.app;
    return app != nullptr && app->bus_name != nullptr ? QByteArray(app->bus_name) : QByteArray();
}

bool hasState(AtspiAccessible* accessible, AtspiStateType state) {
    GObjectRef states(atspi_accessible_get_state_set(accessible));
    return states.object != nullptr && atspi_state_set_contains(states.as<AtspiStateSet>(), state);
}

// The application's focused element by walking its showing part of the tree, bounded.
GObjectRef searchFocused(AtspiAccessible* app, const QDeadlineTimer& deadline) {
    std::deque<GObjectRef> queue;
    queue.emplace_back(g_object_ref(app));
    for (int visited = 0; !queue.empty() && visited < kMaxVisited && !deadline.hasExpired();
         ++visited) {
        GObjectRef node = std::move(queue.front());
        queue.pop_front();
        auto* accessible = node.as<AtspiAccessible>();
        GObjectRef states(atspi_accessible_get_state_set(accessible));
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
    return GObjectRef();
}

// AT-SPI reports device pixels; our windows are placed in Qt's device-independent ones.
QRect toLogical(const QRect& device) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    if (ratio == 1.0) {
        return device;
    }
    return QRectF(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio).toRect();
}

std::optional<FocusedSelection> readSelection(AtspiAccessible* element,
                                              const QDeadlineTimer& deadline) {
    GObjectRef textRef(atspi_accessible_get_text_iface(element));
    auto* text = textRef.as<AtspiText>();
    if (text == nullptr || atspi_text_get_n_selections(text, nullptr) <= 0) {
        return std::nullopt;
    }
    AtspiRange* range = atspi_text_get_selection(text, 0, nullptr);
    if (range == nullptr) {
        return std::nullopt;
    }
    const int start = range->start_offset;
    const int end = range->end_offset;
    g_free(range);
    if (end <= start || deadline.hasExpired()) {
        return std::nullopt;
    }
    FocusedSelection out;
    gchar* selected = atspi_text_get_text(text, start, end, nullptr);
    if (selected == nullptr) {
        return std::nullopt;
    }
    out.text = QString::fromUtf8(selected).trimmed();
    g_free(selected);
    out.editable = hasState(element, ATSPI_STATE_EDITABLE);
    if (deadline.hasExpired()) {
        return out;
    }
    if (AtspiRect* rect =
            atspi_text_get_range_extents(text, start, end, ATSPI_COORD_TYPE_SCREEN, nullptr)) {
        if (rect->width > 0 && rect->height > 0) {
            out.bounds = toLogical(QRect(rect->x, rect->y, rect->width, rect->height));
        }
        g_free(rect);
    }
    return out;
}

}  // namespace

struct AtspiSelection::State {
    bool ready = false;
    bool failed = false;      // libatspi cannot be set up again in this process
    bool toldAbsent = false;  // the missing bus is logged once
    QDeadlineTimer nextLook{0};
    AtspiEventListener* listener = nullptr;
    QHash<QByteArray, GObjectRef> focused;  // by the application's bus name
    quint64 focusEvents = 0;

    static void onFocus(AtspiEvent* event, void* data) {
        auto* state = static_cast<State*>(data);
        ++state->focusEvents;
        if (event->source != nullptr && event->detail1 == 1) {
            const QByteArray bus = busName(event->source);
            if (!bus.isEmpty()) {
                // Applications that ended leave their entries behind: a bounded cache, since
                // a lost entry is found again by the search.
                if (state->focused.size() >= 32 && !state->focused.contains(bus)) {
                    state->focused.clear();
                }
                state->focused.insert(bus, GObjectRef(g_object_ref(event->source)));
            }
        }
        g_boxed_free(ATSPI_TYPE_EVENT, event);
    }
};

AtspiSelection::AtspiSelection() : state_(std::make_unique<State>()) {}

AtspiSelection::~AtspiSelection() {
    if (state_->listener != nullptr) {
        atspi_event_listener_deregister(state_->listener, "object:state-changed:focused", nullptr);
        g_object_unref(state_->listener);
    }
}

// Only a bus that already runs: asking for one would start the launcher on a desktop that
// has none, and libatspi's first call would wait for it. A bus that comes later (a screen
// reader turned on) is found at the next look, a few seconds on.
bool AtspiSelection::start() const {
    if (state_->ready || state_->failed || !state_->nextLook.hasExpired()) {
        return state_->ready;
    }
    state_->nextLook.setRemainingTime(kLookAgainMs);
    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected() || session.interface() == nullptr ||
        !session.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus")).value()) {
        if (!std::exchange(state_->toldAbsent, true)) {
            qCInfo(lcAccessible, "no accessibility bus: selections are read without their bounds");
        }
        return false;
    }
    atspi_set_timeout(kCallTimeoutMs, kStartupTimeoutMs);
    if (atspi_init() > 1) {
        state_->failed = true;
        qCWarning(lcAccessible, "the accessibility bus did not answer");
        return false;
    }
    // Served by the GLib main context that Qt's event dispatcher runs.
    state_->listener = atspi_event_listener_new(&State::onFocus, state_.get(), nullptr);
    GError* error = nullptr;
    if (!atspi_event_listener_register(state_->listener, "object:state-changed:focused", &error)) {
        qCWarning(lcAccessible, "focus events unavailable: %s", error ? error->message : "?");
        g_clear_error(&error);
    }
    state_->ready = true;
    return true;
}

quint64 AtspiSelection::focusEvents() const {
    return state_->focusEvents;
}

bool AtspiSelection::available() const {
    return start();
}

std::optional<FocusedSelection> AtspiSelection::focusedSelection(qint64 pid) const {
    if (pid <= 0 || !start()) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(kReadBudgetMs);
    GObjectRef desktop(atspi_get_desktop(0));
    if (desktop.object == nullptr) {
        return std::nullopt;
    }
    GObjectRef app;
    const int count = atspi_accessible_get_child_count(desktop.as<AtspiAccessible>(), nullptr);
    for (int i = 0; i < count && app.object == nullptr && !deadline.hasExpired(); ++i) {
        GObjectRef child(
            atspi_accessible_get_child_at_index(desktop.as<AtspiAccessible>(), i, nullptr));
        if (child.object != nullptr &&
            atspi_accessible_get_process_id(child.as<AtspiAccessible>(), nullptr) == pid) {
            app = std::move(child);
        }
    }
    if (app.object == nullptr) {
        return std::nullopt;
    }
    // Referenced before any call: a call may deliver events that replace the entry.
    GObjectRef element;
    const auto known = state_->focused.constFind(busName(app.as<AtspiAccessible>()));
    if (known != state_->focused.cend()) {
        element = GObjectRef(g_object_ref(known->object));
    }
    if (element.object != nullptr &&
        !hasState(element.as<AtspiAccessible>(), ATSPI_STATE_FOCUSED)) {
        state_->focused.remove(busName(app.as<AtspiAccessible>()));
        element = GObjectRef();
    }
    if (element.object == nullptr) {
        element = searchFocused(app.as<AtspiAccessible>(), deadline);
    }
    if (element.object == nullptr) {
        return std::nullopt;
    }
    return readSelection(element.as<AtspiAccessible>(), deadline);
}

}  // namespace ts
