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
    GObjectRef element = bus_.lastFocused();
    if (!element) {
        qCInfo(lcText, "no focused element reported yet");
        return std::nullopt;
    }
    auto* accessible = element.as<AtspiAccessible>();
    if (!atspi::hasState(accessible, ATSPI_STATE_FOCUSED)) {
        // A selection event may have come from elsewhere: the application's own last focus.
        element = bus_.focusedIn(atspi::busName(accessible));
        accessible = element.as<AtspiAccessible>();
        if (!element || !atspi::hasState(accessible, ATSPI_STATE_FOCUSED)) {
            qCInfo(lcText, "the last focused element lost the focus");
            return std::nullopt;
        }
    }
    // Our own windows answer on this very thread: a call to them would wait out its timeout.
    if (atspi_accessible_get_process_id(accessible, nullptr) ==
        QCoreApplication::applicationPid()) {
        return std::nullopt;
    }
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
    const QDeadlineTimer deadline(kBudgetMs);
    auto* accessible = held_.as<AtspiAccessible>();
    GObjectRef textRef(atspi_accessible_get_text_iface(accessible));
    auto* reader = textRef.as<AtspiText>();
    const std::optional<QString> now =
        reader != nullptr ? textAt(reader, from.start, from.end) : std::nullopt;
    if (!now || asWritten(*now) != from.text) {
        qCInfo(lcText, "the element no longer holds the selected text");
        return Replaced::changed;
    }
    GObjectRef editableRef(atspi_accessible_get_editable_text_iface(accessible));
    auto* editable = editableRef.as<AtspiEditableText>();
    if (!from.editable || editable == nullptr || deadline.hasExpired()) {
        return Replaced::refused;
    }
    const int before = atspi_text_get_character_count(reader, nullptr);
    const QString written = units_.written(text);
    const QByteArray utf8 = written.toUtf8();
    GError* error = nullptr;
    gboolean ok = atspi_editable_text_delete_text(editable, from.start, from.end, &error);
    bool done = call(ok, error, "delete");
    if (done) {
        error = nullptr;
        ok = atspi_editable_text_insert_text(editable, from.start, utf8.constData(),
                                             units_.insertLength(written), &error);
        done = call(ok, error, "insert");
    }
    const std::optional<QString> readBack =
        textAt(reader, from.start, from.start + units_.span(written));
    if (done && readBack && asWritten(*readBack) == text) {
        return Replaced::replaced;
    }
    // Whatever changed is put back: the span between the selection's start and the old text's
    // end, grown or shrunk by what the calls did to the length.
    const int after = atspi_text_get_character_count(reader, nullptr);
    const int changed = (from.end - from.start) + (after - before);
    if (before >= 0 && after >= 0 && changed >= 0) {
        const std::optional<QString> region = textAt(reader, from.start, from.start + changed);
        if (region && asWritten(*region) != from.text) {
            const QString original = units_.written(from.text);
            const QByteArray originalUtf8 = original.toUtf8();
            atspi_editable_text_delete_text(editable, from.start, from.start + changed, nullptr);
            atspi_editable_text_insert_text(editable, from.start, originalUtf8.constData(),
                                            units_.insertLength(original), nullptr);
            qCInfo(lcText, "the application changed the text wrongly; put back");
        }
    }
    qCInfo(lcText, "the application did not take the text (read back %s)",
           readBack ? qUtf8Printable(readBack->toHtmlEscaped()) : "failed");
    return Replaced::refused;
}

}  // namespace ts
