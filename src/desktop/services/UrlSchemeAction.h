#pragma once

#include <QString>

namespace ts {

// A tessarine:// URL in parsed form. Only the fields of the kind are filled; the others stay
// empty, so two actions compare equal exactly when their kinds and their own values do.
struct UrlSchemeAction {
    enum class Kind { rewrite, proofread, reply, ask, askPreset, tone, open, unknown };

    Kind kind = Kind::unknown;
    QString text;         // rewrite, proofread, ask, askPreset, tone
    QString received;     // reply
    QString intent;       // reply
    QString instruction;  // ask
    QString name;         // askPreset: the saved prompt asked for
    bool autoRun = false;

    friend bool operator==(const UrlSchemeAction&, const UrlSchemeAction&) = default;
};

// Pure: the scheme and the action word compared in lower case, query values by exact item name.
UrlSchemeAction parseUrlSchemeAction(const QString& url);

}  // namespace ts
