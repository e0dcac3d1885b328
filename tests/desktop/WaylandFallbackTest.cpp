#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "SwayTestTools.h"
#include "desktop/platform/wayland/WaylandClipboard.h"
#include "desktop/platform/wayland/WaylandFallback.h"
#include "desktop/platform/wayland/WaylandKeySynthesizer.h"
#include "desktop/platform/wayland/WaylandProtocols.h"

using namespace ts;
using namespace ts::test;

namespace {

constexpr int kWaitMs = 15000;

// wl-copy forks a server that keeps its standard output: it must not be a pipe we read.
void wlCopy(const QString& type, const QByteArray& data) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral("wl-copy"), {QStringLiteral("--type"), type});
    process.write(data);
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kWaitMs)) {
        process.kill();
        process.waitForFinished();
    }
}

ToolResult wlPaste(const QStringList& args) {
    return runTool(QStringLiteral("wl-paste"), args);
}

class WaylandFallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Sway::installed()) {
            GTEST_SKIP() << "sway or wl-clipboard is not installed";
        }
        sway = std::make_unique<Sway>();
        ASSERT_FALSE(sway->socket().isEmpty())
            << "sway did not start: " << sway->log().toStdString();
        qputenv("WAYLAND_DISPLAY", sway->socket().toLocal8Bit());
        QString whyNot;
        fallback = WaylandFallback::create(&whyNot);
        ASSERT_TRUE(fallback) << whyNot.toStdString();
    }
    void TearDown() override {
        fallback.reset();
        sway.reset();
        qunsetenv("WAYLAND_DISPLAY");
    }

    Clipboard& clipboard() { return fallback->clipboard(); }
    bool waitForText(const QString& text) {
        return QTest::qWaitFor([&] { return clipboard().text() == text; }, kWaitMs);
    }

    std::unique_ptr<Sway> sway;
    std::unique_ptr<WaylandFallback> fallback;
};

}  // namespace

TEST_F(WaylandFallbackTest, SnapshotAndRestoreKeepEveryFormatByteForByte) {
    EXPECT_TRUE(waylandOffersKeyboardAndClipboard());
    struct Row {
        QString type;
        QByteArray data;
    };
    // Empty first: sway starts with no selection, and restoring that clears ours.
    const QList<Row> rows{{{}, {}},
                          {QStringLiteral("application/x-tessarine-test"), binaryBytes()},
                          {QStringLiteral("text/plain;charset=utf-8"), "ünïcode ✓\r\n"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type.toStdString());
        if (!row.type.isEmpty()) {
            wlCopy(row.type, row.data);
        }
        ClipboardSnapshot saved;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                saved = clipboard().snapshot();
                return row.type.isEmpty() || saved.contains(ClipboardFormat{row.type, row.data});
            },
            kWaitMs));
        clipboard().setText(QStringLiteral("something else"), false);
        ASSERT_TRUE(waitForText(QStringLiteral("something else")));

        clipboard().restore(saved);
        const ToolResult listed = wlPaste({QStringLiteral("--list-types")});
        if (saved.isEmpty()) {
            EXPECT_NE(listed.exitCode, 0) << listed.out.constData();
            continue;
        }
        ASSERT_EQ(listed.exitCode, 0);
        QStringList offered =
            QString::fromUtf8(listed.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList formats;
        for (const ClipboardFormat& item : saved) {
            formats.append(item.format);
            EXPECT_EQ(wlPaste({"--no-newline", "--type", item.format}).out, item.data)
                << item.format.toStdString();
        }
        offered.sort();
        formats.sort();
        EXPECT_EQ(offered, formats);
    }
}

TEST_F(WaylandFallbackTest, TextIsPastedByAnotherClientAndTheReadCounted) {
    QSignalSpy reads(&clipboard(), &Clipboard::textRead);
    clipboard().setText(QStringLiteral("pasted ✓"), true);
    const quint64 before = clipboard().textReads();

    const ToolResult types = wlPaste({QStringLiteral("--list-types")});
    EXPECT_TRUE(types.out.contains("x-kde-passwordManagerHint")) << types.out.constData();
    EXPECT_TRUE(types.out.contains("UTF8_STRING")) << types.out.constData();
    EXPECT_EQ(wlPaste({QStringLiteral("--no-newline")}).out, QStringLiteral("pasted ✓").toUtf8());
    // Counted once the reader has had the text a moment.
    EXPECT_TRUE(!reads.isEmpty() || reads.wait(kWaitMs));
    EXPECT_GT(clipboard().textReads(), before);
}

// Copy and paste in a GTK 3 editor, which takes shortcuts only from a keyboard with a full keymap.
TEST_F(WaylandFallbackTest, CopyAndPasteThroughTheKeysInAnEditor) {
    QProcess holder;
    holder.start(QStringLiteral(TS_WAYLAND_HELPER), {QStringLiteral("hold")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return holder.canReadLine(); }, kWaitMs));
    ASSERT_EQ(holder.readLine().trimmed(), "ready");

    QTemporaryDir dir;
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    env.remove(QStringLiteral("DISPLAY"));
    editor.setProcessEnvironment(env);
    editor.setStandardOutputFile(QProcess::nullDevice());
    editor.setStandardErrorFile(QProcess::nullDevice());
    editor.start(QStringLiteral("mousepad"),
                 {QStringLiteral("--disable-server"), dir.filePath(QStringLiteral("note.txt"))});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sway->focusedApp().contains(QLatin1String("mousepad"), Qt::CaseInsensitive); },
        kWaitMs))
        << "mousepad did not get the focus";

    const auto keys = [&](const QList<KeyChord>& chords) {
        for (const KeyChord& chord : chords) {
            ASSERT_TRUE(fallback->keys().send(chord)) << describe(chord).toStdString();
        }
    };
    const KeyChord selectAll{'a', Modifier::control};
    const KeyChord copy{'c', Modifier::control};
    const KeyChord paste{'v', Modifier::control};

    // Typed by the helper's keyboard, copied with ours.
    ASSERT_EQ(
        runTool(QStringLiteral(TS_WAYLAND_HELPER), {"keys", "H", "e", "l", "l", "o"}).exitCode, 0);
    quint64 changes = clipboard().changeCount();
    keys({selectAll, copy});
    EXPECT_TRUE(waitForText(QStringLiteral("Hello")));
    EXPECT_GT(clipboard().changeCount(), changes);

    clipboard().setText(QStringLiteral("pasted"), false);
    const quint64 reads = clipboard().textReads();
    keys({selectAll, paste});
    EXPECT_TRUE(QTest::qWaitFor([&] { return clipboard().textReads() > reads; }, kWaitMs));
    keys({selectAll, copy});
    EXPECT_TRUE(waitForText(QStringLiteral("pasted")));

    editor.kill();
    editor.waitForFinished();
    holder.closeWriteChannel();
    holder.waitForFinished();
}
