#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QMutex>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "core/Enums.h"

namespace ts {

class KeyStore;

// Every user preference, one INI entry each, in a file only its owner may read. Nothing is
// cached: every read goes back to the file (so another process's change is seen) and every write
// reaches the disk at once.
class SettingsStore final : public QObject {
    Q_OBJECT

public:
    struct FieldInfo {
        QString key;
        QMetaType::Type type;
        QVariant defaultValue;
    };

    // $XDG_CONFIG_HOME/tessarine/tessarine.conf
    static SettingsStore& shared();
    static QString defaultFilePath();

    explicit SettingsStore(const QString& filePath, QObject* parent = nullptr);
    ~SettingsStore() override;

    QString filePath() const;

    QString providerRaw() const;
    void setProviderRaw(const QString& value);
    QString model() const;
    void setModel(const QString& value);
    QString customBaseURL() const;
    void setCustomBaseURL(const QString& value);
    QString ollamaBaseURL() const;
    void setOllamaBaseURL(const QString& value);
    QString defaultToneRaw() const;
    void setDefaultToneRaw(const QString& value);
    QString defaultContextRaw() const;
    void setDefaultContextRaw(const QString& value);
    bool autoPaste() const;
    void setAutoPaste(bool value);
    QString appearance() const;
    void setAppearance(const QString& value);
    int hotkeyKeyCode() const;
    void setHotkeyKeyCode(int value);
    int hotkeyModifiers() const;
    void setHotkeyModifiers(int value);
    int inPlaceHotkeyKeyCode() const;
    void setInPlaceHotkeyKeyCode(int value);
    int inPlaceHotkeyModifiers() const;
    void setInPlaceHotkeyModifiers(int value);
    bool inPlaceHotkeyEnabled() const;
    void setInPlaceHotkeyEnabled(bool value);
    QString styleProfile() const;
    void setStyleProfile(const QString& value);
    bool styleProfileEnabled() const;
    void setStyleProfileEnabled(bool value);
    QString styleSamples() const;
    void setStyleSamples(const QString& value);
    int thumbedUpCountAtLastStyleRefresh() const;
    void setThumbedUpCountAtLastStyleRefresh(int value);
    bool hasPromptedForAccessibility() const;
    void setHasPromptedForAccessibility(bool value);
    bool selectionButtonEnabled() const;
    void setSelectionButtonEnabled(bool value);
    bool hasCompletedOnboarding() const;
    void setHasCompletedOnboarding(bool value);
    bool hasRunOnboardingMigration() const;
    void setHasRunOnboardingMigration(bool value);
    // Empty means the service's public API.
    QString openaiBaseURL() const;
    void setOpenaiBaseURL(const QString& value);
    QString anthropicBaseURL() const;
    void setAnthropicBaseURL(const QString& value);
    QString geminiBaseURL() const;
    void setGeminiBaseURL(const QString& value);
    // JSON text, as stored; ApplicationDefaults reads it.
    QString applicationDefaults() const;
    void setApplicationDefaults(const QString& value);
    // A KeepModelLoaded raw value.
    QString keepModelLoaded() const;
    void setKeepModelLoaded(const QString& value);

    // Stored text that names no case reads as openai, professional and email.
    ProviderKind provider() const;
    Tone defaultTone() const;
    AppContext defaultContext() const;

    // Keeps a hand-chosen model; replaces the old provider's default (or nothing) by the new one's.
    void setProvider(ProviderKind kind);
    // Once per installation: users who had a key (or the local provider) skip the first-run flow.
    void runOnboardingMigration(KeyStore& keys);
    void resetHotkeys();

    // Every field, in declaration order, for generic access by key.
    static const QList<FieldInfo>& fields();
    static const FieldInfo* field(const QString& key);
    // Typed; the default when unset or unreadable; invalid for unknown keys.
    QVariant value(const QString& key) const;
    // False (and nothing written) for unknown keys and values of the wrong type.
    bool setValue(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;

    // Entries that are no setting, left by versions that kept the history and the saved prompts
    // here: their bytes (none when absent), and their removal in one write.
    std::optional<QByteArray> legacyData(const QString& key) const;
    void removeLegacyData(const QStringList& keys);

    // Window frames under their autosave names ("io.tessarine.mainWindow"): no settings, so they
    // announce nothing and stay out of fields(). Empty when none was saved.
    QByteArray windowFrame(const QString& name) const;
    // Ignored for the name of a setting.
    void setWindowFrame(const QString& name, const QByteArray& frame);

    // The keys another process changed, as SettingsWatcher saw them: announced through the same
    // signals as this process's own writes (valueChanged aside).
    void noteChangedElsewhere(const QStringList& keys);

signals:
    // This process's writes only, one per key whose value changed.
    void valueChanged(const QString& key);

    // Once per write or operation, from this process or (through SettingsWatcher) another one.
    void hotkeysChanged();  // either shortcut or the in-place switch
    void selectionButtonChanged();
    void appearanceChanged();
    void providerChanged();  // provider or model

private:
    QVariant stored(const QString& key) const;
    // True when the stored value changed (and valueChanged went out).
    bool writeValue(const QString& key, const QVariant& value);
    void write(const QString& key, const QVariant& value);
    void announce(const QStringList& keys);
    QString stringValue(const QString& key) const;
    bool boolValue(const QString& key) const;
    int intValue(const QString& key) const;

    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace ts
