#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "ScriptedProvider.h"
#include "core/Compositions.h"
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
    friend bool operator==(const Toast&, const Toast&) = default;
};

class InPlaceRunnerTest : public ::testing::Test {
protected:
    InPlaceRunnerTest() { reset(); }

    // A fresh desktop and stores for the next case of a table.
    void reset() {
        history.clear();
        toasts.clear();
        configs.clear();
        alerts = 0;
        pastedClipboard.clear();
        selection = kSelection;
        provider.state().scripts.clear();
        provider.state().requests.clear();
        fake.keys.sent.clear();
        fake.desktopControl.isAvailable = true;
        fake.desktopControl.keys = true;
        fake.desktopControl.preferCopyPaste = true;
        fake.focusedText = FakeFocusedText();
        keys.saveAPIKey(QStringLiteral("sk-test"), apiKeyAccount(ProviderKind::openai));
        fake.frontmost.setCurrent(kMousepad);
        fake.clipboard.setContents(kRich);
        // The fake app: a copy puts the selection on the clipboard, a paste records what it got.
        fake.keys.onSend = [this](const KeyChord& chord) {
            if (chord.keysym == kKeysymC) {
                fake.clipboard.setContents({{QStringLiteral("text/plain"), selection.toUtf8()}});
            } else if (chord.keysym == kKeysymV) {
                pastedClipboard = fake.clipboard.snapshot();
                fake.clipboard.readText();
            }
        };
    }

    // Runs one request to its end and returns its outcome (nothing when it stopped at the checks).
    std::optional<Outcome> run(Mode mode = Mode::rewrite,
                               const std::optional<QString>& instruction = std::nullopt,
                               const std::optional<QString>& text = std::nullopt,
                               const std::optional<QString>& appName = std::nullopt) {
        QSignalSpy finished(&runner, &InPlaceRunner::requestFinished);
        runner.runInPlace(mode, instruction, text, appName);
        if (runner.runningRequests() == 0) {
            return std::nullopt;
        }
        if (!finished.wait(10000)) {
            ADD_FAILURE() << "request did not finish";
            return std::nullopt;
        }
        return finished.first().first().value<Outcome>();
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("t.conf"))};
    HistoryStore history{dir.filePath(QStringLiteral("history.json"))};
    MemoryKeyStore keys;
    FakePlatform fake;
    ScriptedProvider provider;
    QString selection = kSelection;
    ClipboardSnapshot pastedClipboard;
    QList<Toast> toasts;
    QList<ProviderConfig> configs;
    int alerts = 0;
    InPlaceRunner runner{InPlaceRunner::Services{
        fake.platform(),
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; },
                        [this](const ProviderConfig& config) -> std::unique_ptr<LLMProvider> {
                            configs.append(config);
                            return std::make_unique<ScriptedProvider>(provider);
                        },
                        [] { return kNow; }},
        [this](const QString& text, ToastKind kind,
               std::optional<std::chrono::milliseconds> duration) {
            toasts.append({text, kind, duration});
        },
        [this] { ++alerts; }}};
};

}  // namespace

// Each mode, with the stored tone, context and model, with and without an application name: its
// composition in one whole request, the answer pasted with the secret hint, the clipboard given
// back, its record and its texts.
TEST_F(InPlaceRunnerTest, EachModePastesTheAnswerRestoresTheClipboardAndRecordsIt) {
    settings.setDefaultToneRaw(QStringLiteral("Casual"));
    settings.setDefaultContextRaw(QStringLiteral("Chat"));
    settings.setModel(QStringLiteral("gpt-test"));
    const QString french = QStringLiteral("Translate to French");
    const Tone t = Tone::casual;
    const AppContext c = AppContext::chat;
    const struct {
        Mode mode;
        std::optional<QString> instruction;
        bool app;
        ComposedRequest expected;
        QString progress, done;
    } rows[] = {
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
    const QString improved = QStringLiteral("Could you send the numbers?");
    const ClipboardSnapshot pasted{{QStringLiteral("text/plain"), improved.toUtf8()},
                                   {QString::fromLatin1(kPasswordManagerHintFormat), "secret"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(rawValue(row.mode).toStdString());
        reset();
        fake.frontmost.setCurrent(row.app ? std::optional(kMousepad) : std::nullopt);
        provider.enqueueAnswer({kAnswer});
        ASSERT_EQ(run(row.mode, row.instruction), Outcome::pasted);
        ASSERT_EQ(provider.state().requests.size(), 1);
        const auto& request = provider.state().requests.first();
        EXPECT_EQ(request.operation, QStringLiteral("complete"));
        EXPECT_EQ(request.systemPrompt, row.expected.systemPrompt);
        EXPECT_EQ(request.userMessage, row.expected.userMessage);
        EXPECT_EQ(pastedClipboard, pasted);
        EXPECT_EQ(fake.clipboard.snapshot(), kRich);

        const QList<HistoryItem> items = history.items();
        ASSERT_EQ(items.size(), 1);
        EXPECT_FALSE(items[0].id.isNull());
        const Review review{improved, {{WhyKind::concision, "cut it"}}};
        EXPECT_EQ(items[0],
                  (HistoryItem{items[0].id, kNow, kSelection, review, t, c, ProviderKind::openai,
                               "gpt-test", std::nullopt, row.mode}));
        EXPECT_EQ(toasts,
                  (QList<Toast>{{row.progress, ToastKind::info, std::nullopt},
                                {row.done, ToastKind::success, std::chrono::milliseconds(3000)}}));
    }
}

// Nothing is pasted or recorded after a failure; the clipboard is as the user left it, or as
// their application's copy left it when that produced no text.
TEST_F(InPlaceRunnerTest, FailureTable) {
    const ClipboardSnapshot image{{QStringLiteral("image/png"), "\x89PNG"}};
    const ClipboardSnapshot blank{{QStringLiteral("text/plain"), " \n "}};
    struct Row {
        const char* name;
        std::function<void()> arrange;
        Outcome outcome;
        QString toast;  // empty: no toast
        ClipboardSnapshot clipboard;
        int alerts = 0;
        std::optional<QString> text = std::nullopt;  // passed instead of a copy
    };
    const QList<Row> rows = {
        {"missing key", [&] { keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai)); },
         Outcome::missingKey, "API key is missing. Open Settings and add one.", kRich},
        {"no desktop control",
         [&] { fake.desktopControl.isAvailable = false; },
         Outcome::noDesktopControl,
         {},
         kRich,
         1},
        {"copy never fires", [&] { fake.keys.onSend = {}; }, Outcome::captureFailed,
         "Copy didn't fire. Select some text, then press the hotkey again.", kRich},
        {"image-only copy",
         [&] { fake.keys.onSend = [&](const KeyChord&) { fake.clipboard.setContents(image); }; },
         Outcome::captureFailed, "The app didn't produce text to rewrite.", image},
        {"white-space selection", [&] { selection = QStringLiteral(" \n "); },
         Outcome::captureFailed, "The app didn't produce text to rewrite.", blank},
        {"provider error",
         [&] { provider.enqueueError(QStringLiteral("Server error (HTTP 500).")); },
         Outcome::providerFailed, "Server error (HTTP 500).", kRich},
        {"white-space answer", [&] { provider.enqueueAnswer({QStringLiteral("  \n\t")}); },
         Outcome::emptyAnswer, "The model returned an empty response.", kRich},
        {"answer with only whys",
         [&] { provider.enqueueAnswer({QStringLiteral("\n<<<WHYS>>>\n- tone: x")}); },
         Outcome::emptyAnswer, "The model returned an empty response.", kRich},
        {"terminal without a safe paste keystroke",
         [&] {
             fake.frontmost.setCurrent(AppInfo{9, "XTerm", "XTerm", 3});
             provider.enqueueAnswer({kAnswer});
         },
         Outcome::pasteFailed, "Paste didn't fire. The text in the app is unchanged.", kRich, 0,
         "passed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        row.arrange();
        const quint64 countBefore = fake.clipboard.changeCount();
        EXPECT_EQ(run(Mode::rewrite, std::nullopt, row.text), row.outcome);
        if (row.toast.isEmpty()) {
            EXPECT_TRUE(toasts.isEmpty());
        } else {
            EXPECT_EQ(toasts.value(toasts.size() - 1),
                      (Toast{row.toast, ToastKind::error, std::chrono::milliseconds(3000)}));
        }
        EXPECT_EQ(alerts, row.alerts);
        EXPECT_EQ(fake.clipboard.snapshot(), row.clipboard);
        EXPECT_TRUE(history.items().isEmpty());
        EXPECT_TRUE(pastedClipboard.isEmpty()) << "nothing may be pasted after a failure";
        if (row.outcome == Outcome::missingKey || row.outcome == Outcome::noDesktopControl) {
            EXPECT_TRUE(fake.keys.sent.isEmpty()) << "no keys before the checks pass";
            EXPECT_TRUE(configs.isEmpty());
            EXPECT_EQ(fake.clipboard.changeCount(), countBefore);
        }
    }
}

// A passed text is used as it stands, without a copy; a blank one is captured instead, and the
// captured application's name wins.
TEST_F(InPlaceRunnerTest, PassedTextReplacesTheCopyUnlessBlank) {
    const struct {
        QString text;
        QList<quint32> keysyms;
        QString original;
        QString done;
    } rows[] = {
        {" passed text ", {kKeysymV}, " passed text ", "Proofread in Thunderbird. Ctrl+Z to undo."},
        {" \n ", {kKeysymC, kKeysymV}, kSelection, "Proofread in Mousepad. Ctrl+Z to undo."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        reset();
        provider.enqueueAnswer({kAnswer});
        EXPECT_EQ(run(Mode::proofread, std::nullopt, row.text, QStringLiteral("Thunderbird")),
                  Outcome::pasted);
        QList<quint32> keysyms;
        for (const KeyChord& chord : fake.keys.sent) {
            keysyms << chord.keysym;
        }
        EXPECT_EQ(keysyms, row.keysyms);
        EXPECT_EQ(history.items().first().original, row.original);
        EXPECT_EQ(toasts.value(1).text, row.done);
        EXPECT_EQ(fake.clipboard.snapshot(), kRich);
    }
}

// A text handed over with its application (the instruction panel) goes back only into that
// application, and only when it is the active one; a terminal gets the texts without undo.
TEST_F(InPlaceRunnerTest, PassedTextGoesOnlyIntoItsApplication) {
    const AppInfo terminal{31, QStringLiteral("Gnome-terminal"), QStringLiteral("Terminal"),
                           0x900001};
    const struct {
        AppInfo front;
        qint64 sourcePid;
        Outcome outcome;
        QString lastToast;
    } rows[] = {
        {kMousepad, kMousepad.pid, Outcome::pasted, "Done in Mousepad. Ctrl+Z to undo."},
        {kMousepad, 77, Outcome::windowChanged, "The window changed before the answer arrived."},
        {terminal, terminal.pid, Outcome::pasted, "Typed the result into Terminal."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sourcePid);
        reset();
        fake.frontmost.setCurrent(row.front);
        provider.enqueueAnswer({kAnswer});
        QSignalSpy finished(&runner, &InPlaceRunner::requestFinished);
        runner.runInPlace(Mode::ask, QStringLiteral("make it formal"), QStringLiteral("the text"),
                          row.front.name, row.sourcePid);
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(finished.first().first().value<Outcome>(), row.outcome);
        EXPECT_EQ(pastedClipboard.isEmpty(), row.outcome != Outcome::pasted);
        EXPECT_EQ(history.items().size(), 1);
        EXPECT_TRUE(toasts.last().text.startsWith(row.lastToast))
            << toasts.last().text.toStdString();
    }
}

TEST_F(InPlaceRunnerTest, ToneCheckNeverRuns) {
    EXPECT_EQ(run(Mode::toneCheck), std::nullopt);
    EXPECT_TRUE(fake.keys.sent.isEmpty());
    EXPECT_TRUE(configs.isEmpty());
}

// The source window closed while the model thought and the user is elsewhere: nothing is pasted
// anywhere, the clipboard comes back, and the answer is kept in the history.
TEST_F(InPlaceRunnerTest, AnswerForAClosedWindowGoesToTheHistoryOnly) {
    provider.enqueue({{kAnswer}, {}, {}, 300, false});
    QSignalSpy finished(&runner, &InPlaceRunner::requestFinished);
    runner.runInPlace(Mode::rewrite);
    ASSERT_TRUE(QTest::qWaitFor([&] { return provider.state().requests.size() == 1; }, 5000));
    fake.frontmost.knownApps.clear();
    fake.frontmost.setCurrent(AppInfo{9, QStringLiteral("Geany"), QStringLiteral("Geany"), 0x700});
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.first().first().value<Outcome>(), Outcome::windowChanged);
    EXPECT_TRUE(pastedClipboard.isEmpty());
    EXPECT_EQ(fake.clipboard.snapshot(), kRich);
    ASSERT_EQ(history.items().size(), 1);
    EXPECT_EQ(toasts.last().kind, ToastKind::error);
    EXPECT_TRUE(toasts.last().text.startsWith("The window changed before the answer arrived."));
}

// A second trigger while the first waits would paste twice and take a clipboard that was not
// given back yet.
TEST_F(InPlaceRunnerTest, ASecondTriggerWhileOneRunsIsIgnored) {
    provider.enqueue({{kAnswer}, {}, {}, 300, false});
    QSignalSpy finished(&runner, &InPlaceRunner::requestFinished);
    runner.runInPlace(Mode::rewrite);
    ASSERT_TRUE(QTest::qWaitFor([&] { return provider.state().requests.size() == 1; }, 5000));
    selection = QStringLiteral("second selection");
    runner.runInPlace(Mode::rewrite);
    EXPECT_EQ(runner.runningRequests(), 1);
    EXPECT_EQ(toasts.last(),
              (Toast{QStringLiteral("Already rewriting\u2026"), ToastKind::info, std::nullopt}));
    ASSERT_TRUE(finished.wait(10000));
    QTest::qWait(400);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(provider.state().requests.size(), 1);
    ASSERT_EQ(history.items().size(), 1);
    EXPECT_EQ(history.items()[0].original, kSelection);
}

// The focused element's text: first on Wayland, after a failed copy on X11. What the element
// does with the answer decides the outcome; the answer is never lost, and the clipboard is only
// touched by a paste.
TEST_F(InPlaceRunnerTest, FocusedTextTable) {
    const TextSelection word{kSelection, 3, 39, true, QStringLiteral("Mousepad"), kMousepad.pid, 1};
    TextSelection readOnly = word;
    readOnly.editable = false;
    struct Row {
        const char* name;
        bool wayland;  // copy and paste only as the fallback
        bool keys;     // a virtual keyboard and clipboard control
        std::optional<TextSelection> selection;
        FocusedText::Replaced answer;
        Outcome outcome;
        QString toast;
        bool pasted = false;  // the answer went through the clipboard
        bool modelFails = false;
    };
    const QString twice = QStringLiteral("Rewrote in Mousepad. Ctrl+Z twice to undo.");
    const QString once = QStringLiteral("Rewrote in Mousepad. Ctrl+Z to undo.");
    const QString notTaken = QStringLiteral(
        "This app doesn't accept text from Tessarine. The answer is in the history.");
    const QList<Row> rows = {
        {"replaced", true, false, word, FocusedText::Replaced::replaced, Outcome::pasted, twice},
        {"changed meanwhile", true, false, word, FocusedText::Replaced::changed,
         Outcome::windowChanged,
         "The window changed before the answer arrived. Nothing was "
         "pasted; the answer is in the history."},
        {"refused", true, false, word, FocusedText::Replaced::refused, Outcome::notAccepted,
         notTaken},
        {"read-only view", true, false, readOnly, FocusedText::Replaced::refused,
         Outcome::notAccepted, notTaken},
        {"refused, pasted by keys", true, true, word, FocusedText::Replaced::refused,
         Outcome::pasted, once, true},
        {"nothing focused, copied by keys", true, true, std::nullopt,
         FocusedText::Replaced::replaced, Outcome::pasted, once, true},
        {"nothing focused, no keys", true, false, std::nullopt, FocusedText::Replaced::replaced,
         Outcome::captureFailed, "Nothing selected in the frontmost app."},
        {"X11 copy failed", false, true, word, FocusedText::Replaced::replaced, Outcome::pasted,
         twice},
        {"taken its own way", true, true, word, FocusedText::Replaced::garbled,
         Outcome::notAccepted,
         "The app changed the text its own way. Check it; the answer is in the history."},
        {"model failed", true, true, word, FocusedText::Replaced::replaced, Outcome::providerFailed,
         "Server error (HTTP 500).", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        fake.desktopControl.preferCopyPaste = !row.wayland;
        fake.desktopControl.keys = row.keys;
        fake.focusedText.isAvailable = true;
        fake.focusedText.current = row.selection;
        fake.focusedText.answer = row.answer;
        if (!row.wayland) {
            fake.keys.onSend = {};  // the copy never fires
        }
        if (row.modelFails) {
            provider.enqueueError(QStringLiteral("Server error (HTTP 500)."));
        } else if (row.outcome != Outcome::captureFailed) {
            provider.enqueueAnswer({kAnswer});
        }
        EXPECT_EQ(run(), row.outcome);
        EXPECT_EQ(toasts.value(toasts.size() - 1).text, row.toast);
        const bool answered = row.outcome != Outcome::captureFailed && !row.modelFails;
        EXPECT_EQ(history.items().size(), answered ? 1 : 0);
        EXPECT_EQ(fake.clipboard.snapshot(), kRich) << "a clipboard it never took is left alone";
        EXPECT_EQ(!pastedClipboard.isEmpty(), row.pasted);
        EXPECT_EQ(fake.focusedText.replacedWith,
                  row.selection && answered
                      ? QStringList{QStringLiteral("Could you send the numbers?")}
                      : QStringList());
    }
}
