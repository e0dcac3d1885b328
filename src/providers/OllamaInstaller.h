#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <map>
#include <memory>

class QNetworkReply;

namespace ts {

// Watches the local runtime for the setup screens: whether it is installed and serving, which
// models it holds, and downloads of new ones with live progress. Lives on the main thread.
class OllamaInstaller final : public QObject {
    Q_OBJECT

public:
    enum class StateKind {
        checking,
        notInstalled,
        installedNotRunning,
        runningNoModels,
        runningWithModels
    };

    struct InstalledModel {
        QString id;
        qint64 sizeBytes = 0;
        bool operator==(const InstalledModel&) const = default;
    };

    struct State {
        StateKind kind = StateKind::checking;
        QList<InstalledModel> models;  // only for runningWithModels, in the server's order
        bool operator==(const State&) const = default;
    };

    struct PullProgress {
        QString status;
        qint64 completedBytes = 0;
        qint64 totalBytes = 0;
        bool operator==(const PullProgress&) const = default;
    };

    struct RecommendedModel {
        QString id;
        QString displayName;
        QString approxSize;
        QString tagline;
    };

    // What the installer needs from the machine; every empty member gets the real one.
    struct Environment {
        std::function<QString()> baseURLSetting;  // the ollamaBaseURL setting of the moment
        std::function<QString()> locateExecutable;
        std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
        std::chrono::milliseconds pollInterval{std::chrono::seconds(3)};
        std::chrono::milliseconds listingTimeout{std::chrono::seconds(2)};
        std::chrono::milliseconds pullTimeout{std::chrono::seconds(60)};
    };

    explicit OllamaInstaller(Environment environment, QObject* parent = nullptr);
    ~OllamaInstaller() override;

    // The process-wide instance, created on first use. Until setBaseURLSource is called it
    // talks to the default local address.
    static OllamaInstaller& shared();
    void setBaseURLSource(std::function<QString()> baseURLSetting);

    const State& state() const { return m_state; }
    const QHash<QString, PullProgress>& pulling() const { return m_pulling; }
    const QHash<QString, QString>& pullErrors() const { return m_pullErrors; }

    static const QList<RecommendedModel>& recommendedModels();
    // "llama3.1" is satisfied by llama3.1:latest or llama3.1:8b, not by llama3.10.
    static bool satisfies(const QString& installedId, const QString& recommendedId);
    bool isModelInstalled(const QString& recommendedId) const;

    // The server's root (no path), from the setting; the default local root when it is unusable.
    QUrl serverRootURL() const;
    static QUrl rootURLFor(const QString& baseURLSetting);
    // The runtime's executable, or empty when there is none.
    QString appURL() const;
    bool isInstalled() const { return !appURL().isEmpty(); }
    // Starts `ollama serve` in the background; false when there is no executable or it failed.
    bool launchApp() const;

    // The first executable named ollama on PATH, then in /usr/local/bin and /usr/bin.
    static QString findExecutable();

    void refresh();
    void startPolling();
    void stopPolling();
    bool isPolling() const { return m_polling; }

    void pull(const QString& modelId);
    void cancelPull(const QString& modelId);

signals:
    void stateChanged();
    void pullingChanged(const QString& modelId);
    void pullErrorsChanged(const QString& modelId);
    // After every refresh, whatever it found.
    void refreshed();
    void pullEnded(const QString& modelId, bool succeeded);

private:
    class PullJob;

    void setState(State state);
    void finishListing();
    void scheduleNextPoll();
    void onPullData(const QString& modelId);
    void onPullFinished(const QString& modelId);
    bool checkPullStatus(const QString& modelId);
    bool handlePullLine(const QString& modelId, const QByteArray& line);
    void setProgress(const QString& modelId, PullProgress progress);
    void endPull(const QString& modelId, const QString& error);

    Environment m_environment;
    State m_state;
    QHash<QString, PullProgress> m_pulling;
    QHash<QString, QString> m_pullErrors;

    QPointer<QNetworkReply> m_listing;
    QTimer m_listingDeadline;
    QTimer m_pollTimer;
    bool m_polling = false;

    std::map<QString, std::unique_ptr<PullJob>> m_pullJobs;
};

}  // namespace ts

Q_DECLARE_METATYPE(ts::OllamaInstaller::State)
