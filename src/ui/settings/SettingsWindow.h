#pragma once

#include <QWidget>

#include "ui/settings/SettingsServices.h"

class QListWidget;
class QStackedWidget;

namespace ts {

class DefaultsTab;
class GeneralTab;
class PromptsTab;
class ProviderTab;
class ShortcutTab;
class StyleTab;

// The settings window: a sidebar of six tabs beside the selected tab's page. Every control
// writes its setting at once; a change made elsewhere (tessarine-cli config set) shows here.
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    enum class Tab { provider, defaults, style, prompts, shortcut, general };
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 520;
    static constexpr const char* kFrameName = "io.tessarine.settingsWindow";

    explicit SettingsWindow(const SettingsServices& services, QWidget* parent = nullptr);

    // Label and symbol name of a tab, in sidebar order.
    static QString label(Tab tab);
    static QString symbol(Tab tab);

    void select(Tab tab);
    // The provider tab with the focus in the chosen provider's key field (where it has one).
    void showKeyField();
    Tab selection() const;

    ProviderTab& providerTab() { return *provider_; }
    DefaultsTab& defaultsTab() { return *defaults_; }
    StyleTab& styleTab() { return *style_; }
    PromptsTab& promptsTab() { return *prompts_; }
    ShortcutTab& shortcutTab() { return *shortcut_; }
    GeneralTab& generalTab() { return *general_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void reloadAll();
    void tintSidebar();

    SettingsServices services_;
    QListWidget* sidebar_;
    QStackedWidget* pages_;
    ProviderTab* provider_;
    DefaultsTab* defaults_;
    StyleTab* style_;
    PromptsTab* prompts_;
    ShortcutTab* shortcut_;
    GeneralTab* general_;
};

}  // namespace ts
