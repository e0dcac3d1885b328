#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "ScriptedProvider.h"
#include "app/Host.h"
#include "desktop/platform/fake/FakePlatform.h"
#include "session/AppState.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "ui/toast/ToastPresenter.h"

using namespace ts;

// The program's owner on the in-memory desktop: the in-place hotkey reaches the runner through
// the session's door, and a hotkey setting written meanwhile moves the grab.
TEST(HostOnFakeDesktop, InPlaceHotkeyRewritesThroughTheSessionAndFollowsTheSettings) {
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    HistoryStore history(dir.filePath("history.json"));
    MemoryKeyStore keys;
    keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai));
    test::ScriptedProvider provider;
    provider.fallback() = {{"Could you send it?\n<<<WHYS>>>\n"}, {}, {}, 0, false};
    FakePlatform fake;
    fake.frontmost.setCurrent(AppInfo{4242, "Mousepad", "Mousepad", 0x600001});
    fake.copyProduces("so could you maybe send it");

    Host host(fake.platform(),
              RequestServices{settings, keys, [&]() -> HistoryStore& { return history; },
                              [&](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                                  return std::make_unique<test::ScriptedProvider>(provider);
                              }});
    host.start();
    const KeyChord inPlace{'e', Modifier::control | Modifier::alt | Modifier::super};
    fake.keyGrabber.press(inPlace);
    ASSERT_TRUE(QTest::qWaitFor([&] { return history.items().size() == 1; }, 10000));
    EXPECT_EQ(history.items().first().original, "so could you maybe send it");
    EXPECT_EQ(ToastPresenter::shared().state().text, "Rewrote in Mousepad. Ctrl+Z to undo.");
    EXPECT_EQ(host.session().phase().kind, AppState::Phase::idle);

    settings.setInPlaceHotkeyEnabled(false);
    EXPECT_FALSE(fake.keyGrabber.grabs.values().contains(inPlace));
    settings.resetHotkeys();
    EXPECT_TRUE(fake.keyGrabber.grabs.values().contains(inPlace));
}
