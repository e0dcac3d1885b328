// Runs key operations through Keychain in a process of its own, so that a test can choose the
// session bus it sees. Usage: keystore-probe FALLBACK_FILE OP... where OP is one of
// "read ACCOUNT", "save ACCOUNT VALUE", "delete ACCOUNT" or "where". Prints one JSON line per
// operation: {"op": ..., "ms": ..., "result": ...}.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "store/Keychain.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: keystore-probe FALLBACK_FILE OP...\n";
        return 2;
    }
    ts::Keychain keys(args.takeFirst());
    QTextStream out(stdout);
    while (!args.isEmpty()) {
        const QString op = args.takeFirst();
        QString result;
        QElapsedTimer timer;
        timer.start();
        if (op == QLatin1String("read") && !args.isEmpty()) {
            result = keys.readAPIKey(args.takeFirst());
        } else if (op == QLatin1String("save") && args.size() >= 2) {
            const QString account = args.takeFirst();
            keys.saveAPIKey(args.takeFirst(), account);
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
