#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "X11TestTools.h"
#include "desktop/platform/x11/X11Platform.h"

using namespace ts;
using namespace ts::test;

namespace {

constexpr quint32 kHotKey = 1;
constexpr quint32 kMarker = 99;
const KeyChord kCtrlAltE{'e', Modifier::control | Modifier::alt};
const KeyChord kMarkerChord{'m', Modifier::control | Modifier::alt | Modifier::super};

// Switches NumLock ("num") or CapsLock ("caps"); true once the server reports it so.
bool setLock(const char* which, bool on) {
    runTool(helperPath(), {"lock", which, on ? "on" : "off"});
    const QList<QByteArray> state = runTool(helperPath(), {"locks"}).out.trimmed().split(' ');
    return state.value(qstrcmp(which, "num") == 0 ? 0 : 1) == (on ? "1" : "0");
}

class X11GrabTest : public ::testing::Test {
protected:
    void SetUp() override {
        grabber = &platform.platform().keyGrabber;
        spy = std::make_unique<QSignalSpy>(grabber, &GlobalKeyGrabber::activated);
        ASSERT_TRUE(grabber->grab(kMarker, kMarkerChord));
    }
    void TearDown() override {
        setLock("num", false);
        setLock("caps", false);
    }

    // Presses the keys, then the marker: once the marker arrived, every earlier press has. The
    // ids fired since the last call, sorted.
    QList<quint32> firedBy(const QString& keys) {
        EXPECT_TRUE(keys.isEmpty() || xdotool({"key", keys}));
        EXPECT_TRUE(xdotool({"key", "ctrl+alt+super+m"}));
        QList<quint32> ids;
        const auto collect = [&] {
            ids.clear();
            for (const QList<QVariant>& signal : *spy) {
                ids << signal.at(0).toUInt();
            }
            return ids.contains(kMarker);
        };
        EXPECT_TRUE(QTest::qWaitFor(collect, 10000))
            << "the marker never came: the grabber is deaf";
        std::sort(ids.begin(), ids.end());
        spy->clear();
        return ids;
    }

    X11Platform platform;
    GlobalKeyGrabber* grabber = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

}  // namespace

TEST_F(X11GrabTest, OnlyTheExactChordFiresAlsoWithLocksOn) {
    ASSERT_TRUE(grabber->grab(kHotKey, kCtrlAltE));
    const QList<quint32> fired{kHotKey, kMarker};
    const struct {
        const char* lock;  // switched on before the press, and left on
        const char* keys;
        QList<quint32> ids;
    } rows[] = {
        {nullptr, "ctrl+alt+e", fired},
        {nullptr, "ctrl+e", {kMarker}},
        {nullptr, "ctrl+alt+shift+e", {kMarker}},
        {"num", "ctrl+alt+e", fired},
        {"caps", "ctrl+alt+e", fired},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.lock ? row.lock : "") + " " + row.keys);
        if (row.lock) {
            ASSERT_TRUE(setLock(row.lock, true));
        }
        EXPECT_EQ(firedBy(QString::fromLatin1(row.keys)), row.ids);
    }
}

TEST_F(X11GrabTest, HoldingTheShortcutFiresOnce) {
    ASSERT_TRUE(grabber->grab(kHotKey, kCtrlAltE));
    // Fast auto-repeat, so half a second of holding produces a dozen repeats.
    const QList<QByteArray> repeat = runTool(helperPath(), {"repeat", "100", "30"}).out.split(' ');
    ASSERT_EQ(repeat.size(), 2);
    const auto restore = qScopeGuard([&] {
        runTool(helperPath(), {"repeat", repeat[0].trimmed(), repeat[1].trimmed()});
    });
    ASSERT_TRUE(xdotool({"keydown", "ctrl+alt+e", "sleep", "0.5", "keyup", "ctrl+alt+e"}));
    EXPECT_EQ(firedBy({}), (QList<quint32>{kHotKey, kMarker}));
    // Released, the next press fires again.
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{kHotKey, kMarker}));
}

TEST_F(X11GrabTest, SharedChordStaysGrabbedUntilTheLastIdGoes) {
    ASSERT_TRUE(grabber->grab(1, kCtrlAltE));
    ASSERT_TRUE(grabber->grab(2, kCtrlAltE));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{1, 2, kMarker}));
    grabber->ungrab(1);
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{2, kMarker}));
}

TEST_F(X11GrabTest, GrabHeldByAnotherClientFailsQuietlyAndLeavesNothing) {
    const KeyChord held{'g', Modifier::control | Modifier::alt};
    {
        static QStringList log;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { log << text; });
        const auto restore = qScopeGuard([&] { qInstallMessageHandler(previous); });
        HeldGrab other(held.keysym, {"0xc"});  // ControlMask | Mod1Mask
        ASSERT_EQ(other.answer(), "ok");
        EXPECT_FALSE(grabber->grab(kHotKey, held));
        EXPECT_EQ(log.filter(QStringLiteral("held by another program")).size(), 1)
            << log.join('\n').toStdString();
    }
    // The variants that did succeed (NumLock, CapsLock) were given back.
    HeldGrab all(held.keysym, {"0xc", "0xe", "0x1c", "0x1e"});
    EXPECT_EQ(all.answer(), "ok");
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+g")), QList<quint32>{kMarker});
}

TEST_F(X11GrabTest, HeldModifiersFollowTheKeysNotTheLocks) {
    ModifierState& modifiers = platform.platform().modifiers;
    ASSERT_TRUE(xdotool({"keydown", "ctrl", "keydown", "super"}));
    EXPECT_EQ(modifiers.heldModifiers(), Modifier::control | Modifier::super);
    xdotool({"keyup", "super", "keyup", "ctrl"});
    EXPECT_EQ(modifiers.heldModifiers(), Modifiers());
    ASSERT_TRUE(setLock("caps", true));
    EXPECT_EQ(modifiers.heldModifiers(), Modifiers());
}
