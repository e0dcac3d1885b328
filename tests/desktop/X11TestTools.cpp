#include "X11TestTools.h"

#include <QTest>

namespace ts::test {

ToolResult runTool(const QString& program, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, args);
    if (!process.waitForStarted(10000)) {
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000)) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

ToolResult readClipboard(const QString& target) {
    return runTool(QStringLiteral("xclip"),
                   {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                    QStringLiteral("-t"), target});
}

void writeClipboard(const QString& target, const QByteArray& data) {
    runTool(QStringLiteral("xclip"),
            {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
             QStringLiteral("-t"), target},
            data);
}

RunningProgram::RunningProgram(const QString& program, const QStringList& args)
    : process_(std::make_unique<QProcess>()) {
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(program, args);
    process_->waitForStarted(10000);
}

RunningProgram::~RunningProgram() {
    if (process_->state() != QProcess::NotRunning) {
        process_->closeWriteChannel();
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
}

quint64 waitForWindow(const QString& title, int timeoutMs) {
    quint64 window = 0;
    const bool found = QTest::qWaitFor(
        [&] {
            const ToolResult found =
                runTool(QStringLiteral("xdotool"),
                        {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--name"), title});
            const QList<QByteArray> lines = found.out.trimmed().split('\n');
            window = lines.isEmpty() ? 0 : lines.last().toULongLong();
            return window != 0;
        },
        timeoutMs);
    return found ? window : 0;
}

bool activateWindow(quint64 window) {
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"),
                                               QStringLiteral("--sync"), QString::number(window)})
               .exitCode == 0;
}

QString helperPath() {
    return QStringLiteral(TS_X11_HELPER);
}

}  // namespace ts::test
