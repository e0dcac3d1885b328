#include "app/TrayIcon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

#include "app/AppLogging.h"
#include "ui/theme/Icons.h"

namespace ts {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), menu_(std::make_unique<QMenu>()) {
    icon_.setIcon(icons::appIcon());
    icon_.setToolTip(QStringLiteral("Tessarine"));
    // Attached, because a tray host on D-Bus draws the menu itself and a Wayland session knows
    // no cursor position to pop one at. Qt shows it on a right click only, never on a left one.
    icon_.setContextMenu(menu_.get());
    connect(menu_.get(), &QMenu::aboutToShow, this, &TrayIcon::fillMenu);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    // On X11 Qt embeds the icon when a tray appears later; elsewhere only a tray there now counts.
    if (isAvailable() || QGuiApplication::platformName() == QLatin1String("xcb")) {
        icon_.show();
    }
}

TrayIcon::~TrayIcon() {
    icon_.setContextMenu(nullptr);
}

bool TrayIcon::isAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    // A second click soon after the first arrives as a double click; it toggles again.
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) {
        return;  // Qt has shown the menu for Context itself
    }
    // Ctrl+click is the one-button mouse's right click.
    if (QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier) &&
        QGuiApplication::platformName() == QLatin1String("xcb")) {
        menu_->popup(QCursor::pos());
        return;
    }
    emit toggleWindowRequested();
}

void TrayIcon::fillMenu() {
    if (!menu_->isEmpty()) {
        return;
    }
    qCInfo(lcApp, "status menu built");
    // The menu is also the keyboard's way to the window where the left click is out of reach.
    menu_->addAction(tr("Open Tessarine"), this, &TrayIcon::openRequested);
    menu_->addSeparator();
    menu_->addAction(tr("Check for Updates\u2026"), this, &TrayIcon::updatesRequested);
    menu_->addSeparator();
    QAction* settings = menu_->addAction(tr("Settings\u2026"), this, &TrayIcon::settingsRequested);
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    menu_->addSeparator();
    QAction* quit = menu_->addAction(tr("Quit Tessarine"), this, &TrayIcon::quitRequested);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

}  // namespace ts
