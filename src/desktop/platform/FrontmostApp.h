#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace ts {

// The application owning the active window.
struct AppInfo {
    qint64 pid = 0;       // 0 when the window does not tell
    QString windowClass;  // class part of WM_CLASS; plays the bundle identifier
    QString name;         // the class, or the window title when there is no class
    quint64 windowId = 0;

    friend bool operator==(const AppInfo&, const AppInfo&) = default;
};

class FrontmostApp : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~FrontmostApp() override = default;

    virtual std::optional<AppInfo> current() const = 0;
    // Asks the window manager to activate a window of that process. False when the process
    // has no window or there is no window manager to ask.
    virtual bool activate(qint64 pid) = 0;
    // Asks the window manager to activate this very window. False when it no longer exists or
    // there is no window manager to ask.
    virtual bool activateWindow(quint64 windowId) = 0;

signals:
    // The active window changed (possibly to the same application).
    void changed();
};

}  // namespace ts
