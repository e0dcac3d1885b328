// Runs key operations through Keychain in a process of its own, so that a test can choose the
// session bus it sees. Usage: keystore-probe FALLBACK_FILE OP... where FALLBACK_FILE "-" takes the
// program's shared keychain, and OP is one of "read ACCOUNT", "save ACCOUNT VALUE", "delete
// ACCOUNT", "where", "read-later ACCOUNT", "save-later ACCOUNT VALUE" or "wait" (runs the event
// loop until the last "read-later" answered, counting the ticks of a 50 ms timer meanwhile). Prints
// one JSON line per operation: {"op": ..., "ms": ..., "result": ..., "ticks": ...}; the program
// ends without waiting for "later" work unless told to.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>
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
    std::optional<QString> answer;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    while (!args.isEmpty()) {
        const QString op = args.takeFirst();
        QString result;
        QElapsedTimer timer;
        timer.start();
        if (op == QLatin1String("read") && !args.isEmpty()) {
            result = keys.readAPIKey(args.takeFirst());
        } else if (op == QLatin1String("read-later") && !args.isEmpty()) {
            answer.reset();
            keys.readAPIKeyLater(args.takeFirst(), &app,
                                 [&answer](const QString& key) { answer = key; });
        } else if (op == QLatin1String("wait")) {
            ticker.start(50);
            for (QDeadlineTimer deadline(20000); !answer && !deadline.hasExpired();) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            }
            ticker.stop();
            result = answer.value_or(QStringLiteral("(no answer)"));
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
        const QJsonObject line{
            {"op", op}, {"ms", timer.elapsed()}, {"result", result}, {"ticks", ticks}};
        out << QJsonDocument(line).toJson(QJsonDocument::Compact) << Qt::endl;
    }
    return 0;
}
