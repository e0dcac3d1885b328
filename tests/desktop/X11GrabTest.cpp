#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstring>

#include "X11TestTools.h"
#include "desktop/platform/x11/X11Platform.h"

using namespace ts;
using namespace ts::test;

namespace {

constexpr quint32 kHotKey = 1;
constexpr quint32 kMarker = 99;
const KeyChord kCtrlAltE{'e', Modifier::control | Modifier::alt};
const KeyChord kMarkerChord{'m', Modifier::control | Modifier::alt | Modifier::super};
const KeyChord kHeldElsewhere{'g', Modifier::control | Modifier::alt};
constexpr const char* kControlMod1 = "0xc";  // ControlMask | Mod1Mask

// Collects the log while it lives.
class LogCapture {
public:
    LogCapture() {
        lines.clear();
        previous = qInstallMessageHandler(capture);
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
    static inline QStringList lines;

private:
    static void capture(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        lines << text;
        previous(type, context, text);
    }
    static inline QtMessageHandler previous = nullptr;
};

// Fast auto-repeat while it lives, so half a second of holding produces a dozen repeats.
class FastRepeat {
public:
    FastRepeat()
        : previous(runTool(helperPath(), {"repeat", "100", "30"}).out.trimmed().split(' ')) {}
    ~FastRepeat() {
        if (previous.size() == 2) {
            runTool(helperPath(),
                    {"repeat", QString::fromLatin1(previous[0]), QString::fromLatin1(previous[1])});
        }
    }
    QList<QByteArray> previous;
};

void xdotoolKey(const QString& keys) {
    ASSERT_EQ(runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}).exitCode, 0);
}

// "num" or "caps".
bool lockOn(const char* which) {
    const QList<QByteArray> state =
        runTool(helperPath(), {QStringLiteral("locks")}).out.trimmed().split(' ');
    return state.value(std::strcmp(which, "num") == 0 ? 0 : 1) == "1";
}

void setLock(const char* which, bool on) {
    runTool(helperPath(), {QStringLiteral("lock"), QString::fromLatin1(which),
                           on ? QStringLiteral("on") : QStringLiteral("off")});
}

// A program holding grabs of its own until the handle goes.
class GrabHolder {
public:
    GrabHolder(quint32 keysym, const QStringList& masks)
        : program_(helperPath(),
                   QStringList{QStringLiteral("grab"), QString::number(keysym)} + masks) {
        if (QTest::qWaitFor([&] { return program_.process().canReadLine(); }, 10000)) {
            answer_ = program_.process().readLine().trimmed();
        }
    }
    QByteArray answer() const { return answer_; }

private:
    RunningProgram program_;
    QByteArray answer_;
};

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

    // Presses the keys, then the marker; once the marker arrived, every earlier press has.
    QList<quint32> firedBy(const QString& keys) {
        spy->clear();
        xdotoolKey(keys);
        xdotoolKey(QStringLiteral("ctrl+alt+super+m"));
        QList<quint32> ids;
        if (!QTest::qWaitFor([&] { return countOf(kMarker) > 0; }, 10000)) {
            return ids;  // the marker never came: the grabber is deaf
        }
        for (const QList<QVariant>& signal : *spy) {
            ids << signal.at(0).toUInt();
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    int countOf(quint32 id) const {
        int n = 0;
        for (const QList<QVariant>& signal : *spy) {
            n += signal.at(0).toUInt() == id ? 1 : 0;
        }
        return n;
    }

    X11Platform platform;
    GlobalKeyGrabber* grabber = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

}  // namespace

TEST_F(X11GrabTest, PressFiresOnceAlsoWithLocksOn) {
    ASSERT_TRUE(grabber->grab(kHotKey, kCtrlAltE));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{kHotKey, kMarker}));

    setLock("num", true);
    ASSERT_TRUE(lockOn("num"));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{kHotKey, kMarker}));

    setLock("caps", true);
    ASSERT_TRUE(lockOn("caps"));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{kHotKey, kMarker}));
}

TEST_F(X11GrabTest, HoldingTheShortcutFiresOnce) {
    ASSERT_TRUE(grabber->grab(kHotKey, kCtrlAltE));
    spy->clear();
    {
        FastRepeat repeat;
        ASSERT_EQ(repeat.previous.size(), 2);
        ASSERT_EQ(runTool(QStringLiteral("xdotool"),
                          {"keydown", "ctrl+alt+e", "sleep", "0.5", "keyup", "ctrl+alt+e"})
                      .exitCode,
                  0);
    }
    xdotoolKey(QStringLiteral("ctrl+alt+super+m"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return countOf(kMarker) > 0; }, 10000));
    EXPECT_EQ(countOf(kHotKey), 1);
    // Released, the next press fires again.
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{kHotKey, kMarker}));
}

TEST_F(X11GrabTest, OtherModifiersDoNotFire) {
    ASSERT_TRUE(grabber->grab(kHotKey, kCtrlAltE));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+e")), QList<quint32>{kMarker});
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+shift+e")), QList<quint32>{kMarker});
}

TEST_F(X11GrabTest, SharedChordStaysGrabbedUntilTheLastIdGoes) {
    ASSERT_TRUE(grabber->grab(1, kCtrlAltE));
    ASSERT_TRUE(grabber->grab(2, kCtrlAltE));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{1, 2, kMarker}));
    grabber->ungrab(1);
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+e")), (QList<quint32>{2, kMarker}));
}

TEST_F(X11GrabTest, GrabHeldByAnotherClientFailsQuietlyAndLeavesNothing) {
    {
        LogCapture log;
        GrabHolder other(kHeldElsewhere.keysym, {QString::fromLatin1(kControlMod1)});
        ASSERT_EQ(other.answer(), QByteArray("ok"));
        EXPECT_FALSE(grabber->grab(kHotKey, kHeldElsewhere));
        EXPECT_EQ(LogCapture::lines.filter(QStringLiteral("held by another program")).size(), 1)
            << LogCapture::lines.join('\n').toStdString();
    }

    // The variants that did succeed (NumLock, CapsLock) were given back.
    GrabHolder all(kHeldElsewhere.keysym, {QStringLiteral("0xc"), QStringLiteral("0xe"),
                                           QStringLiteral("0x1c"), QStringLiteral("0x1e")});
    EXPECT_EQ(all.answer(), QByteArray("ok"));
    EXPECT_EQ(firedBy(QStringLiteral("ctrl+alt+g")), QList<quint32>{kMarker});
}

TEST_F(X11GrabTest, HeldModifiersFollowTheKeysNotTheLocks) {
    ModifierState& modifiers = platform.platform().modifiers;
    ASSERT_EQ(
        runTool(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("ctrl"),
                                            QStringLiteral("keydown"), QStringLiteral("super")})
            .exitCode,
        0);
    EXPECT_EQ(modifiers.heldModifiers(), Modifier::control | Modifier::super);
    runTool(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("super"),
                                        QStringLiteral("keyup"), QStringLiteral("ctrl")});
    EXPECT_EQ(modifiers.heldModifiers(), Modifiers());
    setLock("caps", true);
    ASSERT_TRUE(lockOn("caps"));
    EXPECT_EQ(modifiers.heldModifiers(), Modifiers());
}
