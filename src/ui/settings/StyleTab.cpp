#include "ui/settings/StyleTab.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/LLMProvider.h"
#include "providers/ProviderFactory.h"
#include "session/RequestSetup.h"
#include "store/SettingsStore.h"
#include "store/StyleAnalyzer.h"
#include "ui/settings/SettingsWidgets.h"
#include "ui/theme/Icons.h"

namespace ts {

using namespace settings;

namespace {

const QString kRefreshSymbol = QStringLiteral("arrow.clockwise");

}  // namespace

StyleTab::StyleTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("Style"), this));
    layout->addWidget(
        line(tr("Tessarine learns your voice from two sources: samples of your own writing "
                "(pasted below) and reviews you thumb up. Refresh the profile to rebuild "
                "it."),
             this));

    notice_ = new QFrame(this);
    notice_->setProperty("role", QStringLiteral("notice"));
    auto* noticeRow = new QHBoxLayout(notice_);
    auto* sparkles = new QLabel(notice_);
    setSymbol(sparkles, QStringLiteral("sparkles"), 20);
    auto* noticeText = new QVBoxLayout;
    noticeTitle_ = label(QString(), "strong", notice_);
    noticeText->addWidget(noticeTitle_);
    noticeText->addWidget(line(StyleAnalyzer::rebuildNoticeText(), notice_));
    noticeRefresh_ = button(tr("Refresh now"), notice_, kRefreshSymbol);
    noticeRow->addWidget(sparkles, 0, Qt::AlignTop);
    noticeRow->addLayout(noticeText, 1);
    noticeRow->addWidget(noticeRefresh_, 0, Qt::AlignVCenter);
    layout->addWidget(notice_);

    enabled_ = toggle(tr("Apply my style profile to every review"), this);
    layout->addWidget(enabled_);

    auto* samplesHeader = new QHBoxLayout;
    samplesHeader->addWidget(label(tr("Your writing samples"), "fieldLabel", this));
    samplesHeader->addStretch(1);
    samplesCount_ = label(QString(), "hint", this);
    samplesHeader->addWidget(samplesCount_);
    layout->addLayout(samplesHeader);
    samples_ = new QPlainTextEdit(this);
    samples_->setProperty("role", QStringLiteral("field"));
    samples_->setAccessibleName(tr("Your writing samples"));
    samples_->setTabChangesFocus(true);
    samples_->setMinimumHeight(120);
    layout->addWidget(samples_);
    layout->addWidget(
        label(tr("Paste 3–5 of your own emails or messages here, separating each with a "
                 "blank line. The analyzer uses these as seed examples of your authentic "
                 "voice."),
              "hint", this));

    auto* profileHeader = new QHBoxLayout;
    profileHeader->addWidget(label(tr("Profile"), "fieldLabel", this));
    profileHeader->addStretch(1);
    inputsCount_ = label(QString(), "hint", this);
    profileHeader->addWidget(inputsCount_);
    layout->addLayout(profileHeader);
    profile_ = label(QString(), "profile", this);
    profile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(profile_);

    auto* actions = new QHBoxLayout;
    refresh_ = button(QString(), this, kRefreshSymbol);
    clear_ = button(tr("Clear profile"), this);
    actions->addWidget(refresh_);
    actions->addWidget(clear_);
    actions->addStretch(1);
    layout->addLayout(actions);
    error_ = label(QString(), "outcome", this);
    setTone(error_, QStringLiteral("error"));
    layout->addWidget(error_);
    layout->addStretch(1);

    SettingsStore& settings = services_.settings;
    StyleAnalyzer& style = services_.style;
    connect(enabled_, &QCheckBox::toggled, &settings, &SettingsStore::setStyleProfileEnabled);
    connect(samples_, &QPlainTextEdit::textChanged, this, [this] {
        services_.settings.setStyleSamples(samples_->toPlainText());
        showCounts();
    });
    connect(refresh_, &QPushButton::clicked, this, &StyleTab::refreshProfile);
    connect(noticeRefresh_, &QPushButton::clicked, this, &StyleTab::refreshProfile);
    connect(clear_, &QPushButton::clicked, &style, &StyleAnalyzer::clearProfile);
    connect(&style, &StyleAnalyzer::refreshingChanged, this, &StyleTab::showCounts);
    connect(&style, &StyleAnalyzer::errorMessageChanged, this, &StyleTab::showCounts);
    connect(&style, &StyleAnalyzer::profileChanged, this, &StyleTab::showCounts);
    reload();
}

StyleTab::~StyleTab() = default;

void StyleTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Thumbs given in the main window meanwhile change the counts.
    reload();
}

void StyleTab::reload() {
    const SettingsStore& settings = services_.settings;
    {
        const QSignalBlocker block(enabled_);
        enabled_->setChecked(settings.styleProfileEnabled());
    }
    if (samples_->toPlainText() != settings.styleSamples()) {
        const QSignalBlocker block(samples_);
        samples_->setPlainText(settings.styleSamples());
    }
    showCounts();
}

void StyleTab::showCounts() {
    const StyleAnalyzer& style = services_.style;
    const int samples = style.usableSampleCount();
    const int thumbs = style.thumbedUpCount();
    const bool refreshing = style.isRefreshing();
    samplesCount_->setText(StyleAnalyzer::samplesLabel(samples));
    inputsCount_->setText(StyleAnalyzer::inputsLabel(samples + thumbs));
    const QString profile = services_.settings.styleProfile();
    profile_->setText(profile.isEmpty() ? tr("No profile yet. Add samples above and/or "
                                             "thumb up reviews, then click Refresh.")
                                        : profile);
    profile_->setProperty("empty", profile.isEmpty());
    const QString label = StyleAnalyzer::refreshButtonLabel(samples, thumbs, refreshing);
    refresh_->setText(label);
    refresh_->setAccessibleName(label);
    // Enabled while it runs (refreshProfile ignores it then), so the focus stays on it.
    refresh_->setEnabled(style.canRefresh() || refreshing);
    clear_->setVisible(!profile.isEmpty());
    const QString noticeTitle = style.rebuildNoticeTitle();
    notice_->setVisible(!noticeTitle.isEmpty());
    noticeTitle_->setText(noticeTitle);
    const QString noticeLabel = refreshing ? tr("Analyzing\u2026") : tr("Refresh now");
    noticeRefresh_->setText(noticeLabel);
    noticeRefresh_->setAccessibleName(noticeLabel);
    error_->setText(style.errorMessage());
    error_->setVisible(!style.errorMessage().isEmpty());
}

void StyleTab::refreshProfile() {
    StyleAnalyzer& style = services_.style;
    if (style.isRefreshing()) {
        return;
    }
    const ProviderConfig config = currentProviderConfig(services_.settings, services_.keys);
    // The client outlives the refresh: it is replaced only when no refresh runs.
    provider_ = services_.buildProvider ? services_.buildProvider(config) : makeProvider(config);
    style.refresh(*provider_, StyleAnalyzer::chosenModel(services_.settings));
    showCounts();
}

}  // namespace ts
