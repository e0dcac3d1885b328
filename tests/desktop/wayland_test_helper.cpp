// A second Wayland client for the tests:
//   wayland_test_helper hold              a virtual keyboard (full keymap) on the seat until
//                                         stdin closes or the process is ended; prints "ready"
//   wayland_test_helper keys CHORD...     sends chords such as h, ctrl+a, ctrl+shift+z, Return
#include <unistd.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "desktop/platform/wayland/WaylandConnection.h"
#include "desktop/platform/wayland/WaylandKeySynthesizer.h"

namespace {

std::optional<ts::KeyChord> parseChord(const QString& text) {
    QStringList parts = text.split(QLatin1Char('+'));
    const QString key = parts.takeLast();
    ts::KeyChord chord;
    for (const QString& part : parts) {
        const QString name = part.toLower();
        if (name == QLatin1String("ctrl")) {
            chord.modifiers |= ts::Modifier::control;
        } else if (name == QLatin1String("shift")) {
            chord.modifiers |= ts::Modifier::shift;
        } else if (name == QLatin1String("alt")) {
            chord.modifiers |= ts::Modifier::alt;
        } else if (name == QLatin1String("super")) {
            chord.modifiers |= ts::Modifier::super;
        } else {
            return std::nullopt;
        }
    }
    static const QHash<QString, quint32> named{
        {QStringLiteral("Return"), 0xff0d}, {QStringLiteral("BackSpace"), 0xff08},
        {QStringLiteral("Tab"), 0xff09},    {QStringLiteral("Escape"), 0xff1b},
        {QStringLiteral("Home"), 0xff50},   {QStringLiteral("End"), 0xff57},
        {QStringLiteral("space"), 0x20}};
    if (named.contains(key)) {
        chord.keysym = named.value(key);
    } else if (key.size() == 1 && key.at(0).unicode() > 0x20 && key.at(0).unicode() < 0x7f) {
        chord.keysym = key.at(0).unicode();  // Latin keysyms are their code points
    } else {
        return std::nullopt;
    }
    return chord;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() ||
        (args.first() != QLatin1String("hold") && args.first() != QLatin1String("keys"))) {
        std::fprintf(stderr, "usage: wayland_test_helper hold | keys CHORD...\n");
        return 2;
    }
    QString whyNot;
    const std::unique_ptr<ts::WaylandConnection> connection = ts::WaylandConnection::open(&whyNot);
    if (!connection) {
        std::fprintf(stderr, "%s\n", qPrintable(whyNot));
        return 2;
    }
    ts::WaylandKeySynthesizer keys(*connection);
    if (!keys.ready()) {
        std::fprintf(stderr, "no virtual keyboard\n");
        return 2;
    }
    if (args.first() == QLatin1String("keys")) {
        for (const QString& text : args.mid(1)) {
            const std::optional<ts::KeyChord> chord = parseChord(text);
            if (!chord || !keys.send(*chord)) {
                std::fprintf(stderr, "could not send %s\n", qPrintable(text));
                return 1;
            }
        }
        return 0;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            app.quit();
        }
    });
    QObject::connect(connection.get(), &ts::WaylandConnection::lost, &app, &QCoreApplication::quit);
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
