#pragma once

#include <QWidget>

#include "ui/settings/SettingsServices.h"

class QCheckBox;
class QComboBox;

namespace ts {

class ApplicationDefaultsView;

// Auto-paste, and the tone and context a fresh review starts with.
class DefaultsTab final : public QWidget {
    Q_OBJECT
public:
    explicit DefaultsTab(const SettingsServices& services, QWidget* parent = nullptr);
    void reload();

private:
    SettingsServices services_;
    QCheckBox* autoPaste_;
    QComboBox* tone_;
    QComboBox* context_;
    QComboBox* keepLoaded_;
    ApplicationDefaultsView* byApplication_;
};

}  // namespace ts
