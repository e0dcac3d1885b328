#include "ui/settings/ProviderTab.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/Compositions.h"
#include "core/LLMProvider.h"
#include "desktop/PlatformTexts.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/KeyStore.h"
#include "store/SettingsStore.h"
#include "ui/AccessibleRoles.h"
#include "ui/EnumTexts.h"
#include "ui/settings/SettingsWidgets.h"
#include "ui/theme/Icons.h"

namespace ts {

using namespace settings;

// One model-list request or connection test: the client and its call live as long as it runs.
class ProviderTab::Request final : public QObject {
public:
    Request(std::unique_ptr<LLMProvider> provider, QObject* parent)
        : QObject(parent), provider_(std::move(provider)) {}
    const LLMProvider& provider() const { return *provider_; }
    void hold(std::unique_ptr<ProviderCall> call) { call_ = std::move(call); }
    ProviderCall& call() { return *call_; }

private:
    std::unique_ptr<LLMProvider> provider_;
    std::unique_ptr<ProviderCall> call_;
};

namespace {

const QString kTestText = QStringLiteral("Hi, hope you're well.");

QString publicUrlName(ProviderKind kind) {
    return QCoreApplication::translate("ts::ProviderTab", "%1 base URL").arg(rawValue(kind));
}

}  // namespace

ProviderTab::ProviderTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("Provider"), this));
    layout->addWidget(buildCards());
    layout->addWidget(buildKeyRows());
    layout->addWidget(buildUrlRows());
    layout->addWidget(buildModelRow());

    auto* testRow = new QHBoxLayout;
    testButton_ = button(tr("Test Connection"), this);
    connect(testButton_, &QPushButton::clicked, this, &ProviderTab::testConnection);
    testLine_ = label(QString(), "outcome", this);
    accessible::setRole(testLine_, QAccessible::AlertMessage);
    testLine_->hide();
    testRow->addWidget(testButton_);
    testRow->addWidget(testLine_, 1);
    testRow->addStretch(0);
    layout->addLayout(testRow);
    layout->addStretch(1);

    keyDebounce_.setSingleShot(true);
    keyDebounce_.setTimerType(Qt::PreciseTimer);
    keyDebounce_.setInterval(kKeyDebounceMs);
    connect(&keyDebounce_, &QTimer::timeout, this, &ProviderTab::refreshModels);
    reload();
}

ProviderTab::~ProviderTab() = default;

QWidget* ProviderTab::buildCards() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    cards_ = new QButtonGroup(this);
    for (ProviderKind kind : EnumCases<ProviderKind>::all) {
        auto* card = new QFrame(box);
        card->setProperty("role", QStringLiteral("card"));
        auto* row = new QHBoxLayout(card);
        row->setContentsMargins(10, 6, 10, 6);
        auto* radio = new QRadioButton(displayName(kind), card);
        radio->setAccessibleName(displayName(kind));
        radio->setProperty("role", QStringLiteral("cardName"));
        cards_->addButton(radio, static_cast<int>(kind));
        QLabel* model = label(QString(), "mono", card);
        model->setWordWrap(false);
        model->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        row->addWidget(radio);
        row->addStretch(1);
        row->addWidget(model);
        cardModels_ << model;
        column->addWidget(card);
    }
    connect(cards_, &QButtonGroup::idClicked, this,
            [this](int id) { selectProvider(static_cast<ProviderKind>(id)); });
    return box;
}

QWidget* ProviderTab::buildKeyRows() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);

    keyRow_ = new QWidget(box);
    auto* keyColumn = new QVBoxLayout(keyRow_);
    keyColumn->setContentsMargins(0, 0, 0, 0);
    keyField_ = field(tr("API key"), keyRow_);
    keyField_->setEchoMode(QLineEdit::Password);
    connect(keyField_, &QLineEdit::textEdited, this, &ProviderTab::onKeyEdited);
    keyColumn->addLayout(labelled(tr("API key"), keyField_, keyRow_));
    const QString where = services_.keys.locationDescription();
    // The keyring's name comes from the store in English: its sentence is translated whole.
    const QString keyLocation =
        where.startsWith(QLatin1Char('/'))         ? tr("Keys are kept in %1.").arg(where)
        : where == QLatin1String("system keyring") ? tr("Keys are kept in the system keyring.")
                                                   : tr("Keys are kept in the %1.").arg(where);
    keyLocation_ = label(keyLocation, "hint", keyRow_);
    keyColumn->addWidget(keyLocation_);
    column->addWidget(keyRow_);

    localRow_ = new QFrame(box);
    localRow_->setProperty("role", QStringLiteral("card"));
    auto* localLayout = new QHBoxLayout(localRow_);
    auto* shield = new QLabel(localRow_);
    setSymbol(shield, QStringLiteral("lock.shield"), 24);
    auto* localText = new QVBoxLayout;
    localText->addWidget(label(tr("Runs locally. No key needed."), "strong", localRow_));
    localText->addWidget(line(linuxText(tr("Your text never leaves this Mac.")), localRow_));
    localLayout->addWidget(shield, 0, Qt::AlignTop);
    localLayout->addLayout(localText, 1);
    column->addWidget(localRow_);
    return box;
}

QWidget* ProviderTab::buildUrlRows() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);

    customRow_ = new QWidget(box);
    customUrl_ = field(tr("Base URL"), customRow_);
    customUrl_->setPlaceholderText(QStringLiteral("https://api.example.com/v1"));
    connect(customUrl_, &QLineEdit::textEdited, &services_.settings,
            &SettingsStore::setCustomBaseURL);
    auto* customLayout = labelled(tr("Base URL"), customUrl_, customRow_);
    customLayout->setContentsMargins(0, 0, 0, 0);
    customRow_->setLayout(customLayout);
    column->addWidget(customRow_);

    ollamaRow_ = new QWidget(box);
    ollamaUrl_ = field(tr("Ollama URL"), ollamaRow_);
    ollamaUrl_->setPlaceholderText(defaultBaseURL(ProviderKind::ollama));
    connect(ollamaUrl_, &QLineEdit::textEdited, &services_.settings,
            &SettingsStore::setOllamaBaseURL);
    auto* ollamaLayout = labelled(tr("Ollama URL"), ollamaUrl_, ollamaRow_);
    ollamaLayout->setContentsMargins(0, 0, 0, 0);
    ollamaRow_->setLayout(ollamaLayout);
    column->addWidget(ollamaRow_);

    // Company gateways for the three public services; empty is the public API.
    advanced_ = new QToolButton(box);
    advanced_->setText(tr("Advanced"));
    advanced_->setAccessibleName(tr("Advanced"));
    advanced_->setProperty("role", QStringLiteral("disclosure"));
    advanced_->setCheckable(true);
    advanced_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setSymbol(advanced_, QStringLiteral("chevron.right"));
    advanced_->setFocusPolicy(Qt::StrongFocus);
    column->addWidget(advanced_, 0, Qt::AlignLeft);
    advancedRow_ = new QWidget(box);
    auto* advancedColumn = new QVBoxLayout(advancedRow_);
    advancedColumn->setContentsMargins(0, 0, 0, 0);
    publicUrl_ = field(QString(), advancedRow_);
    advancedLabel_ = label(QString(), "fieldLabel", advancedRow_);
    advancedColumn->addWidget(advancedLabel_);
    advancedColumn->addWidget(publicUrl_);
    advancedColumn->addWidget(
        label(tr("Leave empty to use the public API."), "hint", advancedRow_));
    column->addWidget(advancedRow_);
    connect(advanced_, &QToolButton::toggled, this, [this](bool open) {
        setSymbol(advanced_,
                  open ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"));
        updateVisibility();
    });
    connect(publicUrl_, &QLineEdit::textEdited, this, [this](const QString& text) {
        switch (services_.settings.provider()) {
            case ProviderKind::openai:
                services_.settings.setOpenaiBaseURL(text);
                break;
            case ProviderKind::anthropic:
                services_.settings.setAnthropicBaseURL(text);
                break;
            case ProviderKind::gemini:
                services_.settings.setGeminiBaseURL(text);
                break;
            default:
                break;
        }
    });
    return box;
}

QWidget* ProviderTab::buildModelRow() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    modelField_ = field(tr("Model"), box);
    // The selected card shows the model being typed.
    connect(modelField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        services_.settings.setModel(text);
        reload();
    });
    modelMenu_ = new QMenu(box);
    modelMenuButton_ =
        iconButton(QStringLiteral("chevron.up.chevron.down"), tr("Fetched models"), box);
    modelMenuButton_->setMenu(modelMenu_);
    modelMenuButton_->setPopupMode(QToolButton::InstantPopup);
    // The model may have been typed since the list came: the check mark follows it.
    connect(modelMenu_, &QMenu::aboutToShow, this, &ProviderTab::showModelsState);
    QToolButton* refresh =
        iconButton(QStringLiteral("arrow.clockwise"), tr("Refresh model list"), box);
    connect(refresh, &QToolButton::clicked, this, &ProviderTab::refreshModels);
    QLabel* caption = label(tr("Model"), "fieldLabel", box);
    caption->setBuddy(modelField_);
    column->addWidget(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(modelField_, 1);
    row->addWidget(modelMenuButton_);
    row->addWidget(refresh);
    column->addLayout(row);
    modelsLine_ = label(QString(), "hint", box);
    modelsLine_->hide();
    column->addWidget(modelsLine_);
    return box;
}

void ProviderTab::reload() {
    SettingsStore& settings = services_.settings;
    const ProviderKind kind = settings.provider();
    const QString model = settings.model();
    if (QAbstractButton* selected = cards_->button(static_cast<int>(kind))) {
        selected->setChecked(true);
    }
    for (ProviderKind each : EnumCases<ProviderKind>::all) {
        const bool current = each == kind;
        cardModels_[static_cast<int>(each)]->setText(
            current && !model.isEmpty() ? model : defaultModel(each));
        cardModels_[static_cast<int>(each)]->parentWidget()->setProperty("selected", current);
    }
    const auto setIfChanged = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text) {
            edit->setText(text);
        }
    };
    setIfChanged(modelField_, model);
    modelField_->setPlaceholderText(defaultModel(kind));
    setIfChanged(customUrl_, settings.customBaseURL());
    setIfChanged(ollamaUrl_, settings.ollamaBaseURL());
    QString gateway;
    if (kind == ProviderKind::openai) {
        gateway = settings.openaiBaseURL();
    } else if (kind == ProviderKind::anthropic) {
        gateway = settings.anthropicBaseURL();
    } else if (kind == ProviderKind::gemini) {
        gateway = settings.geminiBaseURL();
    }
    setIfChanged(publicUrl_, gateway);
    publicUrl_->setAccessibleName(publicUrlName(kind));
    publicUrl_->setPlaceholderText(defaultBaseURL(kind));
    advancedLabel_->setText(publicUrlName(kind));
    updateVisibility();
    // The card frames restyle on their "selected" property.
    for (QLabel* modelLabel : cardModels_) {
        QWidget* card = modelLabel->parentWidget();
        card->style()->unpolish(card);
        card->style()->polish(card);
    }
}

void ProviderTab::updateVisibility() {
    const ProviderKind kind = services_.settings.provider();
    const bool gatewayKind = kind == ProviderKind::openai || kind == ProviderKind::anthropic ||
                             kind == ProviderKind::gemini;
    keyRow_->setVisible(kind != ProviderKind::ollama);
    localRow_->setVisible(kind == ProviderKind::ollama);
    customRow_->setVisible(kind == ProviderKind::custom);
    ollamaRow_->setVisible(kind == ProviderKind::ollama);
    advanced_->setVisible(gatewayKind);
    advancedRow_->setVisible(gatewayKind && advanced_->isChecked());
}

void ProviderTab::selectProvider(ProviderKind kind) {
    // The last test's outcome was about the other provider.
    showOutcome(testLine_, QString());
    services_.settings.setProvider(kind);
    keyDebounce_.stop();
    fetched_.clear();
    modelsError_.clear();
    reload();
    loadKeyThenRefresh();
}

void ProviderTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
    loadKeyThenRefresh();
}

void ProviderTab::loadKeyThenRefresh() {
    const ProviderKind kind = services_.settings.provider();
    const int generation = ++keyGeneration_;
    if (!requiresAPIKey(kind)) {
        keyField_->clear();
        refreshModels();
        return;
    }
    services_.keys.readAPIKeyLater(apiKeyAccount(kind), this,
                                   [this, generation](const QString& key) {
                                       // A newer switch or an edit made meanwhile wins.
                                       if (generation != keyGeneration_) {
                                           return;
                                       }
                                       keyField_->setText(key);
                                       refreshModels();
                                   });
}

void ProviderTab::onKeyEdited(const QString& text) {
    ++keyGeneration_;
    services_.keys.saveAPIKeyLater(text, apiKeyAccount(services_.settings.provider()));
    keyDebounce_.start();
}

std::unique_ptr<LLMProvider> ProviderTab::buildProvider() const {
    ProviderConfig config = readSetup(services_.settings).config;
    config.apiKey = keyField_->text();
    return services_.buildProvider ? services_.buildProvider(config) : makeProvider(config);
}

void ProviderTab::refreshModels() {
    const ProviderKind kind = services_.settings.provider();
    if (requiresAPIKey(kind) && keyField_->text().isEmpty()) {
        fetched_.clear();
        modelsError_.clear();
        showModelsState();
        return;
    }
    ++pendingLists_;
    modelsError_.clear();
    auto* request = new Request(buildProvider(), this);
    request->hold(request->provider().listModels());
    connect(&request->call(), &ProviderCall::modelsListed, this,
            [this, request](const QStringList& models) {
                --pendingLists_;
                fetched_ = models;
                const QString current = services_.settings.model();
                if (!models.isEmpty() && !models.contains(current)) {
                    services_.settings.setModel(models.first());
                    reload();
                }
                showModelsState();
                request->deleteLater();
            });
    connect(&request->call(), &ProviderCall::failed, this,
            [this, request](const RequestError& error) {
                --pendingLists_;
                fetched_.clear();
                modelsError_ = error.description();
                showModelsState();
                request->deleteLater();
            });
    showModelsState();
}

void ProviderTab::showModelsState() {
    modelMenu_->clear();
    const QString current = services_.settings.model().isEmpty()
                                ? defaultModel(services_.settings.provider())
                                : services_.settings.model();
    for (const QString& model : fetched_) {
        QAction* action = modelMenu_->addAction(model, this, [this, model] {
            services_.settings.setModel(model);
            reload();
        });
        action->setCheckable(true);
        action->setChecked(model == current);
    }
    modelMenuButton_->setEnabled(!fetched_.isEmpty());
    QString text;
    if (pendingLists_ > 0) {
        text = tr("Loading models\u2026");
    } else if (!modelsError_.isEmpty()) {
        text = modelsError_;
    }
    modelsLine_->setText(text);
    modelsLine_->setVisible(!text.isEmpty());
    setTone(modelsLine_, modelsError_.isEmpty() ? QString() : QStringLiteral("error"));
}

void ProviderTab::testConnection() {
    // The button stays enabled while a test runs so that the focus stays on it.
    if (test_) {
        return;
    }
    const ProviderKind kind = services_.settings.provider();
    showOutcome(testLine_, QString());
    if (requiresAPIKey(kind) && keyField_->text().isEmpty()) {
        // The banner's "Open Settings" would point at this very window.
        showOutcome(testLine_, tr("Error: API key is missing. Add the key above."));
        testLine_->setAccessibleName(testLine_->text());
        accessible::announce(testLine_);
        return;
    }
    const QString model =
        services_.settings.model().isEmpty() ? defaultModel(kind) : services_.settings.model();
    const ComposedRequest composed =
        composeReview(Mode::rewrite, kTestText, Tone::concise, AppContext::email, QString());
    test_ = new Request(buildProvider(), this);
    test_->hold(test_->provider().complete(composed.systemPrompt, composed.userMessage, model));
    const auto finish = [this](const QString& outcome) {
        showOutcome(testLine_, outcome);
        testLine_->setAccessibleName(outcome);
        accessible::announce(testLine_);
        test_->deleteLater();
        test_ = nullptr;
    };
    connect(&test_->call(), &ProviderCall::completed, this, [finish] { finish(tr("Connected.")); });
    connect(&test_->call(), &ProviderCall::failed, this, [finish](const RequestError& error) {
        finish(tr("Error: %1").arg(error.description()));
    });
}

void ProviderTab::focusKeyField() {
    if (keyField_->isVisibleTo(this)) {
        keyField_->setFocus(Qt::OtherFocusReason);
    }
}

QString ProviderTab::testResult() const {
    return testLine_->isVisibleTo(this) ? testLine_->text() : QString();
}

}  // namespace ts
