#include "cli/DiffCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "core/ChangeSet.h"
#include "core/WordDiff.h"

namespace ts::cli {
namespace {

std::optional<QString> readTextFile(CliEnvironment& env, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        env.err << "tessarine-cli: "
                << QCoreApplication::translate("ts::cli::DiffCommand", "cannot read %1: %2")
                       .arg(path, file.errorString())
                << Qt::endl;
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace

int runDiff(CliEnvironment& env, const Invocation& invocation) {
    const auto original = readTextFile(env, invocation.oldFile);
    const auto improved = readTextFile(env, invocation.newFile);
    if (!original || !improved) {
        return exitUsage;
    }
    const QList<DiffSegment> segments = wordDiff(*original, *improved);
    if (invocation.json) {
        // "change" numbers the runs a reviewer keeps or drops as one (see ChangeSet.h).
        const QList<int> changes = changeIndexes(segments);
        QJsonArray array;
        for (qsizetype i = 0; i < segments.size(); ++i) {
            QJsonObject entry{{QStringLiteral("op"), rawValue(segments[i].op)},
                              {QStringLiteral("text"), segments[i].text}};
            if (changes[i] >= 0) {
                entry.insert(QStringLiteral("change"), changes[i]);
            }
            array.append(entry);
        }
        env.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))
                << Qt::endl;
        return exitSuccess;
    }
    // What goes around an inserted and a removed run: colour on a terminal, else the markers.
    struct Wrap {
        const char* open;
        const char* close;
    };
    const Wrap insert = env.outIsTerminal ? Wrap{"\x1b[32m", "\x1b[0m"} : Wrap{"{+", "+}"};
    const Wrap remove = env.outIsTerminal ? Wrap{"\x1b[31;9m", "\x1b[0m"} : Wrap{"[-", "-]"};
    for (const DiffSegment& segment : segments) {
        if (segment.op == DiffOp::equal) {
            env.out << segment.text;
            continue;
        }
        const Wrap& wrap = segment.op == DiffOp::insert ? insert : remove;
        env.out << wrap.open << segment.text << wrap.close;
    }
    env.out << Qt::endl;
    return exitSuccess;
}

}  // namespace ts::cli
