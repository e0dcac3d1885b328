#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>

#include "WidgetLookup.h"
#include "store/HistoryStore.h"
#include "store/Keychain.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "store/StyleAnalyzer.h"
#include "ui/settings/SettingsServices.h"

namespace ts::test {

// The stores of a settings window in a temporary folder, with the test desktop's keyring.
struct SettingsStores {
    SettingsStores() {
        for (ProviderKind kind : EnumCases<ProviderKind>::all) {
            keys.deleteAPIKey(apiKeyAccount(kind));
        }
    }
    SettingsServices services(std::function<GrabState(bool)> grab = {}) {
        return SettingsServices{settings,
                                keys,
                                prompts,
                                style,
                                {},
                                [] { return true; },
                                std::move(grab),
                                {},
                                {},
                                nullptr,
                                dir.filePath("autostart"),
                                QCoreApplication::applicationFilePath()};
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    PromptStore prompts{dir.filePath("prompts.json")};
    Keychain keys{dir.filePath("keys")};
    StyleAnalyzer style{settings, history};
};

}  // namespace ts::test
