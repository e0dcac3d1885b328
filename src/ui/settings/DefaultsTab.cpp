#include "ui/settings/DefaultsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "store/KeepModelLoaded.h"
#include "store/SettingsStore.h"
#include "ui/EnumTexts.h"
#include "ui/settings/ApplicationDefaultsView.h"
#include "ui/settings/SettingsWidgets.h"

namespace ts {

using namespace settings;

namespace {

template <typename E>
QComboBox* picker(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setAccessibleName(name);
    for (E value : EnumCases<E>::all) {
        box->addItem(displayName(value), rawValue(value));
    }
    return box;
}

// The store's label(), in the user's language.
QString keepLoadedText(KeepModelLoaded value) {
    switch (value) {
        case KeepModelLoaded::fiveMinutes:
            return QCoreApplication::translate("ts::DefaultsTab", "5 minutes");
        case KeepModelLoaded::thirtyMinutes:
            return QCoreApplication::translate("ts::DefaultsTab", "30 minutes");
        case KeepModelLoaded::oneHour:
            return QCoreApplication::translate("ts::DefaultsTab", "1 hour");
        case KeepModelLoaded::whileRunning:
            return QCoreApplication::translate("ts::DefaultsTab", "While Tessarine runs");
    }
    return label(value);
}

}  // namespace

DefaultsTab::DefaultsTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("Defaults"), this));
    autoPaste_ = toggle(tr("Auto-paste from clipboard"), this);
    layout->addWidget(autoPaste_);
    layout->addWidget(line(tr("When the window opens on an empty input, the input is "
                              "filled from the clipboard."),
                           this));
    tone_ = picker<Tone>(tr("Default tone"), this);
    layout->addLayout(labelled(tr("Default tone"), tone_, this));
    context_ = picker<AppContext>(tr("Default context"), this);
    layout->addLayout(labelled(tr("Default context"), context_, this));
    layout->addWidget(line(tr("A new review starts with this tone and context."), this));
    keepLoaded_ = new QComboBox(this);
    keepLoaded_->setAccessibleName(tr("Keep the local model loaded"));
    for (KeepModelLoaded value : keepModelLoadedChoices()) {
        keepLoaded_->addItem(keepLoadedText(value), rawValue(value));
    }
    layout->addLayout(labelled(tr("Keep the local model loaded"), keepLoaded_, this));
    layout->addWidget(line(tr("With Ollama, Tessarine asks the server to load the model "
                              "as you start a rewrite or open the window."),
                           this));
    byApplication_ =
        new ApplicationDefaultsView(services_.settings, services_.lastApplication, this);
    layout->addWidget(byApplication_);
    layout->addStretch(1);

    SettingsStore& settings = services_.settings;
    connect(autoPaste_, &QCheckBox::toggled, &settings, &SettingsStore::setAutoPaste);
    connect(tone_, &QComboBox::activated, &settings,
            [this, &settings] { settings.setDefaultToneRaw(tone_->currentData().toString()); });
    connect(context_, &QComboBox::activated, &settings, [this, &settings] {
        settings.setDefaultContextRaw(context_->currentData().toString());
    });
    connect(keepLoaded_, &QComboBox::activated, this, [this](int index) {
        services_.settings.setKeepModelLoaded(keepLoaded_->itemData(index).toString());
    });
    reload();
}

void DefaultsTab::reload() {
    const SettingsStore& settings = services_.settings;
    const QSignalBlocker blockPaste(autoPaste_);
    autoPaste_->setChecked(settings.autoPaste());
    tone_->setCurrentIndex(tone_->findData(rawValue(settings.defaultTone())));
    context_->setCurrentIndex(context_->findData(rawValue(settings.defaultContext())));
    keepLoaded_->setCurrentIndex(
        keepLoaded_->findData(rawValue(keepModelLoadedFromRaw(settings.keepModelLoaded())
                                           .value_or(KeepModelLoaded::fiveMinutes))));
    byApplication_->reload();
}

}  // namespace ts
