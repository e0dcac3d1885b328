#pragma once

#include <QHash>
#include <QJsonValue>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

namespace ts {

// Asks the local server to load a model ahead of the request that needs it, so that loading
// overlaps the user's own work (the copy, typing in the window). Never waits for the answer and
// never touches the request itself. Lives on the main thread.
class OllamaWarmer final : public QObject {
    Q_OBJECT
public:
    struct Target {
        QUrl root;             // the server, no path
        QString model;         // as the requests name it
        QJsonValue keepAlive;  // "5m", "1h", … or -1: until released
    };
    using Clock = std::function<qint64()>;  // milliseconds, monotonic

    static constexpr std::chrono::milliseconds kInterval{std::chrono::minutes(1)};

    explicit OllamaWarmer(Clock clock = {}, QObject* parent = nullptr);
    ~OllamaWarmer() override;

    // Returns at once. Looks at what the server has loaded (api/ps) and asks it to load the model
    // (api/generate without a prompt) only when it is not; at most once a minute for one server
    // and model, whatever the outcome.
    void warm(const Target& target);

    // Blocks up to `bound`: asks the server to unload every model this process had it keep
    // loaded without an end. For the last moments of the program, when there is no event loop.
    void releaseHeld(std::chrono::milliseconds bound = std::chrono::milliseconds(1000));

signals:
    // After each look: whether a load was asked for.
    void looked(const QString& model, bool loadAsked);

private:
    void sendLoad(const Target& target);

    Clock clock_;
    QHash<QString, qint64> lastTried_;  // server + model → when
    QHash<QString, Target> held_;       // loaded with no end, to be released
};

}  // namespace ts
