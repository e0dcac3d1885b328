#include "store/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QStringList>
#include <limits>
#include <optional>

#include "store/KeyStore.h"
#include "store/PrivateFile.h"
#include "store/StoreLogging.h"

namespace ts {
namespace {

namespace key {
const QString provider = QStringLiteral("provider");
const QString model = QStringLiteral("model");
const QString customBaseURL = QStringLiteral("customBaseURL");
const QString ollamaBaseURL = QStringLiteral("ollamaBaseURL");
const QString defaultTone = QStringLiteral("defaultTone");
const QString defaultContext = QStringLiteral("defaultContext");
const QString autoPaste = QStringLiteral("autoPaste");
const QString appearance = QStringLiteral("appearance");
const QString hotkeyKeyCode = QStringLiteral("hotkeyKeyCode");
const QString hotkeyModifiers = QStringLiteral("hotkeyModifiers");
const QString inPlaceHotkeyKeyCode = QStringLiteral("inPlaceHotkeyKeyCode");
const QString inPlaceHotkeyModifiers = QStringLiteral("inPlaceHotkeyModifiers");
const QString inPlaceHotkeyEnabled = QStringLiteral("inPlaceHotkeyEnabled");
const QString styleProfile = QStringLiteral("styleProfile");
const QString styleProfileEnabled = QStringLiteral("styleProfileEnabled");
const QString styleSamples = QStringLiteral("styleSamples");
const QString thumbedUpCount = QStringLiteral("thumbedUpCountAtLastStyleRefresh");
const QString hasPromptedForAccessibility = QStringLiteral("hasPromptedForAccessibility");
const QString selectionButtonEnabled = QStringLiteral("selectionButtonEnabled");
const QString hasCompletedOnboarding = QStringLiteral("hasCompletedOnboarding");
const QString hasRunOnboardingMigration = QStringLiteral("hasRunOnboardingMigration");
const QString openaiBaseURL = QStringLiteral("openaiBaseURL");
const QString anthropicBaseURL = QStringLiteral("anthropicBaseURL");
const QString geminiBaseURL = QStringLiteral("geminiBaseURL");
const QString applicationDefaults = QStringLiteral("applicationDefaults");
const QString keepModelLoaded = QStringLiteral("keepModelLoaded");
}  // namespace key

constexpr int defaultHotkeyKeyCode = 14;       // "E"
constexpr int defaultHotkeyModifiers = 2304;   // option + command
constexpr int defaultInPlaceModifiers = 6400;  // control + option + command

// The INI backend hands every value back as text once it has been through the file; values
// still in this process's cache keep their own type.
std::optional<QVariant> typed(const QVariant& raw, QMetaType::Type type) {
    switch (type) {
        case QMetaType::QString:
            if (raw.typeId() == QMetaType::QString) {
                return raw;
            }
            if (raw.typeId() == QMetaType::QStringList) {
                // An unquoted hand-written value with commas in it.
                return raw.toStringList().join(QStringLiteral(", "));
            }
            if (raw.typeId() == QMetaType::QByteArray) {
                return QString::fromUtf8(raw.toByteArray());
            }
            if (raw.canConvert<QString>()) {
                return raw.toString();
            }
            return std::nullopt;
        case QMetaType::Bool: {
            if (raw.typeId() == QMetaType::Bool) {
                return raw;
            }
            const QString text = raw.toString().trimmed();
            if (text == QLatin1String("true") || text == QLatin1String("1")) {
                return QVariant(true);
            }
            if (text == QLatin1String("false") || text == QLatin1String("0")) {
                return QVariant(false);
            }
            return std::nullopt;
        }
        case QMetaType::Int: {
            if (raw.typeId() == QMetaType::Int) {
                return raw;
            }
            bool ok = false;
            const int number = raw.toString().trimmed().toInt(&ok);
            if (!ok) {
                return std::nullopt;
            }
            return QVariant(number);
        }
        default:
            return std::nullopt;
    }
}

// QSettings waits for its lock file without a bound, and one left empty by a writer that died
// while creating it only counts as abandoned after 30 seconds. A lock whose owner is gone, or one
// that has stayed unreadable for a moment, is cleared here first.
void clearAbandonedLock(const QString& settingsPath) {
    const QString lockPath = settingsPath + QStringLiteral(".lock");
    if (!QFile::exists(lockPath)) {
        return;
    }
    QLockFile probe(lockPath);
    probe.setStaleLockTime(250);
    if (probe.tryLock(500)) {
        probe.unlock();
    }
}

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions othersBits = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;

// QSettings replaces the file through QSaveFile, which gives the new file the mode of the one it
// replaces: a file that starts owner-only stays so.
void createPrivately(const QString& path) {
    if (QFileInfo::exists(path)) {
        return;
    }
    privateFile::ensureFolder(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly);
}

enum class Topic { hotkeys, selectionButton, appearance, provider };

std::optional<Topic> topicOf(const QString& name) {
    if (name == key::hotkeyKeyCode || name == key::hotkeyModifiers ||
        name == key::inPlaceHotkeyKeyCode || name == key::inPlaceHotkeyModifiers ||
        name == key::inPlaceHotkeyEnabled) {
        return Topic::hotkeys;
    }
    if (name == key::selectionButtonEnabled) {
        return Topic::selectionButton;
    }
    if (name == key::appearance) {
        return Topic::appearance;
    }
    if (name == key::provider || name == key::model) {
        return Topic::provider;
    }
    return std::nullopt;
}

bool isIntegral(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return true;
        default:
            return false;
    }
}

}  // namespace

SettingsStore& SettingsStore::shared() {
    static SettingsStore instance(defaultFilePath());
    return instance;
}

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tessarine/tessarine.conf");
}

SettingsStore::SettingsStore(const QString& filePath, QObject* parent)
    : QObject(parent), m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {
    // A crash mid-write must leave the old file, never half of a new one.
    m_settings->setAtomicSyncRequired(true);
    // Files written by earlier versions were readable by everyone.
    if (QFileInfo::exists(filePath) && (QFile::permissions(filePath) & othersBits)) {
        QFile::setPermissions(filePath, ownerOnly);
    }
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::filePath() const {
    return m_settings->fileName();
}

const QList<SettingsStore::FieldInfo>& SettingsStore::fields() {
    static const QList<FieldInfo> all{
        {key::provider, QMetaType::QString, rawValue(ProviderKind::openai)},
        {key::model, QMetaType::QString, defaultModel(ProviderKind::openai)},
        {key::customBaseURL, QMetaType::QString, defaultBaseURL(ProviderKind::openai)},
        {key::ollamaBaseURL, QMetaType::QString, defaultBaseURL(ProviderKind::ollama)},
        {key::defaultTone, QMetaType::QString, rawValue(Tone::professional)},
        {key::defaultContext, QMetaType::QString, rawValue(AppContext::email)},
        {key::autoPaste, QMetaType::Bool, true},
        {key::appearance, QMetaType::QString, QStringLiteral("system")},
        {key::hotkeyKeyCode, QMetaType::Int, defaultHotkeyKeyCode},
        {key::hotkeyModifiers, QMetaType::Int, defaultHotkeyModifiers},
        {key::inPlaceHotkeyKeyCode, QMetaType::Int, defaultHotkeyKeyCode},
        {key::inPlaceHotkeyModifiers, QMetaType::Int, defaultInPlaceModifiers},
        {key::inPlaceHotkeyEnabled, QMetaType::Bool, true},
        {key::styleProfile, QMetaType::QString, QString()},
        {key::styleProfileEnabled, QMetaType::Bool, true},
        {key::styleSamples, QMetaType::QString, QString()},
        {key::thumbedUpCount, QMetaType::Int, 0},
        {key::hasPromptedForAccessibility, QMetaType::Bool, false},
        {key::selectionButtonEnabled, QMetaType::Bool, false},
        {key::hasCompletedOnboarding, QMetaType::Bool, false},
        {key::hasRunOnboardingMigration, QMetaType::Bool, false},
        {key::openaiBaseURL, QMetaType::QString, QString()},
        {key::anthropicBaseURL, QMetaType::QString, QString()},
        {key::geminiBaseURL, QMetaType::QString, QString()},
        {key::applicationDefaults, QMetaType::QString, QStringLiteral("[]")},
        {key::keepModelLoaded, QMetaType::QString, QStringLiteral("5m")},
    };
    return all;
}

const SettingsStore::FieldInfo* SettingsStore::field(const QString& key) {
    for (const FieldInfo& info : fields()) {
        if (info.key == key) {
            return &info;
        }
    }
    return nullptr;
}

QVariant SettingsStore::stored(const QString& key) const {
    QMutexLocker lock(&m_mutex);
    // Picks up another writer's change; costs one stat when the file is unchanged.
    m_settings->sync();
    return m_settings->value(key);
}

bool SettingsStore::writeValue(const QString& key, const QVariant& value) {
    const QVariant before = this->value(key);
    bool failed = false;
    {
        QMutexLocker lock(&m_mutex);
        createPrivately(m_settings->fileName());
        clearAbandonedLock(m_settings->fileName());
        m_settings->setValue(key, value);
        m_settings->sync();
        failed = m_settings->status() != QSettings::NoError;
    }
    if (failed) {
        qCWarning(lcStore, "could not write %s to %s", qPrintable(key),
                  qPrintable(m_settings->fileName()));
    }
    if (before == value) {
        return false;
    }
    emit valueChanged(key);
    return true;
}

void SettingsStore::write(const QString& key, const QVariant& value) {
    if (writeValue(key, value)) {
        announce({key});
    }
}

void SettingsStore::announce(const QStringList& keys) {
    bool seen[4] = {};
    for (const QString& name : keys) {
        if (const std::optional<Topic> topic = topicOf(name)) {
            seen[static_cast<int>(*topic)] = true;
        }
    }
    if (seen[static_cast<int>(Topic::hotkeys)]) {
        emit hotkeysChanged();
    }
    if (seen[static_cast<int>(Topic::selectionButton)]) {
        emit selectionButtonChanged();
    }
    if (seen[static_cast<int>(Topic::appearance)]) {
        emit appearanceChanged();
    }
    if (seen[static_cast<int>(Topic::provider)]) {
        emit providerChanged();
    }
}

void SettingsStore::noteChangedElsewhere(const QStringList& keys) {
    announce(keys);
}

QVariant SettingsStore::value(const QString& key) const {
    const FieldInfo* info = field(key);
    if (!info) {
        return {};
    }
    const QVariant raw = stored(key);
    if (!raw.isValid()) {
        return info->defaultValue;
    }
    return typed(raw, info->type).value_or(info->defaultValue);
}

bool SettingsStore::setValue(const QString& key, const QVariant& value) {
    const FieldInfo* info = field(key);
    if (!info) {
        return false;
    }
    switch (info->type) {
        case QMetaType::QString:
            if (value.typeId() != QMetaType::QString) {
                return false;
            }
            write(key, value);
            return true;
        case QMetaType::Bool:
            if (value.typeId() != QMetaType::Bool) {
                return false;
            }
            write(key, value);
            return true;
        case QMetaType::Int: {
            if (!isIntegral(value)) {
                return false;
            }
            const qlonglong number = value.toLongLong();
            if (number < std::numeric_limits<int>::min() ||
                number > std::numeric_limits<int>::max()) {
                return false;
            }
            write(key, QVariant(static_cast<int>(number)));
            return true;
        }
        default:
            return false;
    }
}

bool SettingsStore::contains(const QString& key) const {
    return stored(key).isValid();
}

std::optional<QByteArray> SettingsStore::legacyData(const QString& key) const {
    const QVariant raw = stored(key);
    if (!raw.isValid()) {
        return std::nullopt;
    }
    if (raw.typeId() == QMetaType::QByteArray) {
        return raw.toByteArray();
    }
    // Edited by hand: whatever text the file holds.
    return typed(raw, QMetaType::QString).value_or(QVariant()).toString().toUtf8();
}

void SettingsStore::removeLegacyData(const QStringList& keys) {
    QMutexLocker lock(&m_mutex);
    clearAbandonedLock(m_settings->fileName());
    for (const QString& key : keys) {
        m_settings->remove(key);
    }
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        qCWarning(lcStore, "could not remove %s from %s",
                  qPrintable(keys.join(QStringLiteral(", "))), qPrintable(m_settings->fileName()));
    }
}

QByteArray SettingsStore::windowFrame(const QString& name) const {
    if (field(name) != nullptr) {
        return {};
    }
    // Base64 text: the INI file stays readable and hand-editable around it.
    return QByteArray::fromBase64(stored(name).toString().toLatin1());
}

void SettingsStore::setWindowFrame(const QString& name, const QByteArray& frame) {
    if (field(name) != nullptr) {
        return;
    }
    QMutexLocker lock(&m_mutex);
    createPrivately(m_settings->fileName());
    clearAbandonedLock(m_settings->fileName());
    m_settings->setValue(name, QString::fromLatin1(frame.toBase64()));
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        qCWarning(lcStore, "could not write %s to %s", qPrintable(name),
                  qPrintable(m_settings->fileName()));
    }
}

QString SettingsStore::stringValue(const QString& key) const {
    return value(key).toString();
}

bool SettingsStore::boolValue(const QString& key) const {
    return value(key).toBool();
}

int SettingsStore::intValue(const QString& key) const {
    return value(key).toInt();
}

// clang-format off
QString SettingsStore::providerRaw() const { return stringValue(key::provider); }
void SettingsStore::setProviderRaw(const QString& value) { write(key::provider, value); }
QString SettingsStore::model() const { return stringValue(key::model); }
void SettingsStore::setModel(const QString& value) { write(key::model, value); }
QString SettingsStore::customBaseURL() const { return stringValue(key::customBaseURL); }
void SettingsStore::setCustomBaseURL(const QString& value) { write(key::customBaseURL, value); }
QString SettingsStore::ollamaBaseURL() const { return stringValue(key::ollamaBaseURL); }
void SettingsStore::setOllamaBaseURL(const QString& value) { write(key::ollamaBaseURL, value); }
QString SettingsStore::defaultToneRaw() const { return stringValue(key::defaultTone); }
void SettingsStore::setDefaultToneRaw(const QString& value) { write(key::defaultTone, value); }
QString SettingsStore::defaultContextRaw() const { return stringValue(key::defaultContext); }
void SettingsStore::setDefaultContextRaw(const QString& value) { write(key::defaultContext, value); }
bool SettingsStore::autoPaste() const { return boolValue(key::autoPaste); }
void SettingsStore::setAutoPaste(bool value) { write(key::autoPaste, value); }
QString SettingsStore::appearance() const { return stringValue(key::appearance); }
void SettingsStore::setAppearance(const QString& value) { write(key::appearance, value); }
int SettingsStore::hotkeyKeyCode() const { return intValue(key::hotkeyKeyCode); }
void SettingsStore::setHotkeyKeyCode(int value) { write(key::hotkeyKeyCode, value); }
int SettingsStore::hotkeyModifiers() const { return intValue(key::hotkeyModifiers); }
void SettingsStore::setHotkeyModifiers(int value) { write(key::hotkeyModifiers, value); }
int SettingsStore::inPlaceHotkeyKeyCode() const { return intValue(key::inPlaceHotkeyKeyCode); }
void SettingsStore::setInPlaceHotkeyKeyCode(int value) { write(key::inPlaceHotkeyKeyCode, value); }
int SettingsStore::inPlaceHotkeyModifiers() const { return intValue(key::inPlaceHotkeyModifiers); }
void SettingsStore::setInPlaceHotkeyModifiers(int value) { write(key::inPlaceHotkeyModifiers, value); }
bool SettingsStore::inPlaceHotkeyEnabled() const { return boolValue(key::inPlaceHotkeyEnabled); }
void SettingsStore::setInPlaceHotkeyEnabled(bool value) { write(key::inPlaceHotkeyEnabled, value); }
QString SettingsStore::styleProfile() const { return stringValue(key::styleProfile); }
void SettingsStore::setStyleProfile(const QString& value) { write(key::styleProfile, value); }
bool SettingsStore::styleProfileEnabled() const { return boolValue(key::styleProfileEnabled); }
void SettingsStore::setStyleProfileEnabled(bool value) { write(key::styleProfileEnabled, value); }
QString SettingsStore::styleSamples() const { return stringValue(key::styleSamples); }
void SettingsStore::setStyleSamples(const QString& value) { write(key::styleSamples, value); }
int SettingsStore::thumbedUpCountAtLastStyleRefresh() const { return intValue(key::thumbedUpCount); }
void SettingsStore::setThumbedUpCountAtLastStyleRefresh(int value) { write(key::thumbedUpCount, value); }
bool SettingsStore::hasPromptedForAccessibility() const { return boolValue(key::hasPromptedForAccessibility); }
void SettingsStore::setHasPromptedForAccessibility(bool value) { write(key::hasPromptedForAccessibility, value); }
bool SettingsStore::selectionButtonEnabled() const { return boolValue(key::selectionButtonEnabled); }
void SettingsStore::setSelectionButtonEnabled(bool value) { write(key::selectionButtonEnabled, value); }
bool SettingsStore::hasCompletedOnboarding() const { return boolValue(key::hasCompletedOnboarding); }
void SettingsStore::setHasCompletedOnboarding(bool value) { write(key::hasCompletedOnboarding, value); }
bool SettingsStore::hasRunOnboardingMigration() const { return boolValue(key::hasRunOnboardingMigration); }
void SettingsStore::setHasRunOnboardingMigration(bool value) { write(key::hasRunOnboardingMigration, value); }
QString SettingsStore::openaiBaseURL() const { return stringValue(key::openaiBaseURL); }
void SettingsStore::setOpenaiBaseURL(const QString& value) { write(key::openaiBaseURL, value); }
QString SettingsStore::anthropicBaseURL() const { return stringValue(key::anthropicBaseURL); }
void SettingsStore::setAnthropicBaseURL(const QString& value) { write(key::anthropicBaseURL, value); }
QString SettingsStore::geminiBaseURL() const { return stringValue(key::geminiBaseURL); }
void SettingsStore::setGeminiBaseURL(const QString& value) { write(key::geminiBaseURL, value); }
QString SettingsStore::applicationDefaults() const { return stringValue(key::applicationDefaults); }
void SettingsStore::setApplicationDefaults(const QString& value) { write(key::applicationDefaults, value); }
QString SettingsStore::keepModelLoaded() const { return stringValue(key::keepModelLoaded); }
void SettingsStore::setKeepModelLoaded(const QString& value) { write(key::keepModelLoaded, value); }
// clang-format on

ProviderKind SettingsStore::provider() const {
    return fromRawValue<ProviderKind>(providerRaw()).value_or(ProviderKind::openai);
}

Tone SettingsStore::defaultTone() const {
    return fromRawValue<Tone>(defaultToneRaw()).value_or(Tone::professional);
}

AppContext SettingsStore::defaultContext() const {
    return fromRawValue<AppContext>(defaultContextRaw()).value_or(AppContext::email);
}

void SettingsStore::setProvider(ProviderKind kind) {
    const QString oldDefault = defaultModel(provider());
    QStringList changed;
    if (writeValue(key::provider, rawValue(kind))) {
        changed.append(key::provider);
    }
    const QString current = model();
    if ((current.isEmpty() || current == oldDefault) &&
        writeValue(key::model, defaultModel(kind))) {
        changed.append(key::model);
    }
    announce(changed);
}

void SettingsStore::runOnboardingMigration(KeyStore& keys) {
    if (hasRunOnboardingMigration()) {
        return;
    }
    setHasRunOnboardingMigration(true);
    if (hasCompletedOnboarding()) {
        return;
    }
    const ProviderKind kind = provider();
    if (kind == ProviderKind::ollama || !keys.readAPIKey(apiKeyAccount(kind)).isEmpty()) {
        setHasCompletedOnboarding(true);
    }
}

void SettingsStore::resetHotkeys() {
    writeValue(key::hotkeyKeyCode, defaultHotkeyKeyCode);
    writeValue(key::hotkeyModifiers, defaultHotkeyModifiers);
    writeValue(key::inPlaceHotkeyKeyCode, defaultHotkeyKeyCode);
    writeValue(key::inPlaceHotkeyModifiers, defaultInPlaceModifiers);
    writeValue(key::inPlaceHotkeyEnabled, true);
    // Announced even when nothing changed: the shell registers the hotkeys anew.
    emit hotkeysChanged();
}

}  // namespace ts
