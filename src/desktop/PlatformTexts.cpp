#include "desktop/PlatformTexts.h"

#include <QHash>
#include <QRegularExpression>
#include <utility>

namespace ts {

namespace {

// Sentences about facilities this desktop does not have, replaced whole.
const QHash<QString, QString>& wholeTexts() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("Ollama.app lives in your menu bar and runs the local server. Click Start "
                        "to launch it."),
         QStringLiteral("Start Ollama runs the local server (ollama serve) in the background.")},
        {QStringLiteral("Start the Ollama app"), QStringLiteral("Start Ollama")},
        {QStringLiteral("Or right-click selected text \u2192 Services \u2192 Rewrite with "
                        "Tessarine"),
         QStringLiteral("Or pipe text through tessarine-cli rewrite")},
        {QStringLiteral("Couldn't find the app bundle. Try launching from /Applications."),
         QStringLiteral("Couldn't find the tessarine program. Reinstall Tessarine.")},
        {QStringLiteral("Tessarine needs Accessibility permission to rewrite selected text in "
                        "place (in Mail, Slack, Notes, or any other app) without copy-paste.\n\n"
                        "Without this permission, the hotkey only opens the Tessarine window."),
         QStringLiteral("Tessarine needs desktop control to rewrite selected text in place (in "
                        "Thunderbird, Slack, LibreOffice, or any other app) without copy-paste. "
                        "Rewriting in other apps works in an X11 session, and on Wayland through "
                        "the accessibility bus or the compositor's virtual keyboard.\n\nWithout "
                        "desktop control, the hotkey only opens the "
                        "Tessarine window.")},
        {QStringLiteral("With Accessibility permission, Tessarine can rewrite selected text "
                        "directly in Mail, Slack, Notes, or any editable field. Without it, you "
                        "can still use Tessarine's own window."),
         QStringLiteral("With desktop control, Tessarine can rewrite selected text directly in "
                        "Thunderbird, Slack, LibreOffice, or any editable field. Without it, you "
                        "can still use Tessarine's own window.")},
        {QStringLiteral("Shows a small Tessarine button near text you've selected in another "
                        "app. Works well in Mail, Notes, Safari, Pages. May not appear in "
                        "Electron apps (Obsidian, Slack, VS Code) or canvas editors (Google "
                        "Docs, Figma); use the hotkey or right-click Services menu there. "
                        "Requires Accessibility permission."),
         QStringLiteral("Shows a small Tessarine button near text you've selected in another "
                        "app. Works well in Thunderbird, LibreOffice, Firefox, Mousepad. May not "
                        "appear in Electron apps (Obsidian, Slack, VS Code) or canvas editors "
                        "(Google Docs, Figma); use the hotkey or tessarine-cli there. Requires "
                        "desktop control.")},
        {QStringLiteral("Accessibility permission lets Tessarine rewrite selected text in place "
                        "in other apps (the \u2303\u2325\u2318E hotkey). The Services menu and "
                        "the main window work without it."),
         QStringLiteral("Desktop control lets Tessarine rewrite selected text in place in other "
                        "apps (the Super+Ctrl+Alt+E hotkey). The D-Bus service, tessarine:// "
                        "links and the main window work without it.")},
        {QStringLiteral("Grant Accessibility\u2026"), QStringLiteral("Check Again")},
        {QStringLiteral("Grant Access\u2026"), QStringLiteral("Check Again")},
    };
    return table;
}

// Phrases replaced wherever they occur, longest first so "this Mac" wins over "Mac".
const std::pair<QRegularExpression, QString>* phrases(qsizetype* count) {
    static const std::pair<QRegularExpression, QString> table[] = {
        {QRegularExpression(QStringLiteral("\\bthe macOS Keychain\\b")),
         QStringLiteral("the system keyring")},
        {QRegularExpression(QStringLiteral("\\bmacOS Keychain\\b")),
         QStringLiteral("system keyring")},
        {QRegularExpression(QStringLiteral("\\bAccessibility permission\\b")),
         QStringLiteral("desktop control")},
        {QRegularExpression(QStringLiteral("\\(needs Accessibility\\)")),
         QStringLiteral("(needs desktop control)")},
        {QRegularExpression(QStringLiteral("\\bin any Mac app\\b")), QStringLiteral("in any app")},
        {QRegularExpression(QStringLiteral("\\bMacs\\b")), QStringLiteral("computers")},
        {QRegularExpression(QStringLiteral("\\bMac\\b")), QStringLiteral("computer")},
    };
    *count = std::size(table);
    return table;
}

QString glyphRunToNames(const QString& run) {
    QString out;
    // Linux writes modifiers Super, Ctrl, Alt, Shift whatever order the glyphs came in.
    const std::pair<QChar, const char*> order[] = {
        {QChar(0x2303), "Super+"},
        {QChar(0x2318), "Ctrl+"},
        {QChar(0x2325), "Alt+"},
        {QChar(0x21e7), "Shift+"},
    };
    for (const auto& [glyph, name] : order) {
        if (run.contains(glyph)) {
            out += QLatin1String(name);
        }
    }
    return out;
}

QString replaceGlyphRuns(const QString& text) {
    static const QRegularExpression run(QStringLiteral("[\u2303\u2318\u2325\u21e7]+"));
    QString out;
    qsizetype last = 0;
    auto it = run.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        out += text.mid(last, match.capturedStart() - last);
        out += glyphRunToNames(match.captured());
        last = match.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

}  // namespace

QString linuxText(const QString& macText) {
    const auto whole = wholeTexts().constFind(macText);
    if (whole != wholeTexts().constEnd()) {
        return *whole;
    }
    QString out = macText;
    qsizetype count = 0;
    const auto* table = phrases(&count);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = out.indexOf(table[i].first);
        if (at < 0) {
            continue;
        }
        out.replace(table[i].first, table[i].second);
        // A phrase that opened the text keeps the capital ("Desktop control granted").
        if (at == 0 && macText.at(0).isUpper()) {
            out[0] = out.at(0).toUpper();
        }
    }
    return replaceGlyphRuns(out);
}

}  // namespace ts
