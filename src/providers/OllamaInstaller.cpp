#include "providers/OllamaInstaller.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Enums.h"
#include "providers/EventStreamReader.h"
#include "providers/LLMError.h"
#include "providers/NetworkAccess.h"
#include "providers/ProviderFactory.h"
#include "providers/WireFormat.h"

Q_LOGGING_CATEGORY(lcOllama, "tessarine.providers.ollama")

namespace ts {
namespace {

const char* const kStartingStatus = QT_TRANSLATE_NOOP("ts::OllamaInstaller", "Starting\u2026");
const char* const kPullFailedText = QT_TRANSLATE_NOOP("ts::OllamaInstaller", "Pull request failed");

QString translated(const char* text) {
    return QCoreApplication::translate("ts::OllamaInstaller", text);
}

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

QUrl rootOf(const QUrl& url) {
    QUrl root;
    root.setScheme(url.scheme());
    root.setHost(url.host());
    root.setPort(url.port());
    if (url.hasQuery()) {
        root.setQuery(url.query());
    }
    return root;
}

QUrl fallbackRoot() {
    return rootOf(QUrl(defaultBaseURL(ProviderKind::ollama)));
}

// A JSON number that is a whole value, as the wire's 64-bit integers are.
std::optional<qint64> integerOf(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (std::trunc(number) != number || std::abs(number) > 9.0e18) {
        return std::nullopt;
    }
    return static_cast<qint64>(number);
}

std::optional<QList<OllamaInstaller::InstalledModel>> decodeTags(const QByteArray& body) {
    const std::optional<QJsonObject> root = wire::parseObject(body);
    if (!root || !root->value(QLatin1String("models")).isArray()) {
        return std::nullopt;
    }
    QList<OllamaInstaller::InstalledModel> models;
    for (const QJsonValue& entry : root->value(QLatin1String("models")).toArray()) {
        const QJsonValue name = entry.toObject().value(QLatin1String("name"));
        const std::optional<qint64> size = integerOf(entry.toObject().value(QLatin1String("size")));
        if (!entry.isObject() || !name.isString() || !size) {
            return std::nullopt;
        }
        models.append({name.toString(), *size});
    }
    return models;
}

bool startDetachedQuietly(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

void dropReply(QNetworkReply* reply, QObject* receiver) {
    if (!reply) {
        return;
    }
    reply->disconnect(receiver);
    reply->abort();
    reply->deleteLater();
}

}  // namespace

// One download. Deleted later rather than at once, so that a receiver of a progress signal
// may cancel it while its line reader is still running.
class OllamaInstaller::PullJob final : public QObject {
public:
    QPointer<QNetworkReply> reply;
    EventStreamReader reader;
    bool headChecked = false;
    int status = 0;
};

OllamaInstaller::OllamaInstaller(Environment environment, QObject* parent)
    : QObject(parent), m_environment(std::move(environment)) {
    if (!m_environment.locateExecutable) {
        m_environment.locateExecutable = &OllamaInstaller::findExecutable;
    }
    if (!m_environment.startDetached) {
        m_environment.startDetached = &startDetachedQuietly;
    }
    m_pollTimer.setSingleShot(true);
    connect(&m_pollTimer, &QTimer::timeout, this, &OllamaInstaller::refresh);
    m_listingDeadline.setSingleShot(true);
    connect(&m_listingDeadline, &QTimer::timeout, this, [this] {
        if (m_listing) {
            qCInfo(lcOllama, "model listing took longer than %lld ms",
                   static_cast<long long>(m_environment.listingTimeout.count()));
            m_listing->abort();
        }
    });
}

OllamaInstaller::~OllamaInstaller() {
    dropReply(m_listing, this);
    for (auto& [id, job] : m_pullJobs) {
        dropReply(job->reply, this);
    }
}

OllamaInstaller& OllamaInstaller::shared() {
    static QPointer<OllamaInstaller> instance;
    if (!instance) {
        instance = new OllamaInstaller(Environment{}, QCoreApplication::instance());
    }
    return *instance;
}

void OllamaInstaller::setBaseURLSource(std::function<QString()> baseURLSetting) {
    m_environment.baseURLSetting = std::move(baseURLSetting);
}

const QList<OllamaInstaller::RecommendedModel>& OllamaInstaller::recommendedModels() {
    static const QList<RecommendedModel> models{
        {QStringLiteral("llama3.1"), QStringLiteral("Llama 3.1 8B"), QStringLiteral("4.7 GB"),
         QStringLiteral("Best quality for rewriting")},
        {QStringLiteral("qwen2.5:7b"), QStringLiteral("Qwen 2.5 7B"), QStringLiteral("4.4 GB"),
         QStringLiteral("Strong instruction-following")},
        {QStringLiteral("mistral"), QStringLiteral("Mistral 7B"), QStringLiteral("4.1 GB"),
         QStringLiteral("Balanced, fast")},
        {QStringLiteral("phi3.5"), QStringLiteral("Phi 3.5 3.8B"), QStringLiteral("2.2 GB"),
         QStringLiteral("Smallest viable \u00b7 low RAM")},
    };
    return models;
}

bool OllamaInstaller::satisfies(const QString& installedId, const QString& recommendedId) {
    return installedId == recommendedId || installedId.startsWith(recommendedId + u':');
}

bool OllamaInstaller::isModelInstalled(const QString& recommendedId) const {
    if (m_state.kind != StateKind::runningWithModels) {
        return false;
    }
    return std::any_of(
        m_state.models.begin(), m_state.models.end(),
        [&](const InstalledModel& model) { return satisfies(model.id, recommendedId); });
}

QUrl OllamaInstaller::serverRootURL() const {
    return rootURLFor(m_environment.baseURLSetting ? m_environment.baseURLSetting() : QString());
}

QUrl OllamaInstaller::rootURLFor(const QString& baseURLSetting) {
    const QString setting = baseURLSetting.trimmed();
    const QUrl url(setting, QUrl::StrictMode);
    if (setting.isEmpty() || !isHttpURL(setting)) {
        return fallbackRoot();
    }
    const QUrl root = rootOf(url);
    return root.isValid() && !root.host().isEmpty() ? root : fallbackRoot();
}

QString OllamaInstaller::findExecutable() {
    const QString name = QStringLiteral("ollama");
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty()) {
        found = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin")});
    }
    return found;
}

QString OllamaInstaller::appURL() const {
    return m_environment.locateExecutable();
}

bool OllamaInstaller::launchApp() const {
    const QString program = appURL();
    if (program.isEmpty()) {
        qCInfo(lcOllama, "no ollama executable to start");
        return false;
    }
    const bool started = m_environment.startDetached(program, {QStringLiteral("serve")});
    qCInfo(lcOllama, "started %s serve: %d", qUtf8Printable(program), started);
    return started;
}

void OllamaInstaller::setState(State state) {
    if (state == m_state) {
        return;
    }
    m_state = std::move(state);
    emit stateChanged();
}

void OllamaInstaller::scheduleNextPoll() {
    if (m_polling) {
        m_pollTimer.start(m_environment.pollInterval);
    }
}

void OllamaInstaller::refresh() {
    m_listingDeadline.stop();
    dropReply(m_listing, this);
    m_listing = nullptr;
    if (!isInstalled()) {
        scheduleNextPoll();
        setState({StateKind::notInstalled, {}});
        emit refreshed();
        return;
    }
    QNetworkRequest request(wire::appendPath(serverRootURL(), QStringLiteral("api/tags")));
    m_listing = threadNetworkManager().get(request);
    connect(m_listing, &QNetworkReply::finished, this, &OllamaInstaller::finishListing);
    m_listingDeadline.start(m_environment.listingTimeout);
}

void OllamaInstaller::finishListing() {
    QNetworkReply* reply = m_listing;
    if (!reply) {
        return;
    }
    m_listing = nullptr;
    m_listingDeadline.stop();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    std::optional<QList<InstalledModel>> models;
    if (reply->error() != QNetworkReply::NoError || !isSuccess(status)) {
        qCInfo(lcOllama, "model listing failed: status %d, %s", status,
               qUtf8Printable(reply->errorString()));
    } else {
        models = decodeTags(reply->readAll());
        if (!models) {
            qCInfo(lcOllama, "model listing could not be decoded");
        }
    }
    scheduleNextPoll();
    if (!models) {
        setState({StateKind::installedNotRunning, {}});
    } else if (models->isEmpty()) {
        setState({StateKind::runningNoModels, {}});
    } else {
        setState({StateKind::runningWithModels, std::move(*models)});
    }
    emit refreshed();
}

void OllamaInstaller::startPolling() {
    m_polling = true;
    m_pollTimer.stop();
    refresh();
}

void OllamaInstaller::stopPolling() {
    m_polling = false;
    m_pollTimer.stop();
}

void OllamaInstaller::pull(const QString& modelId) {
    if (m_pullJobs.count(modelId) != 0) {
        return;
    }
    auto job = std::make_unique<PullJob>();
    QNetworkRequest request(wire::appendPath(serverRootURL(), QStringLiteral("api/pull")));
    request.setTransferTimeout(static_cast<int>(m_environment.pullTimeout.count()));
    request.setRawHeader("Content-Type", "application/json");
    const QByteArray body = wire::compactJson(
        QJsonObject{{QStringLiteral("name"), modelId}, {QStringLiteral("stream"), true}});
    job->reply = threadNetworkManager().post(request, body);
    connect(job->reply, &QNetworkReply::readyRead, this, [this, modelId] { onPullData(modelId); });
    connect(job->reply, &QNetworkReply::finished, this,
            [this, modelId] { onPullFinished(modelId); });
    m_pullJobs[modelId] = std::move(job);
    qCInfo(lcOllama, "pulling %s", qUtf8Printable(modelId));

    m_pulling.insert(modelId, PullProgress{translated(kStartingStatus), 0, 0});
    emit pullingChanged(modelId);
    if (m_pullErrors.remove(modelId) > 0) {
        emit pullErrorsChanged(modelId);
    }
}

// False when the answer is no success; the download has then been ended.
bool OllamaInstaller::checkPullStatus(const QString& modelId) {
    PullJob& job = *m_pullJobs.at(modelId);
    if (!job.headChecked) {
        job.headChecked = true;
        job.status = job.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
    if (job.status == 0 || isSuccess(job.status)) {
        return true;
    }
    endPull(modelId, LLMError::httpError(job.status, translated(kPullFailedText)).description());
    return false;
}

void OllamaInstaller::onPullData(const QString& modelId) {
    const auto found = m_pullJobs.find(modelId);
    if (found == m_pullJobs.end() || !found->second->reply || !checkPullStatus(modelId)) {
        return;
    }
    PullJob* job = found->second.get();
    job->reader.feed(job->reply->readAll(), [this, modelId, job](QByteArrayView line) {
        const auto current = m_pullJobs.find(modelId);
        return current != m_pullJobs.end() && current->second.get() == job &&
               handlePullLine(modelId, line.toByteArray());
    });
}

// False when reading should stop: the download has ended (or been cancelled by a receiver).
bool OllamaInstaller::handlePullLine(const QString& modelId, const QByteArray& line) {
    const std::optional<QJsonObject> object = wire::parseObject(line);
    if (!object) {
        return true;
    }
    // A failure the server reports inside the stream ends the pull with its own words; the
    // stream may well end normally after it.
    const QJsonValue error = object->value(QLatin1String("error"));
    if (error.isString() && !error.toString().trimmed().isEmpty()) {
        endPull(modelId, error.toString().trimmed());
        return false;
    }
    const QJsonValue status = object->value(QLatin1String("status"));
    PullProgress progress{status.isString() ? status.toString() : QString(),
                          integerOf(object->value(QLatin1String("completed"))).value_or(0),
                          integerOf(object->value(QLatin1String("total"))).value_or(0)};
    const bool succeeded = progress.status == QLatin1String("success");
    const PullJob* job = m_pullJobs.at(modelId).get();
    setProgress(modelId, std::move(progress));
    const auto current = m_pullJobs.find(modelId);
    if (current == m_pullJobs.end() || current->second.get() != job) {
        return false;
    }
    if (succeeded) {
        endPull(modelId, {});
        return false;
    }
    return true;
}

void OllamaInstaller::setProgress(const QString& modelId, PullProgress progress) {
    m_pulling.insert(modelId, std::move(progress));
    emit pullingChanged(modelId);
}

void OllamaInstaller::onPullFinished(const QString& modelId) {
    const auto found = m_pullJobs.find(modelId);
    if (found == m_pullJobs.end() || !found->second->reply) {
        return;
    }
    PullJob* job = found->second.get();
    QNetworkReply* reply = job->reply;
    if (!checkPullStatus(modelId)) {
        return;
    }
    const auto stillCurrent = [this, modelId, job] {
        const auto current = m_pullJobs.find(modelId);
        return current != m_pullJobs.end() && current->second.get() == job;
    };
    const auto handler = [this, modelId, &stillCurrent](QByteArrayView line) {
        return stillCurrent() && handlePullLine(modelId, line.toByteArray());
    };
    // A line past the reader's bound ends the pull as a failure rather than leaving it running.
    const auto endIfOverflowed = [this, modelId, job, &stillCurrent] {
        if (stillCurrent() && job->reader.overflowed()) {
            endPull(modelId,
                    QCoreApplication::translate(
                        "ts::OllamaInstaller", "The server sent a progress line longer than %1 MB.")
                        .arg(EventStreamReader::kMaxLineBytes / (1024 * 1024)));
        }
    };
    if (!job->reader.feed(reply->readAll(), handler)) {
        endIfOverflowed();
        return;
    }
    if (!stillCurrent()) {
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        // The connection broke (or never opened); a half-received line is not used.
        const QString error =
            reply->error() == QNetworkReply::OperationCanceledError
                ? QCoreApplication::translate("ts::OllamaInstaller", "The request timed out.")
                : reply->errorString();
        endPull(modelId, error);
        return;
    }
    if (!job->reader.finish(handler)) {
        endIfOverflowed();
        return;
    }
    if (!stillCurrent()) {
        return;
    }
    endPull(modelId, {});
}

void OllamaInstaller::cancelPull(const QString& modelId) {
    if (m_pullJobs.count(modelId) == 0) {
        return;
    }
    qCInfo(lcOllama, "cancelling the pull of %s", qUtf8Printable(modelId));
    endPull(modelId, LLMError::cancelled().description());
}

// An empty error means success.
void OllamaInstaller::endPull(const QString& modelId, const QString& error) {
    const auto found = m_pullJobs.find(modelId);
    if (found == m_pullJobs.end()) {
        return;
    }
    PullJob* job = found->second.release();
    m_pullJobs.erase(found);
    dropReply(job->reply, this);
    job->deleteLater();

    const bool succeeded = error.isEmpty();
    qCInfo(lcOllama, "pull of %s ended: %s", qUtf8Printable(modelId),
           succeeded ? "success" : qUtf8Printable(error));
    m_pulling.remove(modelId);
    emit pullingChanged(modelId);
    if (!succeeded) {
        m_pullErrors.insert(modelId, error);
        emit pullErrorsChanged(modelId);
    }
    emit pullEnded(modelId, succeeded);
    if (succeeded) {
        refresh();
    }
}

}  // namespace ts
