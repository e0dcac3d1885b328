#pragma once

#include <QTimer>
#include <QWidget>

#include "desktop/LoginItem.h"
#include "ui/settings/SettingsServices.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ts {

// Version, desktop control, the floating button, launch at login, appearance and the
// first-run replay. While shown it re-reads desktop control and the autostart entry every 2 s.
class GeneralTab final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPollMs = 2000;

    explicit GeneralTab(const SettingsServices& services, QWidget* parent = nullptr);
    void reload();
    void setLaunchAtLogin(bool enabled);
    // The 2 s poll, by hand.
    void poll();
    QString launchAtLoginMessage() const;
    const LoginItem& loginItem() const { return login_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showControlState();
    void showLoginMessage(const QString& text);

    SettingsServices services_;
    LoginItem login_;
    QTimer poll_;
    bool controlGranted_ = false;
    QLabel* controlStatus_;
    QLabel* controlDetail_;  // how this session provides it, or what is missing
    QPushButton* grant_;
    QCheckBox* floating_;
    QCheckBox* launch_;
    QLabel* launchMessage_;
    QComboBox* appearance_;
};

}  // namespace ts
