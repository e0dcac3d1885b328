#include "ui/onboarding/CloudSetupStep.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "store/KeyStore.h"
#include "store/SettingsStore.h"
#include "ui/AccessibleRoles.h"
#include "ui/RadioGroupKeys.h"
#include "ui/onboarding/ConnectionTest.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

constexpr ProviderKind kPillOrder[] = {ProviderKind::anthropic, ProviderKind::openai,
                                       ProviderKind::gemini};

}  // namespace

CloudSetupStep::CloudSetupStep(const OnboardingServices& services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_key(new QLineEdit(this)),
      m_note(roleLabel(QString(), "note", this)),
      m_keyPage(roleButton(QString(), "link", this)),
      m_test(roleButton(tr("Test connection"), "secondary", this)),
      m_spinner(new ButtonSpinner(*m_test)),
      m_resultIcon(new QLabel(this)),
      m_resultText(roleLabel(QString(), "result", this)),
      m_connection(new ConnectionTest(services.requests, this)) {
    auto* pills = new QHBoxLayout;
    pills->setSpacing(8);
    QList<QAbstractButton*> group;
    for (ProviderKind kind : kPillOrder) {
        QPushButton* pill = roleButton(rawValue(kind), "pill", this);
        pill->setCheckable(true);
        pills->addWidget(pill);
        m_pills.append({kind, pill});
        group.append(pill);
        connect(pill, &QPushButton::clicked, this, [this, kind] { choose(kind); });
    }
    pills->addStretch(1);
    new RadioGroupKeys(group, this);

    auto* keyLabel = roleLabel(tr("API key"), "fieldLabel", this);
    keyLabel->setBuddy(m_key);
    m_key->setProperty("role", QStringLiteral("field"));
    m_key->setAccessibleName(tr("API key"));
    m_key->setEchoMode(QLineEdit::Password);
    m_key->setPlaceholderText(tr("Paste your key"));
    m_keyPage->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_test->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_resultIcon->setFixedSize(16, 16);
    m_resultText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    accessible::setRole(m_resultText, QAccessible::AlertMessage);

    auto* resultRow = new QHBoxLayout;
    resultRow->setSpacing(6);
    resultRow->addWidget(m_resultIcon, 0, Qt::AlignTop);
    resultRow->addWidget(m_resultText, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(roleLabel(tr("Connect your cloud provider"), "heading", this));
    column->addWidget(roleLabel(tr("Pick a provider and paste an API key."), "subtitle", this));
    column->addSpacing(6);
    column->addLayout(pills);
    column->addSpacing(6);
    column->addWidget(keyLabel);
    column->addWidget(m_key);
    column->addWidget(m_note);
    column->addWidget(m_keyPage);
    column->addSpacing(6);
    column->addWidget(m_test);
    column->addLayout(resultRow);
    column->addStretch(1);
    accessible::readInLayoutOrder(this);

    connect(m_key, &QLineEdit::textEdited, this, &CloudSetupStep::keyEdited);
    connect(m_keyPage, &QPushButton::clicked, this,
            [this] { m_services.open(keyPage(m_selected)); });
    connect(m_test, &QPushButton::clicked, this, &CloudSetupStep::runTest);
    connect(m_connection, &ConnectionTest::succeeded, this, [this] {
        setResult(TestResult{true, {}});
    });
    connect(m_connection, &ConnectionTest::failed, this, [this](const QString& message) {
        setResult(TestResult{false, message});
    });
    showProvider();
    showResult();
}

CloudSetupStep::~CloudSetupStep() = default;

QUrl CloudSetupStep::keyPage(ProviderKind kind) {
    switch (kind) {
        case ProviderKind::anthropic:
            return QUrl(QStringLiteral("https://console.anthropic.com/settings/keys"));
        case ProviderKind::gemini:
            return QUrl(QStringLiteral("https://aistudio.google.com/app/apikey"));
        case ProviderKind::openai:
        case ProviderKind::ollama:
        case ProviderKind::custom:
            break;
    }
    return QUrl(QStringLiteral("https://platform.openai.com/api-keys"));
}

bool CloudSetupStep::isTesting() const {
    return m_connection->isRunning();
}

QWidget* CloudSetupStep::firstFocus() const {
    return m_key;
}

void CloudSetupStep::enter() {
    m_selected = m_services.requests.settings.provider();
    fillKey();
    setResult(std::nullopt);
    showProvider();
}

void CloudSetupStep::choose(ProviderKind kind) {
    m_selected = kind;
    m_services.requests.settings.setProvider(kind);
    fillKey();
    setResult(std::nullopt);
    showProvider();
}

void CloudSetupStep::fillKey() {
    const quint64 generation = ++m_keyGeneration;
    m_key->clear();
    m_services.requests.keys.readAPIKeyLater(apiKeyAccount(m_selected), this,
                                             [this, generation](const QString& key) {
                                                 // Typing (or another provider) since the read
                                                 // began wins over its answer.
                                                 if (generation == m_keyGeneration) {
                                                     m_key->setText(key);
                                                 }
                                             });
}

void CloudSetupStep::keyEdited(const QString& text) {
    ++m_keyGeneration;
    m_services.requests.keys.saveAPIKeyLater(text, apiKeyAccount(m_selected));
    setResult(std::nullopt);
}

void CloudSetupStep::runTest() {
    // The button stays enabled and focused while it spins: disabling it would hand the focus
    // to a pill, where the next Space switches the provider.
    if (m_connection->isRunning()) {
        return;
    }
    setResult(std::nullopt);
    m_spinner->start();
    m_connection->start();
}

void CloudSetupStep::setResult(std::optional<TestResult> result) {
    // A change while a test runs makes its answer stale.
    if (!result && m_connection->isRunning()) {
        m_connection->cancel();
    }
    if (m_spinner->isRunning()) {
        m_spinner->stop(icons::symbol(QStringLiteral("bolt"), Palette::current().cyan));
    }
    m_result = std::move(result);
    showResult();
    emit testResultChanged();
}

void CloudSetupStep::showProvider() {
    const QString name = rawValue(m_selected);
    for (const auto& [kind, pill] : m_pills) {
        pill->setChecked(kind == m_selected);
    }
    const QString location = m_services.requests.keys.locationDescription();
    const QString stored = location == QLatin1String("system keyring")
                               ? linuxText(tr("Stored in the macOS Keychain."))
                               : tr("Stored in %1.").arg(location);
    m_note->setText(stored + QLatin1Char(' ') + tr("Sent only to %1.").arg(name));
    const bool vowel = QStringLiteral("AEIOU").contains(name.front().toUpper());
    m_keyPage->setText((vowel ? tr("Get an %1 key") : tr("Get a %1 key")).arg(name));
    m_keyPage->setAccessibleName(m_keyPage->text());
}

void CloudSetupStep::showResult() {
    const Palette& palette = Palette::current();
    const bool shown = m_result.has_value();
    m_resultIcon->setVisible(shown);
    m_resultText->setVisible(shown);
    if (!shown) {
        m_resultText->clear();
        return;
    }
    m_resultText->setProperty("state", m_result->success ? "success" : "warning");
    m_resultText->setText(m_result->success ? tr("Connected") : m_result->message);
    m_resultText->setAccessibleName(m_resultText->text());
    m_resultIcon->setPixmap(
        m_result->success ? icons::symbol(QStringLiteral("checkmark"), palette.green).pixmap(16, 16)
                          : icons::symbol(QStringLiteral("exclamationmark.triangle"), palette.red)
                                .pixmap(16, 16));
    m_resultIcon->setAccessibleName(m_result->success ? tr("Success") : tr("Warning"));
    // The state property changed after the sheet was applied.
    m_resultText->style()->unpolish(m_resultText);
    m_resultText->style()->polish(m_resultText);
    accessible::announce(m_resultText);
}

void CloudSetupStep::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QWidget::changeEvent(event);
}

void CloudSetupStep::refreshIcons() {
    if (!m_spinner->isRunning()) {
        m_test->setIcon(icons::symbol(QStringLiteral("bolt"), Palette::current().cyan));
    }
    if (m_result) {
        showResult();
    }
}

}  // namespace ts
