#include "ui/settings/ShortcutTab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "session/AppEvents.h"
#include "store/SettingsStore.h"
#include "ui/HotkeyDoorTexts.h"
#include "ui/ShortcutRecorder.h"
#include "ui/settings/SettingsWidgets.h"

namespace ts {

using namespace settings;

namespace {

const char* const kEnabledLine = QT_TRANSLATE_NOOP(
    "ts::ShortcutTab",
    "Replaces the selected text in the frontmost app with an improved version. Requires "
    "Accessibility permission.");
const char* const kDisabledLine = QT_TRANSLATE_NOOP(
    "ts::ShortcutTab",
    "Disabled. Enable to rewrite selected text in any app with a single shortcut.");

QString grabText(GrabState state) {
    switch (state) {
        case GrabState::heldElsewhere:
            return QCoreApplication::translate("ts::ShortcutTab", "In use by another program");
        case GrabState::unavailable:
            return QCoreApplication::translate("ts::ShortcutTab",
                                               "Global shortcuts are unavailable on this desktop");
        case GrabState::active:
        case GrabState::off:
            break;
    }
    return {};
}

QHBoxLayout* recorderRow(ShortcutRecorder* recorder, QLabel* grab) {
    auto* row = new QHBoxLayout;
    recorder->setMinimumSize(200, 52);
    recorder->setProperty("role", QStringLiteral("recorder"));
    row->addWidget(recorder);
    row->addWidget(grab, 1);
    return row;
}

}  // namespace

ShortcutTab::ShortcutTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("Shortcuts"), this));

    layout->addWidget(label(tr("OPEN TESSARINE"), "sectionLabel", this));
    window_ = new ShortcutRecorder(this);
    window_->setAccessibleName(tr("OPEN TESSARINE"));
    windowGrab_ = label(QString(), "grab", this);
    layout->addLayout(recorderRow(window_, windowGrab_));
    layout->addWidget(line(tr("Opens or toggles the Tessarine window from anywhere."), this));

    layout->addSpacing(8);
    layout->addWidget(label(tr("REWRITE IN PLACE"), "sectionLabel", this));
    inPlaceEnabled_ = toggle(tr("Rewrite in place"), this);
    layout->addWidget(inPlaceEnabled_);
    inPlace_ = new ShortcutRecorder(this);
    inPlace_->setAccessibleName(tr("REWRITE IN PLACE"));
    inPlaceGrab_ = label(QString(), "grab", this);
    layout->addLayout(recorderRow(inPlace_, inPlaceGrab_));
    inPlaceLine_ = line(QString(), this);
    layout->addWidget(inPlaceLine_);

    layout->addSpacing(8);
    door_ = line(QString(), this);
    layout->addWidget(door_);
    configLines_ = line(QString(), this);
    configLines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    configLines_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(configLines_);
    copyLines_ = button(tr("Copy"), this, QStringLiteral("doc.on.doc"));
    layout->addWidget(copyLines_, 0, Qt::AlignLeft);
    connect(copyLines_, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(configLines_->text() + QLatin1Char('\n'));
    });

    layout->addSpacing(8);
    QPushButton* reset = button(linuxText(tr("Reset to defaults (⌥⌘E · ⌃⌥⌘E)")), this);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addStretch(1);

    SettingsStore& settings = services_.settings;
    connect(window_, &ShortcutRecorder::shortcutChanged, this, [this](const Shortcut& shortcut) {
        services_.settings.setHotkeyKeyCode(static_cast<int>(shortcut.keyCode));
        services_.settings.setHotkeyModifiers(static_cast<int>(shortcut.modifiers));
        changed();
    });
    connect(inPlace_, &ShortcutRecorder::shortcutChanged, this, [this](const Shortcut& shortcut) {
        services_.settings.setInPlaceHotkeyKeyCode(static_cast<int>(shortcut.keyCode));
        services_.settings.setInPlaceHotkeyModifiers(static_cast<int>(shortcut.modifiers));
        changed();
    });
    connect(inPlaceEnabled_, &QCheckBox::toggled, this, [this, &settings](bool on) {
        settings.setInPlaceHotkeyEnabled(on);
        changed();
    });
    connect(reset, &QPushButton::clicked, this, &ShortcutTab::resetToDefaults);
    for (ShortcutRecorder* recorder : {window_, inPlace_}) {
        connect(recorder, &ShortcutRecorder::recordingChanged, &AppEvents::shared(),
                &AppEvents::hotkeyRecording);
    }
    reload();
}

void ShortcutTab::resetToDefaults() {
    services_.settings.resetHotkeys();
    changed();
}

void ShortcutTab::changed() {
    emit AppEvents::shared().hotkeyChanged();
    reload();
}

void ShortcutTab::reload() {
    const SettingsStore& settings = services_.settings;
    window_->setShortcut(Shortcut{static_cast<quint32>(settings.hotkeyKeyCode()),
                                  static_cast<quint32>(settings.hotkeyModifiers())});
    inPlace_->setShortcut(Shortcut{static_cast<quint32>(settings.inPlaceHotkeyKeyCode()),
                                   static_cast<quint32>(settings.inPlaceHotkeyModifiers())});
    const bool enabled = settings.inPlaceHotkeyEnabled();
    {
        const QSignalBlocker block(inPlaceEnabled_);
        inPlaceEnabled_->setChecked(enabled);
    }
    inPlace_->setEnabled(enabled);
    inPlaceLine_->setText(linuxText(tr(enabled ? kEnabledLine : kDisabledLine)));
    const auto showGrab = [this](QLabel* label, bool inPlace) {
        const QString text =
            services_.grabState ? grabText(services_.grabState(inPlace)) : QString();
        label->setText(text);
        label->setAccessibleName(text);
        setTone(label, text.isEmpty() ? QString() : QStringLiteral("error"));
    };
    showGrab(windowGrab_, false);
    showGrab(inPlaceGrab_, true);

    const HotkeyDoor door =
        services_.hotkeyDoor ? services_.hotkeyDoor() : HotkeyDoor{HotkeyMechanism::x11Grab};
    const QString doorText = hotkeyDoorText(door, detectSession().compositor);
    door_->setText(doorText);
    door_->setVisible(!doorText.isEmpty() && door.mechanism != HotkeyMechanism::none);
    configLines_->setText(door.configLines.join(QLatin1Char('\n')));
    configLines_->setVisible(!door.configLines.isEmpty());
    copyLines_->setVisible(!door.configLines.isEmpty());
}

}  // namespace ts
