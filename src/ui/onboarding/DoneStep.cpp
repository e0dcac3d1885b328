#include "ui/onboarding/DoneStep.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/PlatformTexts.h"
#include "desktop/hotkeys/Shortcut.h"
#include "store/SettingsStore.h"
#include "ui/HotkeyDoorTexts.h"
#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

DoneStep::DoneStep(SettingsStore& settings, std::function<HotkeyDoor()> hotkeyDoor, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_hotkeyDoor(std::move(hotkeyDoor)),
      m_door(roleLabel(QString(), "note", this)),
      m_configLines(roleLabel(QString(), "note", this)),
      m_windowKeys(roleLabel(QString(), "keycap", this)),
      m_inPlaceKeys(roleLabel(QString(), "keycap", this)),
      m_needsControl(roleLabel(linuxText(tr("(needs Accessibility)")), "note", this)),
      m_start(roleButton(tr("Start using Tessarine"), "primary", this)) {
    for (QLabel* keys : {m_windowKeys, m_inPlaceKeys}) {
        keys->setWordWrap(false);
    }
    m_needsControl->setWordWrap(false);
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    rows->setVerticalSpacing(10);
    const auto rowLabel = [this](const char* text) {
        QLabel* label = roleLabel(tr(text), "body", this);
        label->setWordWrap(false);
        return label;
    };
    rows->addWidget(rowLabel(QT_TR_NOOP("Open Tessarine from anywhere")), 0, 0);
    rows->addWidget(m_windowKeys, 0, 1, Qt::AlignLeft);
    rows->addWidget(rowLabel(QT_TR_NOOP("Rewrite the selection in place")), 1, 0);
    auto* inPlace = new QHBoxLayout;
    inPlace->setSpacing(8);
    inPlace->addWidget(m_inPlaceKeys);
    inPlace->addWidget(m_needsControl);
    inPlace->addStretch(1);
    rows->addLayout(inPlace, 1, 1);
    rows->setColumnStretch(1, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addWidget(roleLabel(tr("You're set"), "heading", this));
    column->addWidget(roleLabel(tr("Here's how to use Tessarine."), "subtitle", this));
    column->addSpacing(8);
    column->addLayout(rows);
    column->addWidget(m_door);
    m_configLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_configLines->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    column->addWidget(m_configLines);
    column->addSpacing(4);
    column->addWidget(roleLabel(
        linuxText(QStringLiteral(
            "Or right-click selected text \u2192 Services \u2192 Rewrite with Tessarine")),
        "note", this));
    column->addSpacing(12);
    column->addWidget(m_start, 0, Qt::AlignLeft);
    column->addStretch(1);

    connect(m_start, &QPushButton::clicked, this, &DoneStep::finishRequested);
    m_start->setIcon(icons::symbol(QStringLiteral("sparkle"), Palette::current().ctaText));
}

void DoneStep::refresh(bool desktopControlGranted) {
    m_windowKeys->setText(
        linuxDisplayString(Shortcut{static_cast<quint32>(m_settings.hotkeyKeyCode()),
                                    static_cast<quint32>(m_settings.hotkeyModifiers())}));
    m_inPlaceKeys->setText(
        linuxDisplayString(Shortcut{static_cast<quint32>(m_settings.inPlaceHotkeyKeyCode()),
                                    static_cast<quint32>(m_settings.inPlaceHotkeyModifiers())}));
    m_needsControl->setVisible(!desktopControlGranted);
    const HotkeyDoor door = m_hotkeyDoor ? m_hotkeyDoor() : HotkeyDoor{HotkeyMechanism::x11Grab};
    const QString doorText = hotkeyDoorText(door, detectSession().compositor);
    m_door->setText(doorText);
    m_door->setVisible(!doorText.isEmpty());
    m_configLines->setText(door.configLines.join(QLatin1Char('\n')));
    m_configLines->setVisible(!door.configLines.isEmpty());
}

QWidget* DoneStep::firstFocus() const {
    return m_start;
}

void DoneStep::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        m_start->setIcon(icons::symbol(QStringLiteral("sparkle"), Palette::current().ctaText));
    }
    QWidget::changeEvent(event);
}

}  // namespace ts
