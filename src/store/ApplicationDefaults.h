#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <variant>

#include "core/Enums.h"

namespace ts {

class SettingsStore;

// The context (and optionally the tone) that rewrites use in one application, named by its
// window class (an application id or AT-SPI name on Wayland), compared without regard to case.
struct ApplicationDefault {
    QString app;
    AppContext context = AppContext::email;
    std::optional<Tone> tone;

    friend bool operator==(const ApplicationDefault&, const ApplicationDefault&) = default;
};

using ApplicationDefaults = QList<ApplicationDefault>;

// Common mail programs write email, chat programs chat.
const ApplicationDefaults& builtInApplicationDefaults();

// The stored form: a JSON array of {"app", "context", "tone"?} with raw values. The error names
// the fault ("entry 2: unknown context \"Chatt\" …"). With Qt::CaseInsensitive a raw value in
// any case is taken (and read back in its own spelling).
std::variant<ApplicationDefaults, QString> parseApplicationDefaults(
    const QString& json, Qt::CaseSensitivity rawValueCase = Qt::CaseSensitive);
QString serializeApplicationDefaults(const ApplicationDefaults& entries);

// The user's entries first, then the built-in ones; none for an unknown or empty name.
std::optional<ApplicationDefault> applicationDefaultFor(const ApplicationDefaults& userEntries,
                                                        const QString& app);

// The user's entries as stored; none when the stored text does not parse (then one log line
// says so, once per distinct text, and the text stays as it is).
std::optional<ApplicationDefaults> storedApplicationDefaults(const SettingsStore& settings);

// What a rewrite in `app` uses: its entry, else the default tone and context.
struct RewriteDefaults {
    Tone tone = Tone::professional;
    AppContext context = AppContext::email;
    bool contextDiffers = false;  // an entry chose a context other than the default one
};
RewriteDefaults rewriteDefaultsFor(const SettingsStore& settings, const QString& app);

}  // namespace ts
