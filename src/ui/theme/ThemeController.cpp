#include "ui/theme/ThemeController.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

#include "store/SettingsStore.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

namespace ts {

ThemeController::ThemeController(SettingsStore& settings, QObject* parent) : QObject(parent) {
    Palette::setAppearanceSource([&settings] { return settings.appearance(); });
    connect(&settings, &SettingsStore::appearanceChanged, this, &ThemeController::apply);
    qApp->installEventFilter(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, this,
            &ThemeController::apply);
#endif
    apply();
}

void ThemeController::apply() {
    const Palette& palette = Palette::current();
    const bool dark = &palette == &Palette::dark();
    if (m_applied && dark == m_lastDark) {
        return;
    }
    m_applied = true;
    m_lastDark = dark;
    qApp->setStyleSheet(windowStyleSheet(palette));
}

bool ThemeController::eventFilter(QObject* watched, QEvent* event) {
    // The desktop switched its colour scheme: "system" follows it.
    if (watched == qApp && (event->type() == QEvent::ApplicationPaletteChange ||
                            event->type() == QEvent::ThemeChange)) {
        apply();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ts
