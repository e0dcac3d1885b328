#include "SwayTestTools.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace ts::test {

namespace {

constexpr int kWaitMs = 15000;

QString focusedIn(const QJsonObject& node) {
    if (node.value(QLatin1String("focused")).toBool()) {
        return node.value(QLatin1String("app_id")).toString();
    }
    // Floating windows (dialogs, fixed-size windows) are kept apart from the tiled ones.
    for (const char* kind : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(kind)).toArray()) {
            const QString found = focusedIn(child.toObject());
            if (!found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

}  // namespace

bool Sway::installed() {
    return !QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("wl-paste")).isEmpty();
}

Sway::Sway(const QStringList& config) {
    const QString path = dir_.filePath(QStringLiteral("config"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write("output HEADLESS-1 resolution 1280x800\nxwayland disable\n");
    const QString relay = dir_.filePath(QStringLiteral("relay"));
    for (QString line : config) {
        const qsizetype exec = line.indexOf(QLatin1String(" exec "));
        if (exec >= 0) {
            line = line.left(exec) +
                   QStringLiteral(" exec echo '%1' >> %2").arg(line.mid(exec + 6).trimmed(), relay);
        }
        file.write(line.toUtf8() + '\n');
    }
    file.close();
    QDir(dir_.path()).mkdir(QStringLiteral("run"));
    QFile::setPermissions(runDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runDir());
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DISPLAY"));
    process_.setProcessEnvironment(env);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(dir_.filePath(QStringLiteral("sway.log")));
    process_.start(QStringLiteral("unshare"),
                   {"--user", "--map-user=1000", "--map-group=1000", "sway", "-c", path});
    (void)QTest::qWaitFor([&] { return !socket().isEmpty() && !ipcSocket().isEmpty(); }, kWaitMs);
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &Sway::runRelayed);
    poll->start(50);
}

void Sway::runRelayed() {
    QFile file(dir_.filePath(QStringLiteral("relay")));
    if (!file.open(QIODevice::ReadOnly) || file.size() <= relayed_ || !file.seek(relayed_)) {
        return;
    }
    const QByteArray lines = file.readAll();
    relayed_ += lines.size();
    for (const QByteArray& line : lines.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            QProcess process;
            process.setProcessEnvironment(environment());
            process.setProgram(QStringLiteral("sh"));
            process.setArguments({QStringLiteral("-c"), QString::fromUtf8(line)});
            process.startDetached();
        }
    }
}

Sway::~Sway() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished();
    }
}

QString Sway::socket() const {
    return find(QStringLiteral("wayland-[0-9]"));
}

QString Sway::ipcSocket() const {
    return find(QStringLiteral("sway-ipc.*.sock"));
}

QString Sway::log() const {
    QFile file(dir_.filePath(QStringLiteral("sway.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(2000))
                                          : QString();
}

QProcessEnvironment Sway::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runDir());
    env.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    env.insert(QStringLiteral("SWAYSOCK"), ipcSocket());
    return env;
}

QString Sway::focusedApp() const {
    const ToolResult tree =
        runTool(QStringLiteral("swaymsg"), {"-s", ipcSocket(), "-r", "-t", "get_tree"}, {});
    return focusedIn(QJsonDocument::fromJson(tree.out).object());
}

QString Sway::find(const QString& pattern) const {
    const QStringList names = QDir(runDir()).entryList({pattern}, QDir::System);
    return names.isEmpty() ? QString() : QDir(runDir()).filePath(names.first());
}

}  // namespace ts::test
