#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "X11TestTools.h"
#include "desktop/platform/x11/X11Clipboard.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kCustomFormat = QStringLiteral("application/x-tessarine-test");

class X11ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")); }
    // Whether another client is offered the password managers' hint.
    static bool offersSecretHint() {
        return readClipboard(QStringLiteral("TARGETS")).out.contains("x-kde-passwordManagerHint");
    }
    static bool waitForText(const Clipboard& clipboard, const QString& text) {
        return QTest::qWaitFor([&] { return clipboard.text() == text; }, 10000);
    }

    X11Clipboard clipboard;
};

}  // namespace

TEST_F(X11ClipboardTest, SnapshotAndRestoreOfOwnFormatsByteForByte) {
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("plain ünïcode"));
    mime->setHtml(QStringLiteral("<b>rich</b>"));
    mime->setData(kCustomFormat, binaryBytes());
    QGuiApplication::clipboard()->setMimeData(mime);

    const ClipboardSnapshot saved = clipboard.snapshot();
    ASSERT_GE(saved.size(), 3);
    clipboard.setText(QStringLiteral("something else"), false);
    ASSERT_TRUE(waitForText(clipboard, QStringLiteral("something else")));
    clipboard.restore(saved);

    EXPECT_EQ(clipboard.snapshot(), saved);
    EXPECT_EQ(readClipboard(kCustomFormat).out, binaryBytes());
    EXPECT_EQ(readClipboard(QStringLiteral("text/html")).out, "<b>rich</b>");
    EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out,
              QStringLiteral("plain ünïcode").toUtf8());
}

TEST_F(X11ClipboardTest, SnapshotOfAnotherOwnerSurvivesItsExit) {
    writeClipboard(kCustomFormat, binaryBytes());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return clipboard.snapshot().value(0).format == kCustomFormat; }, 10000));
    const ClipboardSnapshot saved = clipboard.snapshot();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved.first().data, binaryBytes());

    writeClipboard(QStringLiteral("UTF8_STRING"), "replaced by another client");
    ASSERT_TRUE(waitForText(clipboard, QStringLiteral("replaced by another client")));
    clipboard.restore(saved);
    EXPECT_EQ(readClipboard(kCustomFormat).out, binaryBytes());
}

// An owner that never answers one format costs a bounded wait; that format is left out, never
// kept as empty bytes, and the others are read whole.
TEST_F(X11ClipboardTest, SnapshotLeavesOutAFormatItsOwnerNeverDelivers) {
    const SlowClipboardOwner owner(QStringLiteral("text/html"));
    ASSERT_TRUE(owner.owns());
    ASSERT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }));
    QElapsedTimer timer;
    timer.start();
    const ClipboardSnapshot saved = clipboard.snapshot();
    // The snapshot gives up after 1 s in all; a busy machine may add to that, a wait for an owner
    // that never answers would not end at all.
    EXPECT_LT(timer.elapsed(), 5000);
    const ClipboardSnapshot expected = {{QStringLiteral("text/plain"), "owner text"},
                                        {QStringLiteral("image/png"), "\x89PNG owner image"}};
    EXPECT_EQ(saved, expected);
}

// An answer that comes after its format was given up on is never taken for a later request's:
// the next snapshot reads every format afresh, none of them empty.
TEST_F(X11ClipboardTest, ALateAnswerIsNeverTakenForTheNextRead) {
    const SlowClipboardOwner owner(QStringLiteral("TARGETS"), 500);
    ASSERT_TRUE(owner.owns());
    ASSERT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }));
    EXPECT_TRUE(clipboard.snapshot().isEmpty());
    QTest::qWait(700);  // the late answer has arrived by now
    const ClipboardSnapshot expected = {{QStringLiteral("text/plain"), "owner text"},
                                        {QStringLiteral("text/html"), "<i>owner html</i>"},
                                        {QStringLiteral("image/png"), "\x89PNG owner image"}};
    EXPECT_EQ(clipboard.snapshot(), expected);
}

// Values larger than one X request come in chunks.
TEST_F(X11ClipboardTest, SnapshotReadsALargeFormatInChunks) {
    const QByteArray large = binaryBytes().repeated(8192);
    writeClipboard(kCustomFormat, large);
    ASSERT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }));
    const ClipboardSnapshot saved = clipboard.snapshot();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved.first().data.size(), large.size());
    EXPECT_TRUE(saved.first().data == large);
}

TEST_F(X11ClipboardTest, EmptySnapshotLeavesTheClipboardEmpty) {
    clipboard.setText(QStringLiteral("to be dropped"), false);
    clipboard.restore({});
    EXPECT_TRUE(clipboard.snapshot().isEmpty());
    EXPECT_EQ(clipboard.text(), std::nullopt);
    EXPECT_NE(readClipboard(QStringLiteral("UTF8_STRING")).exitCode, 0);
}

// Our own text offers clipboard managers the secret hint only when asked to; each change, ours
// or another client's, is counted.
TEST_F(X11ClipboardTest, SecretHintOnlyWhenAskedAndEveryChangeCounted) {
    const quint64 start = clipboard.changeCount();
    clipboard.setText(QStringLiteral("hunter2"), true);
    EXPECT_GT(clipboard.changeCount(), start);
    EXPECT_TRUE(offersSecretHint());
    EXPECT_EQ(readClipboard(QStringLiteral("x-kde-passwordManagerHint")).out, "secret");
    EXPECT_EQ(readClipboard(QStringLiteral("UTF8_STRING")).out, "hunter2");
    clipboard.setText(QStringLiteral("plain"), false);
    EXPECT_FALSE(offersSecretHint());

    const quint64 beforeExternal = clipboard.changeCount();
    writeClipboard(QStringLiteral("UTF8_STRING"), "theirs");
    EXPECT_TRUE(QTest::qWaitFor([&] { return clipboard.changeCount() > beforeExternal; }, 10000));
    EXPECT_EQ(clipboard.text(), QStringLiteral("theirs"));
}
