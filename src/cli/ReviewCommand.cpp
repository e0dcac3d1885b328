#include "cli/ReviewCommand.h"

#include <unistd.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <utility>

#include "cli/ChangeReviewer.h"
#include "cli/CliMessages.h"
#include "core/Prompts.h"
#include "session/RequestSetup.h"
#include "session/ReviewRequest.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

namespace ts::cli {
namespace {

QString jsonText(const QString& value) {
    // A one-element array is the simplest way to get Qt's JSON string escaping.
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

}  // namespace

ReviewCommand::ReviewCommand(CliEnvironment& environment, Invocation invocation, QObject* parent)
    : QObject(parent),
      m_env(environment),
      m_invocation(std::move(invocation)),
      m_services{environment.settings(), environment.keys(), environment.history} {
    m_spinner.setInterval(100);
    connect(&m_spinner, &QTimer::timeout, this, [this] {
        static const QStringList frames{"|", "/", "-", "\\"};
        m_env.err << '\r' << frames[m_spinnerFrame++ % frames.size()] << " Waiting for "
                  << rawValue(m_request->setup().kind) << QChar(0x2026) << Qt::flush;
    });
}

ReviewCommand::~ReviewCommand() = default;

void ReviewCommand::start() {
    if (m_invocation.interactive) {
        // Asked before anything is read or sent, so a script without a terminal fails at once.
        QString error;
        m_reviewer = ChangeReviewer::open(m_env.err, &error);
        if (!m_reviewer) {
            m_env.err << "tessarine-cli: " << error << Qt::endl;
            end(exitUsage);
            return;
        }
    }
    if (m_invocation.text) {
        proceed({});
    } else if (m_env.inIsTerminal) {
        readTerminal();
    } else {
        proceed(m_env.readStandardInput());
    }
}

void ReviewCommand::readTerminal() {
    m_env.err << tr("Type or paste the text, then press Ctrl+D.") << Qt::endl;
    m_terminal = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(m_terminal.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count > 0) {
            m_typed.append(buffer, count);
            return;
        }
        if (count < 0 && errno == EINTR) {
            return;
        }
        m_terminal.reset();
        proceed(std::exchange(m_typed, QByteArray()));
    });
}

void ReviewCommand::proceed(const QByteArray& standardInput) {
    const std::optional<ReviewInput> input = readInput(standardInput);
    if (!input) {
        return;
    }
    if (m_invocation.dryRun) {
        printDryRun(*input);
        return;
    }
    send(*input);
}

RequestOverrides ReviewCommand::overrides() const {
    return RequestOverrides{m_invocation.provider, m_invocation.model, m_invocation.noStyle};
}

std::optional<ReviewInput> ReviewCommand::readInput(const QByteArray& standardInput) {
    const auto usage = [this](const QString& message) {
        m_env.err << "tessarine-cli: " << message << Qt::endl;
        end(exitUsage);
        return std::nullopt;
    };
    const Invocation& in = m_invocation;
    QString input;
    if (in.text) {
        input = *in.text;
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        input = decoder(standardInput);
        if (decoder.hasError()) {
            return usage(tr("the input is not UTF-8 text"));
        }
    }
    SettingsStore& settings = m_env.settings();
    const Tone tone = in.tone.value_or(settings.defaultTone());
    const AppContext context = in.context.value_or(settings.defaultContext());

    const bool blank = std::all_of(input.cbegin(), input.cend(),
                                   [](QChar c) { return c.isSpace() || c.isNull(); });
    if (blank) {
        return usage(in.mode == Mode::reply
                         ? tr("the received message is empty: give TEXT or pipe it "
                              "on standard input")
                         : tr("the input is empty: give TEXT or pipe text on "
                              "standard input"));
    }
    if (in.adjustment) {
        // Like an adjustment in the main window: the review layout with the mode's prompt.
        return ReviewInput::review(in.mode, isSingleInput(in.mode) ? input : input.trimmed(), tone,
                                   context, in.adjustment);
    }
    switch (in.mode) {
        case Mode::reply:
            return ReviewInput::reply(input.trimmed(), in.intent.trimmed(), tone, context);
        case Mode::ask: {
            QString instructionText = in.instruction.value_or(QString());
            if (in.promptName) {
                const auto prompt = m_env.prompts().find(*in.promptName);
                if (!prompt) {
                    return usage(tr("no saved prompt matches \"%1\"").arg(*in.promptName));
                }
                instructionText = prompt->instruction;
            }
            instructionText = instructionText.trimmed();
            if (instructionText.isEmpty()) {
                return usage(tr("the instruction is empty"));
            }
            return ReviewInput::instruction(instructionText, input.trimmed(), tone, context);
        }
        default:
            return ReviewInput::review(in.mode, input, tone, context);
    }
}

void ReviewCommand::printDryRun(const ReviewInput& input) {
    // No key and no history: a dry run reads the settings and nothing else.
    const RequestSetup setup = readSetup(m_env.settings(), overrides());
    const ComposedRequest request = input.compose(setup.styleProfile);
    m_env.out << "{\"provider\":" << jsonText(rawValue(setup.kind))
              << ",\"model\":" << jsonText(setup.model)
              << ",\"system\":" << jsonText(request.systemPrompt)
              << ",\"user\":" << jsonText(request.userMessage) << "}" << Qt::endl;
    end(exitSuccess);
}

void ReviewCommand::send(const ReviewInput& input) {
    ReviewRequest::Options options;
    options.overrides = overrides();
    // A tone check answers with bullets only; every other answer must carry a text. JSON is
    // printed as it stands and its reader decides.
    options.rejectEmptyAnswer =
        !m_invocation.json && !(m_invocation.mode == Mode::toneCheck && !m_invocation.adjustment);
    m_request = std::make_unique<ReviewRequest>(m_services, options);
    connect(m_request.get(), &ReviewRequest::missingKey, this, [this] {
        m_env.err << forCommandLine(missingKeyMessage(), m_request->setup().kind) << Qt::endl;
        end(exitFailure);
    });
    m_original = input.original();
    connect(m_request.get(), &ReviewRequest::ready, this, [this, input] {
        m_request->send(input);
        if (m_env.errIsTerminal) {
            m_spinner.start();
        }
    });
    connect(m_request.get(), &ReviewRequest::previewChanged, this, &ReviewCommand::onPiece);
    connect(m_request.get(), &ReviewRequest::answered, this, &ReviewCommand::onAnswered);
    connect(m_request.get(), &ReviewRequest::failed, this, &ReviewCommand::onFailed);
    m_request->prepare();
}

void ReviewCommand::onPiece() {
    stopSpinner();
    // Every piece of one network read arrives before the event loop turns again: they are
    // written together then, with one write instead of one per piece.
    if (!m_invocation.json && !m_invocation.interactive && !m_printScheduled) {
        m_printScheduled = true;
        QMetaObject::invokeMethod(this, &ReviewCommand::printPreview, Qt::QueuedConnection);
    }
}

void ReviewCommand::printPreview() {
    if (!m_printScheduled || !m_request) {
        return;
    }
    m_printScheduled = false;
    const QString added = m_printer.advance(m_request->preview());
    if (!added.isEmpty()) {
        m_env.out << added << Qt::flush;
    }
}

void ReviewCommand::onAnswered(const Review& review) {
    printPreview();
    stopSpinner();
    const bool toneCheck = m_invocation.mode == Mode::toneCheck && !m_invocation.adjustment;
    if (m_reviewer) {
        // The history keeps the answer as the model gave it; the choices are this run's.
        m_request->record();
        connect(m_reviewer.get(), &ChangeReviewer::finished, this,
                [this, whys = review.whys](const QString& kept) {
                    m_reviewer.reset();
                    m_env.out << kept << Qt::endl;
                    if (m_invocation.why) {
                        for (const WhyBullet& bullet : whys) {
                            m_env.out << "- " << rawValue(bullet.kind) << ": " << bullet.text
                                      << Qt::endl;
                        }
                    }
                    end(exitSuccess);
                });
        m_reviewer->start(m_original, review.improved);
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
    m_request->record();
    end(exitSuccess);
}

void ReviewCommand::onFailed(const QString& description) {
    printPreview();
    stopSpinner();
    if (m_printer.written() > 0) {
        m_env.out << Qt::endl;
    }
    m_env.err << forCommandLine(description, m_request->setup().kind) << Qt::endl;
    end(exitFailure);
}

void ReviewCommand::interrupt(int signalNumber) {
    if (m_ended) {
        return;
    }
    m_terminal.reset();
    m_reviewer.reset();
    printPreview();
    m_request.reset();
    stopSpinner();
    if (m_printer.written() > 0) {
        m_env.out << Qt::endl;
    }
    m_env.err << (signalNumber == SIGINT ? "Interrupted." : "Terminated.") << Qt::endl;
    end(128 + signalNumber);
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
