#include "cli/ReviewCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

#include "core/Prompts.h"
#include "core/ReviewParser.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/HistoryStore.h"
#include "store/KeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

namespace ts::cli {
namespace {

constexpr const char* kEmptyResponse = "The model returned an empty response.";

QString jsonText(const QString& value) {
    // A one-element array is the simplest way to get Qt's JSON string escaping.
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

}  // namespace

ReviewCommand::ReviewCommand(CliEnvironment& environment, Invocation invocation, QObject* parent)
    : QObject(parent), m_env(environment), m_invocation(std::move(invocation)) {
    m_spinner.setInterval(100);
    connect(&m_spinner, &QTimer::timeout, this, [this] {
        static const QStringList frames{"|", "/", "-", "\\"};
        m_env.err << '\r' << frames[m_spinnerFrame++ % frames.size()] << " Waiting for "
                  << rawValue(m_prepared->kind) << QChar(0x2026) << Qt::flush;
    });
}

ReviewCommand::~ReviewCommand() = default;

void ReviewCommand::start() {
    m_prepared = prepare();
    if (!m_prepared) {
        return;
    }
    send(*m_prepared);
}

std::optional<ReviewCommand::Prepared> ReviewCommand::prepare() {
    const auto usage = [this](const QString& message) {
        m_env.err << "tessarine-cli: " << message << Qt::endl;
        end(exitUsage);
        return std::nullopt;
    };
    const Invocation& in = m_invocation;
    const QString input = in.text ? *in.text : QString::fromUtf8(m_env.readStandardInput());
    SettingsStore& settings = m_env.settings();

    Prepared prepared;
    prepared.tone = in.tone.value_or(settings.defaultTone());
    prepared.context = in.context.value_or(settings.defaultContext());
    prepared.kind = in.provider.value_or(settings.provider());
    prepared.model = in.model;
    if (prepared.model.isEmpty()) {
        // The stored model belongs to the stored provider; another provider gets its default.
        prepared.model = prepared.kind == settings.provider() ? settings.model() : QString();
    }
    if (prepared.model.isEmpty()) {
        prepared.model = defaultModel(prepared.kind);
    }
    const QString style = in.noStyle ? QString() : effectiveStyleProfile(settings);
    const QString adjustment = in.adjustment ? instruction(*in.adjustment) : QString();

    if (input.trimmed().isEmpty()) {
        return usage(in.mode == Mode::reply
                         ? QStringLiteral("the received message is empty: give TEXT or pipe it "
                                          "on standard input")
                         : QStringLiteral("the input is empty: give TEXT or pipe text on "
                                          "standard input"));
    }
    if (in.adjustment) {
        // Like an adjustment in the main window: the review layout with the mode's prompt.
        const QString source =
            in.mode == Mode::rewrite || in.mode == Mode::proofread || in.mode == Mode::toneCheck
                ? input
                : input.trimmed();
        prepared.request =
            composeReview(in.mode, source, prepared.tone, prepared.context, style, adjustment);
        prepared.original = source;
        return prepared;
    }
    switch (in.mode) {
        case Mode::reply:
            prepared.original = input.trimmed();
            prepared.request = composeReply(prepared.original, in.intent.trimmed(), prepared.tone,
                                            prepared.context, style);
            return prepared;
        case Mode::ask: {
            QString instructionText = in.instruction.value_or(QString());
            if (in.promptName) {
                const auto prompt = m_env.prompts().find(*in.promptName);
                if (!prompt) {
                    return usage(
                        QStringLiteral("no saved prompt matches \"%1\"").arg(*in.promptName));
                }
                instructionText = prompt->instruction;
            }
            instructionText = instructionText.trimmed();
            if (instructionText.isEmpty()) {
                return usage(QStringLiteral("the instruction is empty"));
            }
            prepared.original = input.trimmed();
            prepared.request = composeInstruction(instructionText, prepared.original, prepared.tone,
                                                  prepared.context, style);
            return prepared;
        }
        default:
            prepared.original = input;
            prepared.request =
                composeReview(in.mode, input, prepared.tone, prepared.context, style, QString());
            return prepared;
    }
}

void ReviewCommand::send(const Prepared& prepared) {
    if (m_invocation.dryRun) {
        m_env.out << "{\"provider\":" << jsonText(rawValue(prepared.kind))
                  << ",\"model\":" << jsonText(prepared.model)
                  << ",\"system\":" << jsonText(prepared.request.systemPrompt)
                  << ",\"user\":" << jsonText(prepared.request.userMessage) << "}" << Qt::endl;
        end(exitSuccess);
        return;
    }
    SettingsStore& settings = m_env.settings();
    KeyStore& keys = m_env.keys();
    ProviderConfig config = currentProviderConfig(settings, keys);
    if (config.kind != prepared.kind) {
        config.kind = prepared.kind;
        config.apiKey = keys.readAPIKey(apiKeyAccount(prepared.kind));
    }
    if (requiresAPIKey(config.kind) && config.apiKey.isEmpty()) {
        m_env.err << kMissingKeyMessage << Qt::endl
                  << "(store one with: tessarine-cli key set " << rawValue(config.kind).toLower()
                  << ")" << Qt::endl;
        end(exitFailure);
        return;
    }
    m_provider = makeProvider(config);
    m_call = streamRequest(*m_provider, prepared.request, prepared.model);
    connect(m_call.get(), &ProviderCall::piece, this, &ReviewCommand::onPiece);
    connect(m_call.get(), &ProviderCall::completed, this, [this] { onCompleted(); });
    connect(m_call.get(), &ProviderCall::failed, this, &ReviewCommand::onFailed);
    if (m_env.errIsTerminal) {
        m_spinner.start();
    }
}

void ReviewCommand::onPiece(const QString& piece) {
    stopSpinner();
    const QString preview = m_accumulator.append(piece);
    if (!m_invocation.json) {
        const QString added = m_printer.advance(preview);
        if (!added.isEmpty()) {
            m_env.out << added << Qt::flush;
        }
    }
}

void ReviewCommand::onCompleted() {
    stopSpinner();
    const Review review = parseReview(m_accumulator.text());
    const bool toneCheck = m_invocation.mode == Mode::toneCheck && !m_invocation.adjustment;
    if (!toneCheck && review.improved.trimmed().isEmpty()) {
        if (m_printer.written() > 0) {
            m_env.out << Qt::endl;
        }
        m_env.err << kEmptyResponse << Qt::endl;
        end(exitFailure);
        return;
    }
    if (m_invocation.json) {
        m_env.out << QString::fromUtf8(
                         QJsonDocument(review.toJson()).toJson(QJsonDocument::Compact))
                  << Qt::endl;
    } else {
        if (!review.improved.isEmpty()) {
            m_env.out << m_printer.finish(review.improved) << Qt::endl;
        }
        if (m_invocation.why || toneCheck) {
            for (const WhyBullet& bullet : review.whys) {
                m_env.out << "- " << rawValue(bullet.kind) << ": " << bullet.text << Qt::endl;
            }
        }
        m_env.out << Qt::flush;
    }

    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = QDateTime::currentDateTimeUtc();
    item.original = m_prepared->original;
    item.review = review;
    item.tone = m_prepared->tone;
    item.context = m_prepared->context;
    item.provider = m_prepared->kind;
    item.model = m_prepared->model;
    item.mode = m_invocation.mode;
    m_env.history().add(item);
    end(exitSuccess);
}

void ReviewCommand::onFailed(const RequestError& error) {
    stopSpinner();
    if (m_printer.written() > 0) {
        m_env.out << Qt::endl;
    }
    m_env.err << error.description() << Qt::endl;
    end(exitFailure);
}

void ReviewCommand::interrupt() {
    if (m_ended) {
        return;
    }
    m_call.reset();
    stopSpinner();
    if (m_printer.written() > 0) {
        m_env.out << Qt::endl;
    }
    m_env.err << "Interrupted." << Qt::endl;
    end(exitInterrupted);
}

void ReviewCommand::stopSpinner() {
    if (m_spinner.isActive()) {
        m_spinner.stop();
        m_env.err << "\r\x1b[K" << Qt::flush;
    }
}

void ReviewCommand::end(int status) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    emit finished(status);
}

}  // namespace ts::cli
