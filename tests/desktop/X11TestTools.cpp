#include "X11TestTools.h"

#include <QTest>

namespace ts::test {

ToolResult runTool(const QString& program, const QStringList& args, const QByteArray& input,
                   const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
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

bool xdotool(const QStringList& args) {
    return runTool(QStringLiteral("xdotool"), args).exitCode == 0;
}

ToolResult readClipboard(const QString& target) {
    return runTool(QStringLiteral("xclip"), {"-o", "-selection", "clipboard", "-t", target});
}

void writeClipboard(const QString& target, const QByteArray& data) {
    runTool(QStringLiteral("xclip"), {"-i", "-selection", "clipboard", "-t", target}, data);
}

QByteArray binaryBytes() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.append(static_cast<char>(255 - i));
    }
    return bytes + QByteArrayLiteral("\r\n\0tail");
}

RunningProgram::RunningProgram(const QString& program, const QStringList& args,
                               const QProcessEnvironment& env)
    : process_(std::make_unique<QProcess>()) {
    process_->setProcessEnvironment(env);
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

HeldGrab::HeldGrab(quint32 keysym, const QStringList& masks)
    : program_(helperPath(), QStringList{QStringLiteral("grab"), QString::number(keysym)} + masks) {
    if (QTest::qWaitFor([&] { return program_.process().canReadLine(); }, 10000)) {
        answer_ = program_.process().readLine().trimmed();
    }
}

SlowClipboardOwner::SlowClipboardOwner(const QString& silentTarget, int lateMs)
    : program_(helperPath(), lateMs < 0 ? QStringList{QStringLiteral("own"), silentTarget}
                                        : QStringList{QStringLiteral("own"), silentTarget,
                                                      QString::number(lateMs)}) {
    owned_ = QTest::qWaitFor([&] { return program_.process().canReadLine(); }, 10000) &&
             program_.process().readLine().trimmed() == "owned";
}

quint64 waitForWindow(const QString& title, int timeoutMs) {
    quint64 window = 0;
    const bool found = QTest::qWaitFor(
        [&] {
            const ToolResult found =
                runTool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", title});
            const QList<QByteArray> lines = found.out.trimmed().split('\n');
            window = lines.isEmpty() ? 0 : lines.last().toULongLong();
            return window != 0;
        },
        timeoutMs);
    return found ? window : 0;
}

bool activateWindow(quint64 window) {
    return xdotool({"windowactivate", "--sync", QString::number(window)});
}

QString helperPath() {
    return QStringLiteral(TS_X11_HELPER);
}

}  // namespace ts::test
