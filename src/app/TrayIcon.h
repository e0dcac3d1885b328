#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

class QMenu;

namespace ts {

// The icon in the desktop's tray: a left click toggles the main window, a right click (or a
// Ctrl+click) shows the status menu. The menu is attached empty and filled when first shown.
class TrayIcon final : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether a tray host was there when asked; Qt still shows the icon if one appears later.
    static bool isAvailable();

signals:
    void toggleWindowRequested();
    // The menu's "Open Tessarine": the window for new input, never closing it.
    void openRequested();
    void updatesRequested();
    void settingsRequested();
    void quitRequested();

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void fillMenu();

    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon icon_;
};

}  // namespace ts
