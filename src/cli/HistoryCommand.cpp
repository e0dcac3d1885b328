#include "cli/HistoryCommand.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/JsonDates.h"
#include "store/HistoryStore.h"

namespace ts::cli {
namespace {

QString firstLine(const QString& text, int limit) {
    QString line = text.trimmed().section(QLatin1Char('\n'), 0, 0);
    if (line.size() > limit) {
        line = line.left(limit - 1) + QChar(0x2026);
    }
    return line;
}

// "Custom" alone would read like the Custom provider next to it.
QString modeName(Mode mode) {
    return mode == Mode::ask ? QStringLiteral("Custom instruction") : rawValue(mode);
}

}  // namespace

int runHistory(CliEnvironment& env, const Invocation& invocation) {
    const QList<HistoryItem> items = env.history().items();
    if (invocation.json) {
        QJsonArray array;
        for (const HistoryItem& item : items) {
            QJsonObject object = item.toJson();
            object.insert(QStringLiteral("date"), toIso8601(item.date));
            array.append(object);
        }
        env.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        env.out.flush();
        return exitSuccess;
    }
    if (items.isEmpty()) {
        env.out << QCoreApplication::translate("ts::cli::HistoryCommand", "No history yet.")
                << Qt::endl;
        return exitSuccess;
    }
    for (const HistoryItem& item : items) {
        const QString rating = !item.rating                 ? QString()
                               : *item.rating == Rating::up ? QStringLiteral(" [up]")
                                                            : QStringLiteral(" [down]");
        env.out << item.date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << "  "
                << modeName(item.mode.value_or(Mode::rewrite)) << "  " << rawValue(item.provider)
                << "/" << item.model << rating << "\n"
                << "    " << firstLine(item.original, 72) << "\n"
                << "  > " << firstLine(item.review.improved, 72) << "\n";
    }
    env.out.flush();
    return exitSuccess;
}

}  // namespace ts::cli
