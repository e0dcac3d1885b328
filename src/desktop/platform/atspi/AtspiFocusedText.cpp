#include "desktop/platform/atspi/AtspiFocusedText.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>

#include "desktop/platform/atspi/AtspiBus.h"

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcText, "tessarine.desktop.accessible")

using atspi::GObjectRef;

std::optional<QString> textAt(AtspiText* text, int start, int end) {
    GError* error = nullptr;
    gchar* read = atspi_text_get_text(text, start, end, &error);
    if (error != nullptr) {
        g_clear_error(&error);
        g_free(read);
        return std::nullopt;
    }
    return atspi::takeString(read);
}

bool call(gboolean done, GError* error, const char* what) {
    if (error != nullptr) {
        qCInfo(lcText, "%s failed: %s", what, error->message);
        g_error_free(error);
        return false;
    }
    return done != FALSE;
}

}  // namespace

AtspiFocusedText::AtspiFocusedText(AtspiBus& bus) : bus_(bus) {}

void AtspiFocusedText::exposeNewApplications() {
    AtspiBus::enableForNewApplications();
}

bool AtspiFocusedText::available() const {
    return bus_.start();
}

// The element with the keyboard focus: the one the bus's events named last, or, before any event
// (this program started after the focus last moved), found by a bounded search of the
// application whose window is active. Our own windows are never looked at: they answer on this
// very thread, so a call to them would wait out its timeout (a process id is told by the bus).
GObjectRef AtspiFocusedText::focusedElement(const QDeadlineTimer& deadline) const {
    const qint64 own = QCoreApplication::applicationPid();
    const auto usable = [&](const GObjectRef& element) {
        return element &&
               atspi_accessible_get_process_id(element.as<AtspiAccessible>(), nullptr) != own &&
               atspi::hasState(element.as<AtspiAccessible>(), ATSPI_STATE_FOCUSED);
    };
    for (const GObjectRef& heard : {bus_.lastFocused(), bus_.lastFocusEvent()}) {
        if (usable(heard)) {
            return heard;
        }
        if (heard) {
            const GObjectRef inApp = bus_.focusedIn(atspi::busName(heard.as<AtspiAccessible>()));
            if (usable(inApp)) {
                return inApp;
            }
        }
    }
    GObjectRef desktop(atspi_get_desktop(0));
    const int count =
        desktop ? atspi_accessible_get_child_count(desktop.as<AtspiAccessible>(), nullptr) : 0;
    for (int i = 0; i < count && !deadline.hasExpired(); ++i) {
        GObjectRef app(
            atspi_accessible_get_child_at_index(desktop.as<AtspiAccessible>(), i, nullptr));
        auto* application = app.as<AtspiAccessible>();
        if (!app || atspi_accessible_get_process_id(application, nullptr) == own) {
            continue;
        }
        const int windows = std::min(atspi_accessible_get_child_count(application, nullptr), 8);
        for (int w = 0; w < windows && !deadline.hasExpired(); ++w) {
            GObjectRef window(atspi_accessible_get_child_at_index(application, w, nullptr));
            if (window && atspi::hasState(window.as<AtspiAccessible>(), ATSPI_STATE_ACTIVE)) {
                qCInfo(lcText, "no focus heard yet: searching the active application");
                return AtspiBus::searchFocused(application, deadline);
            }
        }
    }
    return GObjectRef();
}

std::optional<TextSelection> AtspiFocusedText::selection() {
    if (!bus_.start()) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(kBudgetMs);
    // The bus's events can wait on its connection until a call lets libatspi read it (seen under
    // X11): one cheap call first, so the focus it reports is the latest.
    GObjectRef desktop(atspi_get_desktop(0));
    if (desktop) {
        atspi_accessible_get_child_count(desktop.as<AtspiAccessible>(), nullptr);
    }
    const GObjectRef element = focusedElement(deadline);
    if (!element) {
        qCInfo(lcText, "no focused element");
        return std::nullopt;
    }
    auto* accessible = element.as<AtspiAccessible>();
    GObjectRef textRef(atspi_accessible_get_text_iface(accessible));
    auto* text = textRef.as<AtspiText>();
    if (text == nullptr || deadline.hasExpired() ||
        atspi_text_get_n_selections(text, nullptr) <= 0) {
        return std::nullopt;
    }
    AtspiRange* range = atspi_text_get_selection(text, 0, nullptr);
    if (range == nullptr) {
        return std::nullopt;
    }
    TextSelection out;
    out.pid = atspi_accessible_get_process_id(accessible, nullptr);
    out.start = range->start_offset;
    out.end = range->end_offset;
    g_free(range);
    if (out.end <= out.start || deadline.hasExpired()) {
        return std::nullopt;
    }
    std::optional<QString> selected = textAt(text, out.start, out.end);
    if (!selected || selected->isEmpty()) {
        return std::nullopt;
    }
    out.text = asWritten(*selected);
    GObjectRef editable(atspi_accessible_get_editable_text_iface(accessible));
    out.editable = editable && atspi::hasState(accessible, ATSPI_STATE_EDITABLE);
    GObjectRef app(atspi_accessible_get_application(accessible, nullptr));
    if (app) {
        auto* application = app.as<AtspiAccessible>();
        out.appName = atspi::takeString(atspi_accessible_get_name(application, nullptr));
        units_ = TextUnits::forApplication(
            atspi::takeString(atspi_accessible_get_toolkit_name(application, nullptr)),
            out.appName);
    } else {
        units_ = TextUnits();
    }
    held_ = element;
    out.element = ++heldId_;
    return out;
}

FocusedText::Replaced AtspiFocusedText::replace(const TextSelection& from, const QString& text) {
    if (from.element != heldId_ || !held_ || !bus_.start()) {
        return Replaced::changed;
    }
    auto* accessible = held_.as<AtspiAccessible>();
    GObjectRef textRef(atspi_accessible_get_text_iface(accessible));
    auto* reader = textRef.as<AtspiText>();
    const auto holdsOriginal = [&] {
        const std::optional<QString> now =
            reader != nullptr ? textAt(reader, from.start, from.end) : std::nullopt;
        return now && asWritten(*now) == from.text;
    };
    if (!holdsOriginal()) {
        qCInfo(lcText, "the element no longer holds the selected text");
        return Replaced::changed;
    }
    GObjectRef editableRef(atspi_accessible_get_editable_text_iface(accessible));
    auto* editable = editableRef.as<AtspiEditableText>();
    if (!from.editable || editable == nullptr) {
        return Replaced::refused;
    }
    const int before = atspi_text_get_character_count(reader, nullptr);
    const QString written = units_.written(text);
    const QByteArray utf8 = written.toUtf8();
    GError* error = nullptr;
    gboolean ok = atspi_editable_text_delete_text(editable, from.start, from.end, &error);
    const bool deleted = call(ok, error, "delete");
    if (!deleted && holdsOriginal()) {
        return Replaced::refused;
    }
    // The selection is gone, even where the call reported a failure (an answer too late).
    error = nullptr;
    ok = atspi_editable_text_insert_text(editable, from.start, utf8.constData(),
                                         units_.insertLength(written), &error);
    const bool inserted = call(ok, error, "insert");
    const std::optional<QString> readBack =
        textAt(reader, from.start, from.start + units_.span(written));
    if (readBack && asWritten(*readBack) == text) {
        return Replaced::replaced;
    }
    qCInfo(lcText, "the application did not take the text as given (read back %s)",
           readBack ? qUtf8Printable(readBack->toHtmlEscaped()) : "failed");
    // Calls that were answered and changed nothing (a browser's): the text is as it was.
    const int after = atspi_text_get_character_count(reader, nullptr);
    if (before >= 0 && after == before && holdsOriginal()) {
        return Replaced::refused;
    }
    // Nothing of ours went in: the selected text is put back where it was. Text an application
    // wrote its own way cannot be told apart from the user's, so nothing else is deleted.
    if (!inserted && before >= 0 && after == before - (from.end - from.start)) {
        const QString original = units_.written(from.text);
        const QByteArray originalUtf8 = original.toUtf8();
        atspi_editable_text_insert_text(editable, from.start, originalUtf8.constData(),
                                        units_.insertLength(original), nullptr);
        if (holdsOriginal() && atspi_text_get_character_count(reader, nullptr) == before) {
            return Replaced::refused;
        }
    }
    return Replaced::garbled;
}

}  // namespace ts
