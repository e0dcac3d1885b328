#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "X11TestTools.h"

namespace ts::test {

// A headless sway of the test's own. It refuses to run as root, so it runs as user 1000 of a
// user namespace; its sockets stay reachable for us. Clients reach it through environment().
// What its key bindings `exec` is run by this process instead: inside the namespace the
// session bus would refuse the command (its EXTERNAL authentication sees another user).
class Sway : public QObject {
public:
    // `config`: lines added to the configuration (bindsym …).
    explicit Sway(const QStringList& config = {});
    ~Sway();
    Sway(const Sway&) = delete;
    Sway& operator=(const Sway&) = delete;

    // Whether sway and wl-clipboard are installed (else the tests skip).
    static bool installed();
    bool running() const { return !socket().isEmpty(); }

    QString runDir() const { return dir_.filePath(QStringLiteral("run")); }
    // The display as an absolute path, so our XDG_RUNTIME_DIR need not change.
    QString socket() const;
    QString ipcSocket() const;
    QString log() const;
    // The system environment turned to this compositor: no X display, GTK and Qt on Wayland.
    QProcessEnvironment environment() const;
    // The app_id of the window with the keyboard focus.
    QString focusedApp() const;

private:
    QString find(const QString& pattern) const;
    void runRelayed();

    QTemporaryDir dir_;
    QProcess process_;
    qint64 relayed_ = 0;  // bytes of the relay file already run
};

}  // namespace ts::test
