#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "desktop/inplace/InPlaceService.h"
#include "desktop/platform/ClipboardChords.h"
#include "desktop/platform/fake/FakePlatform.h"

using namespace ts;

namespace {

using CaptureError = InPlaceService::CaptureError;

const AppInfo kMousepad{4242, QStringLiteral("Mousepad"), QStringLiteral("Mousepad"), 0x600001};
const ClipboardSnapshot kRich{{QStringLiteral("text/html"), "<b>kept</b>"},
                              {QStringLiteral("text/plain"), "kept"},
                              {QStringLiteral("application/x-custom"), QByteArray("\0\1\2", 3)}};

class InPlaceServiceTest : public ::testing::Test {
protected:
    InPlaceServiceTest() : service(fake.platform()) {
        fake.frontmost.setCurrent(kMousepad);
        fake.clipboard.setContents(kRich);
    }

    // Runs a capture to its end; the elapsed time is kept for the timing checks.
    std::optional<InPlaceService::CaptureResult> capture() {
        std::optional<InPlaceService::CaptureResult> result;
        QElapsedTimer clock;
        clock.start();
        service.captureSelection(&context, [&](const InPlaceService::CaptureResult& r) {
            result = r;
            elapsedMs = clock.elapsed();
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
        return result;
    }

    static std::optional<CaptureError> errorOf(
        const std::optional<InPlaceService::CaptureResult>& r) {
        if (r && std::holds_alternative<CaptureError>(*r)) {
            return std::get<CaptureError>(*r);
        }
        return std::nullopt;
    }

    FakePlatform fake;
    InPlaceService service;
    QObject context;
    qint64 elapsedMs = -1;
};

}  // namespace

TEST_F(InPlaceServiceTest, CopyThatNeverFiresFailsAfterThePollingWindowAndLeavesTheClipboard) {
    const quint64 before = fake.clipboard.changeCount();
    EXPECT_EQ(errorOf(capture()), CaptureError::copyFailed);
    EXPECT_GE(elapsedMs, 500);  // 30 polls of 20 ms
    EXPECT_LT(elapsedMs, 5000);
    EXPECT_EQ(fake.clipboard.changeCount(), before);
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);
}

TEST_F(InPlaceServiceTest, NoDesktopControlIsDeniedWithoutAnyKey) {
    fake.desktopControl.isAvailable = false;
    fake.copyProduces(QStringLiteral("text"));
    EXPECT_EQ(errorOf(capture()), CaptureError::accessibilityDenied);
    EXPECT_TRUE(fake.keys.sent.isEmpty());
}

// The copy waits for the hotkey's modifiers to be let go, and gives up after about 250 ms.
TEST_F(InPlaceServiceTest, HeldModifiersDelayTheCopyUntilReleasedOrAQuarterSecond) {
    struct Row {
        Modifiers held;
        std::optional<int> releasedAtMs;
        qint64 earliestMs;
        qint64 latestMs;
    };
    const Row rows[] = {
        {Modifier::control | Modifier::alt | Modifier::super, 60, 55, 240},
        {Modifier::shift, std::nullopt, 240, 2000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.held.toInt());
        fake.keys.sent.clear();
        fake.modifiers.held = row.held;
        fake.copyProduces(QStringLiteral("text"));
        qint64 sentAtMs = -1;
        Modifiers heldAtCopy;
        QElapsedTimer clock;
        clock.start();
        auto copy = fake.keys.onSend;
        fake.keys.onSend = [&](const KeyChord& chord) {
            sentAtMs = clock.elapsed();
            heldAtCopy = fake.modifiers.held;
            copy(chord);
        };
        if (row.releasedAtMs) {
            QTimer::singleShot(*row.releasedAtMs, &context, [&] { fake.modifiers.held = {}; });
        }
        ASSERT_FALSE(errorOf(capture()).has_value());
        fake.keys.onSend = copy;
        EXPECT_EQ(heldAtCopy, row.releasedAtMs ? Modifiers() : row.held);
        EXPECT_GE(sentAtMs, row.earliestMs);
        EXPECT_LT(sentAtMs, row.latestMs);
        EXPECT_EQ(fake.keys.sent.size(), 1);
    }
}

TEST_F(InPlaceServiceTest, TerminalsCopyAndPasteWithShiftAndInterruptingOnesGetNoKeys) {
    struct Row {
        QString windowClass;
        std::optional<KeyChord> copy;
        std::optional<KeyChord> paste;
    };
    const Modifiers ctrlShift = Modifier::control | Modifier::shift;
    const QList<Row> rows = {
        {QStringLiteral("Lxterminal"), KeyChord{kKeysymC, ctrlShift},
         KeyChord{kKeysymV, ctrlShift}},
        {QStringLiteral("Gnome-terminal"), KeyChord{kKeysymC, ctrlShift},
         KeyChord{kKeysymV, ctrlShift}},
        {QStringLiteral("XTerm"), std::nullopt, std::nullopt},
        {QStringLiteral("URxvt"), std::nullopt, std::nullopt},
        {QStringLiteral("Mousepad"), KeyChord{kKeysymC, Modifier::control},
         KeyChord{kKeysymV, Modifier::control}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.windowClass.toStdString());
        fake.keys.sent.clear();
        fake.frontmost.setCurrent(AppInfo{7, row.windowClass, row.windowClass, 9});
        fake.copyProduces(QStringLiteral("selected"));
        const auto result = capture();
        if (!row.copy) {
            EXPECT_EQ(errorOf(result), CaptureError::copyFailed);
            EXPECT_TRUE(fake.keys.sent.isEmpty());
            continue;
        }
        ASSERT_FALSE(errorOf(result).has_value());
        bool done = false;
        service.pasteReplacing(QStringLiteral("better"), kRich, &context,
                               [&](bool) { done = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        ASSERT_EQ(fake.keys.sent.size(), 2);
        EXPECT_EQ(fake.keys.sent[0], *row.copy);
        EXPECT_EQ(fake.keys.sent[1], *row.paste);
    }
}

TEST_F(InPlaceServiceTest, PasteCarriesTheSecretHintAndTheRestoredClipboardDoesNot) {
    ClipboardSnapshot atPaste;
    qint64 pasteAtMs = -1;
    QElapsedTimer clock;
    clock.start();
    fake.keys.onSend = [&](const KeyChord&) {
        atPaste = fake.clipboard.snapshot();
        pasteAtMs = clock.elapsed();
    };
    std::optional<bool> pasted;
    qint64 doneAtMs = -1;
    service.pasteReplacing(QStringLiteral("Improved\n"), kRich, &context, [&](bool ok) {
        pasted = ok;
        doneAtMs = clock.elapsed();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 5000));
    EXPECT_TRUE(*pasted);
    const ClipboardSnapshot expected{{QStringLiteral("text/plain"), "Improved\n"},
                                     {QString::fromLatin1(kPasswordManagerHintFormat), "secret"}};
    EXPECT_EQ(atPaste, expected);
    EXPECT_GE(pasteAtMs, 35);
    EXPECT_GE(doneAtMs - pasteAtMs, 170);
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);
}

TEST_F(InPlaceServiceTest, EmptyClipboardBeforeIsEmptyAfterThePaste) {
    std::optional<bool> pasted;
    service.pasteReplacing(QStringLiteral("Improved"), {}, &context, [&](bool ok) { pasted = ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 5000));
    EXPECT_TRUE(fake.clipboard.snapshot().isEmpty());
}

TEST_F(InPlaceServiceTest, ANewerCopyDuringThePasteIsNotOverwritten) {
    const ClipboardSnapshot newer{{QStringLiteral("text/plain"), "copied meanwhile"}};
    fake.keys.onSend = [&](const KeyChord&) { fake.clipboard.setContents(newer); };
    std::optional<bool> pasted;
    service.pasteReplacing(QStringLiteral("Improved"), kRich, &context,
                           [&](bool ok) { pasted = ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return pasted.has_value(); }, 5000));
    EXPECT_EQ(fake.clipboard.snapshot(), newer);
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
