#include "desktop/platform/atspi/AtspiSelection.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>

#include "desktop/platform/atspi/AtspiBus.h"

namespace ts {

namespace {

using atspi::GObjectRef;
using atspi::hasState;

constexpr int kReadBudgetMs = 500;  // one read, all its calls: an application that hangs

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

AtspiSelection::AtspiSelection(AtspiBus& bus) : bus_(bus) {}

bool AtspiSelection::available() const {
    return bus_.start();
}

std::optional<FocusedSelection> AtspiSelection::focusedSelection(qint64 pid) const {
    if (pid <= 0 || !bus_.start()) {
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
    const QByteArray appBus = atspi::busName(app.as<AtspiAccessible>());
    element = bus_.focusedIn(appBus);
    if (element && !hasState(element.as<AtspiAccessible>(), ATSPI_STATE_FOCUSED)) {
        bus_.forget(appBus);
        element = GObjectRef();
    }
    if (element.object == nullptr) {
        element = AtspiBus::searchFocused(app.as<AtspiAccessible>(), deadline);
    }
    if (element.object == nullptr) {
        return std::nullopt;
    }
    return readSelection(element.as<AtspiAccessible>(), deadline);
}

}  // namespace ts
