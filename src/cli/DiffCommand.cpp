#include "cli/DiffCommand.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>

#include "core/WordDiff.h"

namespace ts::cli {
namespace {

std::optional<QString> readTextFile(CliEnvironment& env, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        env.err << "tessarine-cli: cannot read " << path << ": " << file.errorString() << Qt::endl;
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
        QJsonArray array;
        for (const DiffSegment& segment : segments) {
            array.append(QJsonObject{{QStringLiteral("op"), rawValue(segment.op)},
                                     {QStringLiteral("text"), segment.text}});
        }
        env.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))
                << Qt::endl;
        return exitSuccess;
    }
    for (const DiffSegment& segment : segments) {
        if (!env.outIsTerminal) {
            // Without colour the markers carry the operation.
            switch (segment.op) {
                case DiffOp::equal:
                    env.out << segment.text;
                    break;
                case DiffOp::insert:
                    env.out << "{+" << segment.text << "+}";
                    break;
                case DiffOp::delete_:
                    env.out << "[-" << segment.text << "-]";
                    break;
            }
            continue;
        }
        switch (segment.op) {
            case DiffOp::equal:
                env.out << segment.text;
                break;
            case DiffOp::insert:
                env.out << "\x1b[32m" << segment.text << "\x1b[0m";
                break;
            case DiffOp::delete_:
                env.out << "\x1b[31;9m" << segment.text << "\x1b[0m";
                break;
        }
    }
    env.out << Qt::endl;
    return exitSuccess;
}

}  // namespace ts::cli
