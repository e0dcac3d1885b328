#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <utility>

class QDBusVirtualObject;

namespace ts {

// One Tessarine per session: the first process owns "io.tessarine.Tessarine" on the session
// bus and serves /io/tessarine/Tessarine (interface io.tessarine.Application); a later launch
// hands it its URL arguments, a hotkey's action (the trigger command), or a reopen request
// without any, and ends.
class SingleInstance final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.tessarine.Application")
public:
    static constexpr const char* kServiceName = "io.tessarine.Tessarine";
    static constexpr const char* kObjectPath = "/io/tessarine/Tessarine";
    static constexpr const char* kInterface = "io.tessarine.Application";
    // Trigger(action): what a hotkey does, for desktops whose shortcuts run a command.
    static constexpr const char* kTriggerMethod = "Trigger";
    static constexpr const char* kToggleAction = "toggle";
    static constexpr const char* kRewriteAction = "rewrite";
    static constexpr const char* kProofreadAction = "proofread";

    // What a later launch hands over: URLs, a Trigger action, or (neither) a reopen.
    struct Request {
        QStringList urls;
        QString action;
    };

    enum class Claim {
        first,      // this process serves the name
        forwarded,  // another process has it and took the request
        failed,     // another process has it and did not answer
        noBus       // no session bus: this process runs alone
    };

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Served beside our own object once claim() takes the name (registered before it, so a
    // call that starts this process finds it).
    void exportObject(const QString& path, QDBusVirtualObject* object);

    // Takes the name, or hands the request to its owner. `error` says why a hand-over failed
    // or why there is no bus.
    Claim claim(const Request& request, QString* error);

public slots:
    Q_SCRIPTABLE void Reopen();
    Q_SCRIPTABLE void OpenURLs(const QStringList& urls);
    // One of the actions above; answered at once, carried out after the answer.
    Q_SCRIPTABLE void Trigger(const QString& action);

signals:
    void reopenRequested();
    void openURLsRequested(const QStringList& urls);
    void triggerRequested(const QString& action);

private:
    void unregisterObjects();

    bool registered_ = false;
    QList<std::pair<QString, QDBusVirtualObject*>> objects_;
};

}  // namespace ts
