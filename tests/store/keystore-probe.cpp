// Runs key operations through Keychain in a process of its own, so that a test can choose the
// session bus it sees. Usage: keystore-probe FALLBACK_FILE OP... where FALLBACK_FILE "-" takes the
// program's shared keychain, and OP is one of "read ACCOUNT", "save ACCOUNT VALUE", "delete
// ACCOUNT", "where", "read-later ACCOUNT" or "save-later ACCOUNT VALUE". Prints one JSON line per
// operation: {"op": ..., "ms": ..., "result": ...}; the program ends without waiting for the
// "later" ones.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <optional>

#include "store/Keychain.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: keystore-probe FALLBACK_FILE OP...\n";
        return 2;
    }
    const QString fallback = args.takeFirst();
    std::optional<ts::Keychain> own;
    ts::Keychain& keys =
        fallback == QLatin1String("-") ? ts::Keychain::shared() : own.emplace(fallback);
    QTextStream out(stdout);
    while (!args.isEmpty()) {
        const QString op = args.takeFirst();
        QString result;
        QElapsedTimer timer;
        timer.start();
        if (op == QLatin1String("read") && !args.isEmpty()) {
            result = keys.readAPIKey(args.takeFirst());
        } else if (op == QLatin1String("read-later") && !args.isEmpty()) {
            keys.readAPIKeyLater(args.takeFirst(), &app, [](const QString&) {});
        } else if ((op == QLatin1String("save") || op == QLatin1String("save-later")) &&
                   args.size() >= 2) {
            const QString account = args.takeFirst();
            op == QLatin1String("save") ? keys.saveAPIKey(args.takeFirst(), account)
                                        : keys.saveAPIKeyLater(args.takeFirst(), account);
        } else if (op == QLatin1String("delete") && !args.isEmpty()) {
            keys.deleteAPIKey(args.takeFirst());
        } else if (op == QLatin1String("where")) {
            result = keys.locationDescription();
        } else {
            QTextStream(stderr) << "keystore-probe: bad operation " << op << "\n";
            return 2;
        }
        const QJsonObject line{{"op", op}, {"ms", timer.elapsed()}, {"result", result}};
        out << QJsonDocument(line).toJson(QJsonDocument::Compact) << Qt::endl;
    }
    return 0;
}
