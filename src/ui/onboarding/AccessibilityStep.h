#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace ts {

struct OnboardingServices;

// Desktop control, the Linux counterpart of the Accessibility permission: what it allows, how
// this session provides it, or what to do while it is missing. Checked every half second while the
// step is shown.
class AccessibilityStep final : public QWidget {
    Q_OBJECT
public:
    AccessibilityStep(const OnboardingServices& services, QWidget* parent = nullptr);

    bool granted() const { return m_granted; }

signals:
    void grantedChanged(bool granted);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void check();
    void showGranted();
    void refreshIcons();

    const OnboardingServices& m_services;
    bool m_granted = false;
    QTimer m_poll;
    QLabel* m_grantedIcon;
    QLabel* m_grantedText;
    QLabel* m_hint;
    QPushButton* m_grant;
};

}  // namespace ts
