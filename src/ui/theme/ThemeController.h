#pragma once

#include <QObject>

namespace ts {

class SettingsStore;

// Applies the one style sheet for the current colour scheme to the application, and again
// whenever the appearance setting or the desktop's scheme changes, so open windows repaint.
class ThemeController final : public QObject {
    Q_OBJECT
public:
    explicit ThemeController(SettingsStore& settings, QObject* parent = nullptr);

    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_lastDark = false;
    bool m_applied = false;
};

}  // namespace ts
