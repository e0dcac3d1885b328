#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "SettingsTestSupport.h"
#include "desktop/LoginItem.h"
#include "desktop/hotkeys/HotKeyBindings.h"
#include "desktop/platform/x11/X11Platform.h"
#include "session/AppEvents.h"
#include "ui/ShortcutRecorder.h"
#include "ui/settings/GeneralTab.h"
#include "ui/settings/PromptsTab.h"
#include "ui/settings/ShortcutTab.h"
#include "ui/settings/StyleTab.h"

using namespace ts;
using namespace ts::test;

namespace {

HistoryItem thumbedUp(int n) {
    HistoryItem item;
    item.id = QUuid::createUuid();
    item.date = QDateTime::currentDateTimeUtc();
    item.original = QStringLiteral("draft %1").arg(n);
    item.review.improved = QStringLiteral("Draft %1.").arg(n);
    item.model = QStringLiteral("gpt-4o-mini");
    item.rating = Rating::up;
    return item;
}

bool xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

const QString kLong1 = QStringLiteral("Hi team, the launch moves to Thursday.");
const QString kLong2 = QStringLiteral("Thanks all, drinks are on me on Friday.");

}  // namespace

struct StyleCase {
    const char* name;
    QString samples;
    int thumbs;
    int countAtLastRefresh;
    QString profile;
    QString samplesLabel, inputsLabel, refreshLabel;
    bool refreshEnabled, clearShown, noticeShown;
};

class StyleTabStates : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyleTabStates, LabelsAndEnablement) {
    const StyleCase& c = GetParam();
    SettingsStores stores;
    for (int i = 0; i < c.thumbs; ++i) {
        stores.history.add(thumbedUp(i));
    }
    stores.settings.setStyleSamples(c.samples);
    stores.settings.setStyleProfile(c.profile);
    stores.settings.setThumbedUpCountAtLastStyleRefresh(c.countAtLastRefresh);
    StyleTab tab(stores.services());
    tab.show();
    EXPECT_TRUE(showsText(tab, c.samplesLabel));
    EXPECT_TRUE(showsText(tab, c.inputsLabel));
    QAbstractButton* refresh = button(tab, c.refreshLabel);
    ASSERT_NE(refresh, nullptr) << qPrintable(c.refreshLabel);
    EXPECT_EQ(refresh->isEnabled(), c.refreshEnabled);
    EXPECT_EQ(button(tab, "Clear profile") != nullptr, c.clearShown);
    EXPECT_EQ(button(tab, "Refresh now") != nullptr, c.noticeShown);
    EXPECT_EQ(showsText(tab,
                        "No profile yet. Add samples above and/or thumb up reviews, then "
                        "click Refresh."),
              c.profile.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StyleTabStates,
    ::testing::Values(
        StyleCase{"twoUsableOfThree", kLong1 + "\n\nshort one\n\n" + kLong2, 0, 0, "", "2 samples",
                  "2 inputs \u00b7 min 3", "Refresh from 2 samples + 0 thumbs", false, false,
                  false},
        StyleCase{"plusOneThumb", kLong1 + "\n\nshort one\n\n" + kLong2, 1, 0, "", "2 samples",
                  "3 inputs \u00b7 min 3", "Refresh from 2 samples + 1 thumb", true, false, false},
        StyleCase{"singleLineFeedIsOneSample", kLong1 + "\n" + kLong2, 0, 0, "", "1 sample",
                  "1 input \u00b7 min 3", "Refresh from 1 sample + 0 thumbs", false, false, false},
        StyleCase{"noticeAtFive", "", 15, 10, "Warm, brisk.", "0 samples", "15 inputs \u00b7 min 3",
                  "Refresh from 0 samples + 15 thumbs", true, true, true},
        StyleCase{"noNoticeAtFour", "", 14, 10, "Warm, brisk.", "0 samples",
                  "14 inputs \u00b7 min 3", "Refresh from 0 samples + 14 thumbs", true, true,
                  false},
        StyleCase{"noNoticeWithoutProfile", "", 15, 0, "", "0 samples", "15 inputs \u00b7 min 3",
                  "Refresh from 0 samples + 15 thumbs", true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StyleTabTest, SamplesEditsAreStoredAndClearEmptiesTheProfile) {
    SettingsStores stores;
    stores.settings.setStyleProfile("Warm, brisk.");
    stores.settings.setThumbedUpCountAtLastStyleRefresh(7);
    StyleTab tab(stores.services());
    tab.show();
    auto* samples = named<QPlainTextEdit>(tab, "Your writing samples");
    samples->setFocus();
    QTest::keyClicks(samples, kLong1);
    EXPECT_EQ(stores.settings.styleSamples(), kLong1);
    EXPECT_TRUE(showsText(tab, "1 sample"));
    button(tab, "Clear profile")->click();
    EXPECT_EQ(stores.settings.styleProfile(), "");
    EXPECT_EQ(stores.settings.thumbedUpCountAtLastStyleRefresh(), 0);
    EXPECT_EQ(button(tab, "Clear profile"), nullptr);
}

TEST(PromptsTabTest, ExportThenImportRoundTripAndItsOutcomeLines) {
    SettingsStores stores;
    PromptsTab tab(stores.services());
    tab.show();
    EXPECT_TRUE(showsText(tab, "No saved prompts yet."));
    EXPECT_TRUE(PromptsTab::proposedFileName().startsWith("tessarine-prompts-"));
    stores.prompts.save("Make it sound like a pirate");
    stores.prompts.save("Summarise in three bullets");
    EXPECT_FALSE(showsText(tab, "No saved prompts yet."));
    const QString file = stores.dir.filePath("export.json");
    tab.exportTo(file);
    EXPECT_EQ(tab.transferMessage(), "Exported 2 prompts.");

    tab.importFrom(file);
    EXPECT_EQ(tab.transferMessage(), "No new prompts \u2014 all 2 were already saved.");
    QAbstractButton* remove = nullptr;
    // Rows added to a shown list appear once the loop runs.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return (remove = named<QAbstractButton>(tab, "Delete Summarise in three bullets"));
    }));
    remove->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stores.prompts.items().size() == 1; }));
    tab.importFrom(file);
    EXPECT_EQ(tab.transferMessage(), "Imported 1 prompt; skipped 1 duplicate.");

    QFile v2(stores.dir.filePath("v2.json"));
    ASSERT_TRUE(v2.open(QIODevice::WriteOnly));
    v2.write(R"({"version":2,"exportedAt":"2025-03-01T09:30:00Z","prompts":[]})");
    v2.close();
    tab.importFrom(v2.fileName());
    EXPECT_EQ(tab.transferMessage(), "Export version 2 isn't supported by this app.");
    tab.exportTo(stores.dir.filePath("missing/folder/x.json"));
    EXPECT_TRUE(tab.transferMessage().startsWith("Couldn't write file: "));
}

TEST(PromptsTabTest, RenameSavesTheTrimmedNameAndCancelKeepsIt) {
    SettingsStores stores;
    const QUuid id = stores.prompts.save("Make it sound like a pirate")->id;
    PromptsTab tab(stores.services());
    tab.show();
    named<QAbstractButton>(tab, "Rename Make it sound like a pirate")->click();
    QLineEdit* name = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (name = named<QLineEdit>(tab, "Prompt name")); }));
    name->setText("  Pirate  ");
    button(tab, "Save")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stores.prompts.items()[0].name == "Pirate"; }));
    tab.startRename(id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return (name = named<QLineEdit>(tab, "Prompt name")); }));
    name->setText("Other");
    button(tab, "Cancel")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return named<QLineEdit>(tab, "Prompt name") == nullptr; }));
    EXPECT_EQ(stores.prompts.items()[0].name, "Pirate");
}

TEST(ShortcutTabTest, ResetEnablesInPlaceAndRestoresBothHotkeys) {
    SettingsStores stores;
    stores.settings.setInPlaceHotkeyEnabled(false);
    stores.settings.setHotkeyKeyCode(40);
    stores.settings.setInPlaceHotkeyModifiers(256);
    ShortcutTab tab(stores.services(
        [](bool inPlace) { return inPlace ? GrabState::heldElsewhere : GrabState::active; }));
    tab.show();
    EXPECT_TRUE(showsText(tab, "In use by another program"));
    EXPECT_TRUE(showsText(
        tab, "Disabled. Enable to rewrite selected text in any app with a single shortcut."));
    QSignalSpy changed(&AppEvents::shared(), &AppEvents::hotkeyChanged);
    button(tab, "Reset to defaults (Ctrl+Alt+E \u00b7 Super+Ctrl+Alt+E)")->click();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(stores.settings.inPlaceHotkeyEnabled());
    EXPECT_EQ(stores.settings.hotkeyKeyCode(), 14);
    EXPECT_EQ(stores.settings.hotkeyModifiers(), 2304);
    EXPECT_EQ(stores.settings.inPlaceHotkeyKeyCode(), 14);
    EXPECT_EQ(stores.settings.inPlaceHotkeyModifiers(), 6400);
    EXPECT_TRUE(showsText(tab,
                          "Replaces the selected text in the frontmost app with an improved "
                          "version. Requires desktop control."));
}

// The shell re-grabs on the hotkey-changed signal; a recorded shortcut then works at once.
TEST(ShortcutTabTest, RecordedShortcutIsGrabbedOnTheXServer) {
    SettingsStores stores;
    X11Platform x11;
    int toggles = 0;
    InPlaceTriggerActions actions;
    actions.toggleWindow = [&toggles] { ++toggles; };
    actions.showAccessibilityAlert = [] {};
    actions.runInPlace = [](Mode) {};
    SettingsStore& settings = stores.settings;
    HotKeyBindings bindings(
        x11.platform(),
        [&settings] {
            HotKeySettings out;
            out.window = Shortcut{static_cast<quint32>(settings.hotkeyKeyCode()),
                                  static_cast<quint32>(settings.hotkeyModifiers())};
            out.inPlaceEnabled = false;
            return out;
        },
        actions, QStringLiteral("settings-tabs-test"));
    bindings.reregister();
    QObject::connect(&AppEvents::shared(), &AppEvents::hotkeyChanged, &bindings,
                     &HotKeyBindings::reregister);
    ShortcutTab tab(stores.services());
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    auto* recorder = tab.findChildren<ShortcutRecorder*>().first();
    QTest::mouseClick(recorder, Qt::LeftButton);
    ASSERT_TRUE(recorder->isRecording());
    QTest::keyClick(&tab, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(settings.hotkeyModifiers(), 2304);
    EXPECT_NE(settings.hotkeyKeyCode(), 14);
    ASSERT_TRUE(bindings.hotkey().isActive());
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+k"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return toggles == 1; }, 5000));
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+e"}));
    QTest::qWait(300);
    EXPECT_EQ(toggles, 1);
}

TEST(LaunchAtLoginTest, OnWritesTheEntryAndOffRemovesIt) {
    SettingsStores stores;
    GeneralTab tab(stores.services());
    tab.show();
    auto* launch = named<QAbstractButton>(tab, "Launch at login");
    ASSERT_NE(launch, nullptr);
    launch->click();
    QFile entry(tab.loginItem().entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8() + "\n"));
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(tab.launchAtLoginMessage().isEmpty());
    launch->click();
    EXPECT_FALSE(QFile::exists(entry.fileName()));
    EXPECT_FALSE(launch->isChecked());
    // Written by someone else: the poll shows it.
    LoginItem(stores.dir.filePath("autostart"), QCoreApplication::applicationFilePath())
        .setEnabled(true);
    tab.poll();
    EXPECT_TRUE(launch->isChecked());
}

TEST(LaunchAtLoginTest, UnwritableFolderShowsTheFailureAndTheRealState) {
    SettingsStores stores;
    // Mode bits do not stop root (the test desktop may run as root): a file where the folder
    // should be fails for everyone.
    QFile blocker(stores.dir.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    GeneralTab tab(stores.services());
    tab.show();
    auto* launch = named<QAbstractButton>(tab, "Launch at login");
    launch->click();
    EXPECT_FALSE(tab.launchAtLoginMessage().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !launch->isChecked(); }, 1000));
    EXPECT_FALSE(QFile::exists(tab.loginItem().entryPath()));
}

TEST(LaunchAtLoginTest, AMissingProgramIsNotFound) {
    SettingsStores stores;
    SettingsServices services = stores.services();
    services.program = stores.dir.filePath("no-such-tessarine");
    GeneralTab tab(services);
    tab.show();
    named<QAbstractButton>(tab, "Launch at login")->click();
    EXPECT_EQ(tab.launchAtLoginMessage(),
              "Couldn't find the tessarine program. Reinstall Tessarine.");
    EXPECT_FALSE(named<QAbstractButton>(tab, "Launch at login")->isChecked());
}
