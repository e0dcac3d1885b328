#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "desktop/inplace/InPlaceService.h"
#include "desktop/platform/fake/FakePlatform.h"

using namespace ts;

namespace {

using CaptureError = InPlaceService::CaptureError;

// Nothing frontmost: plain Ctrl+C and Ctrl+V.
class InPlaceServiceTest : public ::testing::Test {
protected:
    // Runs a capture to its end and returns its error, if any; the time it took is kept for the
    // timing checks.
    std::optional<CaptureError> captureError() {
        std::optional<InPlaceService::CaptureResult> result;
        QElapsedTimer clock;
        clock.start();
        service.captureSelection(&context, [&](const InPlaceService::CaptureResult& r) {
            result = r;
            elapsedMs = clock.elapsed();
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
        const auto* error = result ? std::get_if<CaptureError>(&*result) : nullptr;
        return error ? std::optional(*error) : std::nullopt;
    }

    FakePlatform fake;
    InPlaceService service{fake.platform()};
    QObject context;
    qint64 elapsedMs = -1;
};

}  // namespace

// The copy waits for the hotkey's modifiers to be let go (a hotkey held 600 ms is common), and
// gives up after about 2 s; a copy that never fires fails after the whole polling window (75
// polls of 20 ms, the copy sent again halfway).
TEST_F(InPlaceServiceTest, CopyTimingByHeldModifiersAndThePollingWindow) {
    const struct {
        Modifiers held;
        std::optional<int> releasedAtMs;
        int copiesAtSend;  // 0: the app never copies; 2: it drops the first keystroke
        qint64 earliestMs, latestMs;
    } rows[] = {
        {Modifier::control | Modifier::alt | Modifier::super, 60, 1, 55, 240},
        {Modifier::control | Modifier::alt | Modifier::super, 600, 1, 595, 1000},
        {Modifier::shift, std::nullopt, 1, 1990, 4000},
        {Modifiers(), std::nullopt, 2, 700, 3000},
        {Modifiers(), std::nullopt, 0, 1400, 6000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.held.toInt());
        fake.modifiers.held = row.held;
        Modifiers heldAtCopy;
        int sends = 0;
        fake.keys.onSend = [&](const KeyChord&) {
            heldAtCopy = fake.modifiers.held;
            if (++sends == row.copiesAtSend) {
                fake.clipboard.setContents({{QStringLiteral("text/plain"), "text"}});
            }
        };
        if (row.releasedAtMs) {
            QTimer::singleShot(*row.releasedAtMs, &context, [&] { fake.modifiers.held = {}; });
        }
        EXPECT_EQ(captureError(),
                  row.copiesAtSend > 0 ? std::nullopt : std::optional(CaptureError::copyFailed));
        EXPECT_EQ(heldAtCopy, row.releasedAtMs ? Modifiers() : row.held);
        EXPECT_GE(elapsedMs, row.earliestMs);
        EXPECT_LT(elapsedMs, row.latestMs);
    }
}

// The clipboard is given back as it was before the paste, even empty, unless someone copied
// meanwhile.
TEST_F(InPlaceServiceTest, PasteGivesTheClipboardBackUnlessSomeoneCopiedMeanwhile) {
    const ClipboardSnapshot newer{{QStringLiteral("text/plain"), "copied meanwhile"}};
    for (const bool copyDuringPaste : {false, true}) {
        SCOPED_TRACE(copyDuringPaste);
        fake.keys.onSend = [&](const KeyChord&) {
            fake.clipboard.readText();
            if (copyDuringPaste) {
                fake.clipboard.setContents(newer);
            }
        };
        std::optional<InPlaceService::PasteResult> pasted;
        service.pasteReplacing(QStringLiteral("Improved"), {}, std::nullopt, &context,
                               [&](InPlaceService::PasteResult result) { pasted = result; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 5000));
        EXPECT_EQ(*pasted, InPlaceService::PasteResult::pasted);
        EXPECT_EQ(fake.clipboard.snapshot(), copyDuringPaste ? newer : ClipboardSnapshot());
    }
}

// The answer goes only into the window it was copied from: one that lost the focus is activated
// again first, and one that is gone gets nothing, with the clipboard given back.
TEST_F(InPlaceServiceTest, PastesOnlyIntoTheSourceWindow) {
    const AppInfo source{7, "Mousepad", "Mousepad", 0x100};
    const AppInfo other{8, "Geany", "Geany", 0x200};
    const ClipboardSnapshot before{{QStringLiteral("text/plain"), "before"}};
    const struct {
        const char* name;
        bool sourceStillOpen;
        InPlaceService::PasteResult result;
    } rows[] = {
        {"focus moved, source open", true, InPlaceService::PasteResult::pasted},
        {"focus moved, source closed", false, InPlaceService::PasteResult::windowChanged},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fake.frontmost.knownApps = row.sourceStillOpen ? QList{source, other} : QList{other};
        fake.frontmost.setCurrent(other);
        std::optional<AppInfo> frontAtPaste;
        fake.keys.onSend = [&](const KeyChord&) {
            frontAtPaste = fake.frontmost.current();
            fake.clipboard.readText();
        };
        std::optional<InPlaceService::PasteResult> pasted;
        service.pasteReplacing(QStringLiteral("Improved"), before, source, &context,
                               [&](InPlaceService::PasteResult result) { pasted = result; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 5000));
        EXPECT_EQ(*pasted, row.result);
        EXPECT_EQ(frontAtPaste, row.sourceStillOpen ? std::optional(source) : std::nullopt);
        EXPECT_EQ(fake.clipboard.snapshot(), before);
    }
}

// A target that never reads the text (a read-only view, a paste keystroke it ignores) did not
// paste, whatever the keystroke: that must not read as success.
TEST_F(InPlaceServiceTest, APasteNobodyReadsIsNoPaste) {
    const ClipboardSnapshot before{{QStringLiteral("text/plain"), "before"}};
    fake.clipboard.setContents(before);
    std::optional<InPlaceService::PasteResult> pasted;
    QElapsedTimer clock;
    clock.start();
    service.pasteReplacing(QStringLiteral("Improved"), before, std::nullopt, &context,
                           [&](InPlaceService::PasteResult result) { pasted = result; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 15000));
    EXPECT_EQ(*pasted, InPlaceService::PasteResult::notRead);
    EXPECT_GE(clock.elapsed(), InPlaceService::kReadBoundMs);
    EXPECT_EQ(fake.clipboard.snapshot(), before);
    EXPECT_EQ(fake.keys.sent.size(), 1);
}

TEST_F(InPlaceServiceTest, DeletingTheContextStopsThePendingSteps) {
    auto owner = std::make_unique<QObject>();
    bool called = false;
    fake.copyProduces(QStringLiteral("text"));
    fake.modifiers.held = Modifier::control;
    service.captureSelection(owner.get(),
                             [&](const InPlaceService::CaptureResult&) { called = true; });
    owner.reset();
    QTest::qWait(400);
    EXPECT_FALSE(called);
    EXPECT_TRUE(fake.keys.sent.isEmpty());
}
