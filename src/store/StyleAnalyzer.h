#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "core/LLMProvider.h"
#include "store/HistoryItem.h"

namespace ts {

class HistoryStore;
class SettingsStore;

// Too little evidence to describe a voice.
class StyleAnalyzerError {
public:
    enum class Kind { notEnoughData };

    static StyleAnalyzerError notEnoughData(int have, int need);

    Kind kind() const { return m_kind; }
    int have() const { return m_have; }
    int need() const { return m_need; }

    QString description() const;

    bool operator==(const StyleAnalyzerError&) const = default;

private:
    StyleAnalyzerError(Kind kind, int have, int need) : m_kind(kind), m_have(have), m_need(need) {}

    Kind m_kind;
    int m_have = 0;
    int m_need = 0;
};

// Writes the style profile from the user's samples and thumbed-up reviews, and tells the style
// tab and the main window what to show about it. One refresh runs at a time per instance.
class StyleAnalyzer final : public QObject {
    Q_OBJECT

public:
    static constexpr int minimumInputs = 3;
    static constexpr int maxSamples = 15;
    static constexpr int maxPairs = 15;
    static constexpr int minimumSampleLength = 20;
    // More new thumbed-up reviews than this make a rebuild worthwhile.
    static constexpr int noticeAfter = 4;

    StyleAnalyzer(SettingsStore& settings, HistoryStore& history, QObject* parent = nullptr);
    ~StyleAnalyzer() override;

    // The blank-line separated pieces of at least 20 characters, trimmed, in order.
    static QStringList samples(const QString& samplesText);
    static const QString& systemPrompt();
    // Only the first 15 samples and the first 15 pairs (the newest) are written.
    static QString userMessage(const QStringList& samples, const QList<HistoryItem>& pairs);
    // `completed` carries the new profile, trimmed; fails with notEnoughData (without any
    // request) when samples and pairs number fewer than 3 in all, else with the provider's error.
    static std::unique_ptr<ProviderCall> analyze(const QStringList& samples,
                                                 const QList<HistoryItem>& pairs,
                                                 const LLMProvider& provider, const QString& model);

    // The model setting, or the provider's default when it is empty.
    static QString chosenModel(const SettingsStore& settings);

    int usableSampleCount() const;
    int thumbedUpCount() const;
    int inputCount() const { return usableSampleCount() + thumbedUpCount(); }
    bool canRefresh() const { return !m_call && inputCount() >= minimumInputs; }
    bool isRefreshing() const { return static_cast<bool>(m_call); }
    const QString& errorMessage() const { return m_errorMessage; }

    // Rebuilds the profile with the given client; on failure the stored profile and count stay
    // and errorMessage() holds the reason. Ignored while a refresh runs.
    void refresh(const LLMProvider& provider, const QString& model);
    // Empties the profile and restarts the count of new examples from zero.
    void clearProfile();

    // Thumbed-up reviews since the last rebuild; negative after deletions or un-ratings.
    int newExamplesCount() const;
    // The style tab's rebuild notice title, or empty when no notice is due.
    QString rebuildNoticeTitle() const;
    static QString rebuildNoticeText();
    // The main window's line under a result, or empty when none is shown.
    QString statusLine() const;

    // Labels of the style tab.
    static QString samplesLabel(int samples);
    static QString inputsLabel(int inputs);
    static QString refreshButtonLabel(int samples, int thumbs, bool refreshing);

signals:
    void refreshingChanged(bool refreshing);
    void errorMessageChanged(const QString& message);
    void profileChanged();

private:
    void finishRefresh(const QString* profile, const QString& error, int thumbedUpCount);
    void setErrorMessage(const QString& message);

    SettingsStore& m_settings;
    HistoryStore& m_history;
    std::unique_ptr<ProviderCall> m_call;
    QString m_errorMessage;
};

}  // namespace ts

Q_DECLARE_METATYPE(ts::StyleAnalyzerError)
