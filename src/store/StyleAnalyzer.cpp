#include "store/StyleAnalyzer.h"

#include <QTextBoundaryFinder>
#include <QTimer>

#include "store/HistoryStore.h"
#include "store/SettingsStore.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

const QString itemSeparator = QStringLiteral("\n\n---\n\n");
const QString sectionSeparator = QStringLiteral("\n\n===\n\n");

// User-perceived characters, so an accented letter or an emoji counts once.
int characterCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1) {
        ++count;
    }
    return count;
}

QString plural(int count, const char* one, const char* many) {
    return QString::number(count) + QLatin1String(count == 1 ? one : many);
}

// Trims the inner call's answer, or fails on the next turn of the event loop without one.
class AnalysisCall final : public ProviderCall {
public:
    explicit AnalysisCall(std::unique_ptr<ProviderCall> inner) : m_inner(std::move(inner)) {
        connect(m_inner.get(), &ProviderCall::completed, this,
                [this](const QString& text) { deliverCompleted(text.trimmed()); });
        connect(m_inner.get(), &ProviderCall::failed, this,
                [this](const RequestError& error) { deliverFailure(error); });
    }

    explicit AnalysisCall(RequestError error) {
        QTimer::singleShot(0, this, [this, error] { deliverFailure(error); });
    }

protected:
    void releaseRequest() override { m_inner.reset(); }

private:
    std::unique_ptr<ProviderCall> m_inner;
};

}  // namespace

StyleAnalyzerError StyleAnalyzerError::notEnoughData(int have, int need) {
    return StyleAnalyzerError(Kind::notEnoughData, have, need);
}

QString StyleAnalyzerError::description() const {
    return QStringLiteral("Need at least %1 thumbed-up reviews to analyze. You have %2.")
        .arg(m_need)
        .arg(m_have);
}

StyleAnalyzer::StyleAnalyzer(SettingsStore& settings, HistoryStore& history, QObject* parent)
    : QObject(parent), m_settings(settings), m_history(history) {}

StyleAnalyzer::~StyleAnalyzer() = default;

QStringList StyleAnalyzer::samples(const QString& samplesText) {
    QStringList kept;
    for (const QString& piece : samplesText.split(QStringLiteral("\n\n"))) {
        const QString sample = piece.trimmed();
        if (characterCount(sample) >= minimumSampleLength) {
            kept.append(sample);
        }
    }
    return kept;
}

const QString& StyleAnalyzer::systemPrompt() {
    static const QString prompt = QStringLiteral(
        "You are a style analyst. You're given writing samples from a single\n"
        "user. Some are their raw prose (their authentic voice), and some are\n"
        "BEFORE \u2192 AFTER rewrite pairs they approved (the AFTER reflects how they\n"
        "like their text to read). Produce a compact description of the user's\n"
        "writing voice that a future editor could mimic.\n"
        "\n"
        "Focus on concrete, actionable patterns:\n"
        "- Register (formal / neutral / casual) and warmth\n"
        "- Sentence length preferences\n"
        "- Signature word choices and rhetorical habits\n"
        "- Greeting / sign-off conventions\n"
        "- Punctuation habits (em-dashes? Oxford comma? how they use hyphens?)\n"
        "- Things they consistently want trimmed or rewritten\n"
        "\n"
        "Output plain prose. Under 150 words. No JSON, no bullet points, no preamble.\n"
        "Avoid generic statements (\"writes clearly\"). Be specific and distinctive.\n"
        "The description should read like a voice fingerprint someone unfamiliar\n"
        "with the user could recognize.\n"
        "\n"
        "Do not use em-dashes anywhere in the output (they read as AI-generated).");
    return prompt;
}

QString StyleAnalyzer::userMessage(const QStringList& samples, const QList<HistoryItem>& pairs) {
    QStringList sections;
    if (!samples.isEmpty()) {
        QStringList written;
        for (qsizetype i = 0; i < samples.size() && i < maxSamples; ++i) {
            written.append(QStringLiteral("Sample %1:\n").arg(i + 1) + samples[i]);
        }
        sections.append(
            QStringLiteral("Raw writing samples from the user (their authentic voice):\n\n") +
            written.join(itemSeparator));
    }
    if (!pairs.isEmpty()) {
        QStringList written;
        for (qsizetype i = 0; i < pairs.size() && i < maxPairs; ++i) {
            const HistoryItem& item = pairs[i];
            written.append(QStringLiteral("Pair %1 [context: %2, tone: %3]\nBEFORE:\n")
                               .arg(i + 1)
                               .arg(rawValue(item.context), rawValue(item.tone)) +
                           item.original + QStringLiteral("\n\nAFTER:\n") + item.review.improved);
        }
        sections.append(
            QStringLiteral(
                "Thumbed-up rewrite pairs (AFTER is how the user likes their text):\n\n") +
            written.join(itemSeparator));
    }
    return sections.join(sectionSeparator) +
           QStringLiteral("\n\nNow produce the 150-word style description.");
}

std::unique_ptr<ProviderCall> StyleAnalyzer::analyze(const QStringList& samples,
                                                     const QList<HistoryItem>& pairs,
                                                     const LLMProvider& provider,
                                                     const QString& model) {
    const int have = static_cast<int>(samples.size() + pairs.size());
    if (have < minimumInputs) {
        const StyleAnalyzerError error = StyleAnalyzerError::notEnoughData(have, minimumInputs);
        return std::make_unique<AnalysisCall>(RequestError(error.description(), error));
    }
    return std::make_unique<AnalysisCall>(
        provider.complete(systemPrompt(), userMessage(samples, pairs), model));
}

QString StyleAnalyzer::chosenModel(const SettingsStore& settings) {
    const QString model = settings.model().trimmed();
    return model.isEmpty() ? defaultModel(settings.provider()) : model;
}

int StyleAnalyzer::usableSampleCount() const {
    return static_cast<int>(samples(m_settings.styleSamples()).size());
}

int StyleAnalyzer::thumbedUpCount() const {
    return static_cast<int>(m_history.thumbedUp().size());
}

void StyleAnalyzer::refresh(const LLMProvider& provider, const QString& model) {
    if (m_call) {
        return;
    }
    setErrorMessage({});
    const QStringList usable = samples(m_settings.styleSamples());
    const QList<HistoryItem> pairs = m_history.thumbedUp();
    const int count = static_cast<int>(pairs.size());
    qCInfo(lcStore, "style refresh from %d samples and %d thumbed-up reviews",
           static_cast<int>(usable.size()), count);
    m_call = analyze(usable, pairs, provider, model);
    connect(m_call.get(), &ProviderCall::completed, this,
            [this, count](const QString& profile) { finishRefresh(&profile, {}, count); });
    connect(m_call.get(), &ProviderCall::failed, this, [this, count](const RequestError& error) {
        finishRefresh(nullptr, error.description(), count);
    });
    emit refreshingChanged(true);
}

void StyleAnalyzer::finishRefresh(const QString* profile, const QString& error,
                                  int thumbedUpCount) {
    // Called from the call's own signal: it may only go once control is back in the loop.
    m_call.release()->deleteLater();
    if (profile) {
        m_settings.setStyleProfile(*profile);
        m_settings.setThumbedUpCountAtLastStyleRefresh(thumbedUpCount);
        emit profileChanged();
    } else {
        qCInfo(lcStore, "style refresh failed: %s", qUtf8Printable(error));
        setErrorMessage(error);
    }
    emit refreshingChanged(false);
}

void StyleAnalyzer::setErrorMessage(const QString& message) {
    if (message == m_errorMessage) {
        return;
    }
    m_errorMessage = message;
    emit errorMessageChanged(m_errorMessage);
}

void StyleAnalyzer::clearProfile() {
    m_settings.setStyleProfile(QString());
    m_settings.setThumbedUpCountAtLastStyleRefresh(0);
    emit profileChanged();
}

int StyleAnalyzer::newExamplesCount() const {
    return thumbedUpCount() - m_settings.thumbedUpCountAtLastStyleRefresh();
}

QString StyleAnalyzer::rebuildNoticeTitle() const {
    const int fresh = newExamplesCount();
    if (m_settings.styleProfile().trimmed().isEmpty() || fresh <= noticeAfter) {
        return {};
    }
    return QStringLiteral("Your voice has %1 new examples").arg(fresh);
}

QString StyleAnalyzer::rebuildNoticeText() {
    return QStringLiteral(
        "Refresh to fold thumbed-up reviews since the last update into your profile.");
}

QString StyleAnalyzer::statusLine() const {
    if (!m_settings.styleProfileEnabled() || m_settings.styleProfile().trimmed().isEmpty()) {
        return {};
    }
    const int fresh = newExamplesCount();
    if (fresh > noticeAfter) {
        return QStringLiteral(
                   "Style profile is active. %1 new examples since the last refresh \u2014 open "
                   "Settings \u2192 Style to update.")
            .arg(fresh);
    }
    return QStringLiteral("Style profile is active. Rewrites match your voice.");
}

QString StyleAnalyzer::samplesLabel(int samples) {
    return plural(samples, " sample", " samples");
}

QString StyleAnalyzer::inputsLabel(int inputs) {
    return plural(inputs, " input", " inputs") +
           QStringLiteral(" \u00b7 min %1").arg(minimumInputs);
}

QString StyleAnalyzer::refreshButtonLabel(int samples, int thumbs, bool refreshing) {
    if (refreshing) {
        return QStringLiteral("Analyzing\u2026");
    }
    return QStringLiteral("Refresh from ") + plural(samples, " sample", " samples") +
           QStringLiteral(" + ") + plural(thumbs, " thumb", " thumbs");
}

}  // namespace ts
