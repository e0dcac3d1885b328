#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "ScriptedProvider.h"
#include "core/Compositions.h"
#include "desktop/PlatformTexts.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/platform/ClipboardChords.h"
#include "desktop/platform/fake/FakePlatform.h"
#include "providers/ProviderFactory.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;
using Outcome = InPlaceRunner::Outcome;

namespace {

const AppInfo kMousepad{4242, QStringLiteral("Mousepad"), QStringLiteral("Mousepad"), 0x600001};
const ClipboardSnapshot kRich{{QStringLiteral("text/html"), "<i>mine</i>"},
                              {QStringLiteral("text/plain"), "mine"},
                              {QStringLiteral("application/x-custom"), QByteArray("\0\xff", 2)}};
const QString kSelection = QStringLiteral("so could you maybe send the numbers ");
const QString kAnswer =
    QStringLiteral("Could you send the numbers?\n<<<WHYS>>>\n- concision: cut it");
const QDateTime kNow = QDateTime::fromSecsSinceEpoch(1700000000, QTimeZone::utc());

struct Toast {
    QString text;
    ToastKind kind;
    std::optional<std::chrono::milliseconds> duration;
};

class InPlaceRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("t.conf")));
        history = std::make_unique<HistoryStore>(dir.filePath(QStringLiteral("history.json")));
        runner = std::make_unique<InPlaceRunner>(InPlaceRunner::Services{
            fake.platform(),
            RequestServices{*settings, keys, [this]() -> HistoryStore& { return *history; },
                            [this](const ProviderConfig& config) -> std::unique_ptr<LLMProvider> {
                                configs.append(config);
                                return std::make_unique<ScriptedProvider>(provider);
                            },
                            [] { return kNow; }},
            [this](const QString& text, ToastKind kind,
                   std::optional<std::chrono::milliseconds> duration) {
                toasts.append({text, kind, duration});
            },
            [this] { ++alerts; }});
        reset();
    }

    // A fresh desktop and stores for the next case of a table.
    void reset() {
        history->clear();
        toasts.clear();
        configs.clear();
        alerts = 0;
        pastedClipboard.clear();
        selection = kSelection;
        provider.state().scripts.clear();
        provider.state().requests.clear();
        fake.keys.sent.clear();
        fake.desktopControl.isAvailable = true;
        keys.saveAPIKey(QStringLiteral("sk-test"), apiKeyAccount(ProviderKind::openai));
        fake.frontmost.setCurrent(kMousepad);
        fake.clipboard.setContents(kRich);
        // The fake app: a copy puts the selection on the clipboard, a paste records what it got.
        fake.keys.onSend = [this](const KeyChord& chord) {
            if (chord.keysym == kKeysymC) {
                fake.clipboard.setContents({{QStringLiteral("text/plain"), selection.toUtf8()}});
            } else if (chord.keysym == kKeysymV) {
                pastedClipboard = fake.clipboard.snapshot();
            }
        };
    }

    // Runs one request to its end and returns its outcome (nothing when it stopped at the checks).
    std::optional<Outcome> run(Mode mode = Mode::rewrite,
                               const std::optional<QString>& instruction = std::nullopt,
                               const std::optional<QString>& text = std::nullopt,
                               const std::optional<QString>& appName = std::nullopt) {
        QSignalSpy finished(runner.get(), &InPlaceRunner::requestFinished);
        runner->runInPlace(mode, instruction, text, appName);
        if (runner->runningRequests() == 0) {
            return std::nullopt;
        }
        if (!finished.wait(10000)) {
            ADD_FAILURE() << "request did not finish";
            return std::nullopt;
        }
        return finished.first().first().value<Outcome>();
    }

    QString lastToast() const { return toasts.isEmpty() ? QString() : toasts.last().text; }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<HistoryStore> history;
    MemoryKeyStore keys;
    FakePlatform fake;
    ScriptedProvider provider;
    QString selection = kSelection;
    ClipboardSnapshot pastedClipboard;
    QList<Toast> toasts;
    QList<ProviderConfig> configs;
    int alerts = 0;
    std::unique_ptr<InPlaceRunner> runner;
};

}  // namespace

TEST_F(InPlaceRunnerTest, RewritePastesTheAnswerRestoresTheClipboardAndRecordsIt) {
    settings->setDefaultToneRaw(QStringLiteral("Casual"));
    settings->setDefaultContextRaw(QStringLiteral("Chat"));
    settings->setModel(QStringLiteral("gpt-test"));
    provider.enqueueAnswer({kAnswer});
    EXPECT_EQ(run(), Outcome::pasted);

    ASSERT_EQ(provider.state().requests.size(), 1);
    const auto& request = provider.state().requests.first();
    EXPECT_EQ(request.operation, QStringLiteral("complete"));
    EXPECT_EQ(request.model, QStringLiteral("gpt-test"));
    EXPECT_EQ(
        request.userMessage,
        composeReview(Mode::rewrite, kSelection, Tone::casual, AppContext::chat, {}).userMessage);
    const ClipboardSnapshot pasted{{QStringLiteral("text/plain"), "Could you send the numbers?"},
                                   {QString::fromLatin1(kPasswordManagerHintFormat), "secret"}};
    EXPECT_EQ(pastedClipboard, pasted);
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);

    const QList<HistoryItem> items = history->items();
    ASSERT_EQ(items.size(), 1);
    EXPECT_FALSE(items[0].id.isNull());
    EXPECT_EQ(items[0].date, kNow);
    EXPECT_EQ(items[0].original, kSelection);
    EXPECT_EQ(items[0].review.improved, QStringLiteral("Could you send the numbers?"));
    ASSERT_EQ(items[0].review.whys.size(), 1);
    EXPECT_EQ(items[0].tone, Tone::casual);
    EXPECT_EQ(items[0].context, AppContext::chat);
    EXPECT_EQ(items[0].provider, ProviderKind::openai);
    EXPECT_EQ(items[0].model, QStringLiteral("gpt-test"));
    EXPECT_EQ(items[0].rating, std::nullopt);
    EXPECT_EQ(items[0].mode, Mode::rewrite);

    ASSERT_EQ(toasts.size(), 2);
    EXPECT_EQ(toasts[0].text, QStringLiteral("Rewriting in Mousepad\u2026"));
    EXPECT_EQ(toasts[0].kind, ToastKind::info);
    EXPECT_EQ(toasts[0].duration, std::nullopt);
    EXPECT_EQ(toasts[1].text, QStringLiteral("Rewrote in Mousepad. Ctrl+Z to undo."));
    EXPECT_EQ(toasts[1].kind, ToastKind::success);
    EXPECT_EQ(toasts[1].duration, std::chrono::milliseconds(3000));
}

// Each mode: its composition, its record and its texts, with and without an application name.
TEST_F(InPlaceRunnerTest, EachModeSendsItsCompositionAndShowsItsTexts) {
    const QString french = QStringLiteral("Translate to French");
    const Tone t = Tone::professional;
    const AppContext c = AppContext::email;
    struct Row {
        Mode mode;
        std::optional<QString> instruction;
        bool app;
        ComposedRequest expected;
        QString progress;
        QString done;
    };
    const QList<Row> rows = {
        {Mode::rewrite, std::nullopt, true, composeReview(Mode::rewrite, kSelection, t, c, {}),
         "Rewriting in Mousepad\u2026", "Rewrote in Mousepad. Ctrl+Z to undo."},
        {Mode::proofread, std::nullopt, true, composeReview(Mode::proofread, kSelection, t, c, {}),
         "Proofreading in Mousepad\u2026", "Proofread in Mousepad. Ctrl+Z to undo."},
        {Mode::reply, std::nullopt, true, composeReply(kSelection, {}, t, c, {}),
         "Drafting reply in Mousepad\u2026", "Drafted reply in Mousepad. Ctrl+Z to undo."},
        {Mode::ask, french, true, composeInstruction(french, kSelection, t, c, {}),
         "Running in Mousepad\u2026", "Done in Mousepad. Ctrl+Z to undo."},
        {Mode::rewrite, std::nullopt, false, composeReview(Mode::rewrite, kSelection, t, c, {}),
         "Rewriting in the app\u2026", "Rewrote in the app. Ctrl+Z to undo."},
        {Mode::ask, std::nullopt, false, composeInstruction({}, kSelection, t, c, {}),
         "Running in the app\u2026", "Done in the app. Ctrl+Z to undo."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(rawValue(row.mode).toStdString());
        reset();
        fake.frontmost.setCurrent(row.app ? std::optional(kMousepad) : std::nullopt);
        provider.enqueueAnswer({kAnswer});
        ASSERT_EQ(run(row.mode, row.instruction), Outcome::pasted);
        ASSERT_EQ(provider.state().requests.size(), 1);
        EXPECT_EQ(provider.state().requests[0].systemPrompt, row.expected.systemPrompt);
        EXPECT_EQ(provider.state().requests[0].userMessage, row.expected.userMessage);
        EXPECT_EQ(history->items().first().mode, row.mode);
        EXPECT_EQ(history->items().first().original, kSelection);
        ASSERT_EQ(toasts.size(), 2);
        EXPECT_EQ(toasts[0].text, row.progress);
        EXPECT_EQ(toasts[1].text, row.done);
    }
}

TEST_F(InPlaceRunnerTest, FailureTable) {
    enum class Clip { untouched, restored, copyResult };
    const ClipboardSnapshot image{{QStringLiteral("image/png"), "\x89PNG"}};
    struct Row {
        const char* name;
        std::function<void()> arrange;
        std::optional<Outcome> outcome;
        QString toast;  // empty: no toast
        Clip clipboard;
        int alerts = 0;
    };
    const QList<Row> rows = {
        {"missing key", [&] { keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai)); },
         Outcome::missingKey, "API key is missing. Open Settings and add one.", Clip::untouched},
        {"no desktop control",
         [&] { fake.desktopControl.isAvailable = false; },
         Outcome::noDesktopControl,
         {},
         Clip::untouched,
         1},
        {"copy never fires", [&] { fake.keys.onSend = {}; }, Outcome::captureFailed,
         "Copy didn't fire. Select some text, then press the hotkey again.", Clip::untouched},
        {"image-only copy",
         [&] { fake.keys.onSend = [&](const KeyChord&) { fake.clipboard.setContents(image); }; },
         Outcome::captureFailed, "The app didn't produce text to rewrite.", Clip::copyResult},
        {"white-space selection", [&] { selection = QStringLiteral(" \n "); },
         Outcome::captureFailed, "The app didn't produce text to rewrite.", Clip::copyResult},
        {"provider error",
         [&] { provider.enqueueError(QStringLiteral("Server error (HTTP 500).")); },
         Outcome::providerFailed, "Server error (HTTP 500).", Clip::restored},
        {"white-space answer", [&] { provider.enqueueAnswer({QStringLiteral("  \n\t")}); },
         Outcome::emptyAnswer, "The model returned an empty response.", Clip::restored},
        {"answer with only whys",
         [&] { provider.enqueueAnswer({QStringLiteral("\n<<<WHYS>>>\n- tone: x")}); },
         Outcome::emptyAnswer, "The model returned an empty response.", Clip::restored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        row.arrange();
        const quint64 countBefore = fake.clipboard.changeCount();
        const ClipboardSnapshot copyResult =
            row.clipboard == Clip::copyResult && QString::fromLatin1(row.name) == "image-only copy"
                ? image
                : ClipboardSnapshot{{QStringLiteral("text/plain"), selection.toUtf8()}};

        EXPECT_EQ(run(), row.outcome);

        if (row.toast.isEmpty()) {
            EXPECT_TRUE(toasts.isEmpty());
        } else {
            ASSERT_FALSE(toasts.isEmpty());
            EXPECT_EQ(toasts.last().text, row.toast);
            EXPECT_EQ(toasts.last().kind, ToastKind::error);
            EXPECT_EQ(toasts.last().duration, std::chrono::milliseconds(3000));
        }
        EXPECT_EQ(alerts, row.alerts);
        switch (row.clipboard) {
            case Clip::untouched:
                EXPECT_EQ(fake.clipboard.changeCount(), countBefore);
                EXPECT_EQ(fake.clipboard.snapshot(), kRich);
                break;
            case Clip::restored:
                EXPECT_EQ(fake.clipboard.snapshot(), kRich);
                break;
            case Clip::copyResult:
                EXPECT_EQ(fake.clipboard.snapshot(), copyResult);
                break;
        }
        EXPECT_TRUE(history->items().isEmpty());
        EXPECT_TRUE(pastedClipboard.isEmpty()) << "nothing may be pasted after a failure";
        if (row.outcome == Outcome::missingKey || row.outcome == Outcome::noDesktopControl) {
            EXPECT_TRUE(fake.keys.sent.isEmpty()) << "no keys before the checks pass";
            EXPECT_TRUE(configs.isEmpty());
        }
    }
}

TEST_F(InPlaceRunnerTest, PassedTextIsUsedWithoutACopy) {
    provider.enqueueAnswer({kAnswer});
    EXPECT_EQ(run(Mode::proofread, std::nullopt, QStringLiteral(" passed text "),
                  QStringLiteral("Thunderbird")),
              Outcome::pasted);
    ASSERT_EQ(fake.keys.sent.size(), 1);
    EXPECT_EQ(fake.keys.sent[0].keysym, kKeysymV);
    EXPECT_EQ(history->items().first().original, QStringLiteral(" passed text "));
    EXPECT_EQ(lastToast(), QStringLiteral("Proofread in Thunderbird. Ctrl+Z to undo."));
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);
}

TEST_F(InPlaceRunnerTest, BlankPassedTextIsCapturedInstead) {
    provider.enqueueAnswer({kAnswer});
    EXPECT_EQ(run(Mode::rewrite, std::nullopt, QStringLiteral(" \n ")), Outcome::pasted);
    ASSERT_EQ(fake.keys.sent.size(), 2);
    EXPECT_EQ(fake.keys.sent[0].keysym, kKeysymC);
    EXPECT_EQ(history->items().first().original, kSelection);
}

TEST_F(InPlaceRunnerTest, PasteThatCannotBeSentIsAFailureNotASuccess) {
    fake.frontmost.setCurrent(AppInfo{9, QStringLiteral("XTerm"), QStringLiteral("XTerm"), 3});
    provider.enqueueAnswer({kAnswer});
    EXPECT_EQ(run(Mode::rewrite, std::nullopt, QStringLiteral("passed")), Outcome::pasteFailed);
    EXPECT_TRUE(fake.keys.sent.isEmpty());
    EXPECT_EQ(lastToast(), QStringLiteral("Paste didn't fire. The text in the app is unchanged."));
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);
    EXPECT_TRUE(history->items().isEmpty());
}

TEST_F(InPlaceRunnerTest, ToneCheckNeverRuns) {
    EXPECT_EQ(run(Mode::toneCheck), std::nullopt);
    EXPECT_TRUE(fake.keys.sent.isEmpty());
    EXPECT_TRUE(configs.isEmpty());
}

TEST_F(InPlaceRunnerTest, ASecondRequestRunsBesideTheFirst) {
    provider.enqueue({{kAnswer}, {}, {}, 300, false});
    provider.enqueueAnswer({QStringLiteral("Second answer")});
    QSignalSpy finished(runner.get(), &InPlaceRunner::requestFinished);
    runner->runInPlace(Mode::rewrite);
    ASSERT_TRUE(QTest::qWaitFor([&] { return provider.state().requests.size() == 1; }, 5000));
    selection = QStringLiteral("second selection");
    runner->runInPlace(Mode::rewrite);
    EXPECT_EQ(runner->runningRequests(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 2; }, 10000));
    const QList<HistoryItem> items = history->items();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].original, kSelection);  // the slower one finished last, newest first
    EXPECT_EQ(items[1].review.improved, QStringLiteral("Second answer"));
    EXPECT_EQ(items[1].original, QStringLiteral("second selection"));
}
