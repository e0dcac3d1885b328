#pragma once

// GLib's headers name struct members "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <atspi/atspi.h>
#pragma pop_macro("signals")

#include <QByteArray>
#include <QString>
#include <utility>

namespace ts::atspi {

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
    static GObjectRef shared(gpointer object) {
        return GObjectRef(object != nullptr ? g_object_ref(object) : nullptr);
    }
    template <typename T>
    T* as() const {
        return static_cast<T*>(object);
    }
    explicit operator bool() const { return object != nullptr; }
    gpointer object;
};

inline QByteArray busName(AtspiAccessible* accessible) {
    const AtspiApplication* app = accessible->parent.app;
    return app != nullptr && app->bus_name != nullptr ? QByteArray(app->bus_name) : QByteArray();
}

inline bool hasState(AtspiAccessible* accessible, AtspiStateType state) {
    GObjectRef states(atspi_accessible_get_state_set(accessible));
    return states && atspi_state_set_contains(states.as<AtspiStateSet>(), state);
}

// Takes a string libatspi handed over.
inline QString takeString(gchar* text) {
    QString out = QString::fromUtf8(text);
    g_free(text);
    return out;
}

}  // namespace ts::atspi
