#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "ScriptedProvider.h"
#include "core/Prompts.h"
#include "providers/ProviderFactory.h"
#include "session/AppEvents.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using ts::test::ScriptedProvider;

namespace {

class FakeClipboard final : public ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return content; }
    void replaceWithText(const QString& text) override {
        content = text;
        ++writes;
    }
    std::optional<QString> content;
    int writes = 0;
};

class AppStateTest : public ::testing::Test {
protected:
    AppStateTest() { keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai)); }

    void runWith(const QString& text) {
        state.setText(text);
        state.run();
        finish();
    }
    // Runs the event loop until the request of the last start has ended, whichever way.
    void finish() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !state.hasRunningTask(); }, 5000));
    }
    void waitForPhase(AppState::Phase::Kind kind) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state.phase().kind == kind; }, 5000));
    }

    const ScriptedProvider::Request& lastRequest() const {
        return provider.state().requests.constLast();
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    MemoryKeyStore keys;
    FakeClipboard clipboard;
    ScriptedProvider provider;
    QList<ProviderConfig> builtConfigs;
    QDateTime clock = QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
    AppState state{{RequestServices{settings, keys, [this]() -> HistoryStore& { return history; },
                                    [this](const ProviderConfig& config) {
                                        builtConfigs.append(config);
                                        return std::make_unique<ScriptedProvider>(provider);
                                    },
                                    [this] { return clock; }},
                    clipboard}};
};

}  // namespace

TEST_F(AppStateTest, EmptyInputsStartNothing) {
    const struct {
        Mode mode;
        QString text, received, instruction;
    } rows[] = {
        {Mode::rewrite, "", "", ""},
        {Mode::reply, "intent", "  \n ", ""},
        {Mode::ask, "", "", "Make it rhyme"},
        {Mode::ask, "some text", "", "   "},
    };
    for (const auto& row : rows) {
        state.setMode(row.mode);
        state.setText(row.text);
        state.setReplyReceived(row.received);
        state.setAskInstruction(row.instruction);
        state.run();
        EXPECT_EQ(state.phase().kind, AppState::Phase::idle) << rawValue(row.mode).toStdString();
    }
    EXPECT_TRUE(provider.state().requests.isEmpty());
    EXPECT_TRUE(builtConfigs.isEmpty());
}

TEST_F(AppStateTest, MissingKeyIsAnErrorWithoutBuildingAClient) {
    keys.saveAPIKey("", apiKeyAccount(ProviderKind::openai));
    runWith("Hello there");
    EXPECT_EQ(state.phase(),
              AppState::Phase::errorWith("API key is missing. Open Settings and add one."));
    EXPECT_TRUE(builtConfigs.isEmpty());
    EXPECT_TRUE(state.lastOriginal().isEmpty());
}

TEST_F(AppStateTest, StreamingRunShowsPreviewThenResultAndRecordsHistory) {
    provider.enqueue({{"Quick ", "ask <<<", "WHYS>>>\n- concision: cut filler"}, {}, {}, 5, false});
    state.setText("  Could you maybe send the numbers?  ");
    state.setTone(Tone::casual);
    QStringList previews;
    QObject::connect(&state, &AppState::streamingImprovedChanged,
                     [&] { previews << state.streamingImproved(); });
    state.run();
    waitForPhase(AppState::Phase::reviewing);
    clock = clock.addMSecs(1500);
    finish();

    // The text is sent exactly as it stands, untrimmed.
    EXPECT_TRUE(
        lastRequest().userMessage.contains("---\n  Could you maybe send the numbers?  \n---"));
    EXPECT_EQ(previews, QStringList({"Quick", "Quick ask <<<", "Quick ask", ""}));
    ASSERT_TRUE(state.lastReview());
    EXPECT_EQ(*state.lastReview(), (Review{"Quick ask", {{WhyKind::concision, "cut filler"}}}));
    EXPECT_EQ(state.elapsedSeconds(), 1.5);

    ASSERT_EQ(history.items().size(), 1);
    const HistoryItem item = history.items().first();
    EXPECT_EQ(state.currentHistoryID(), item.id);
    EXPECT_EQ(item,
              (HistoryItem{item.id, clock, "  Could you maybe send the numbers?  ",
                           *state.lastReview(), Tone::casual, AppContext::email,
                           ProviderKind::openai, "gpt-4o-mini", std::nullopt, Mode::rewrite}));
}

TEST_F(AppStateTest, FailureShowsTheDescriptionAndKeepsThePreviousResult) {
    provider.enqueueAnswer({"First"});
    runWith("Hello there");
    provider.enqueueError("Invalid API key. Check Settings.");
    runWith("Hello there");
    EXPECT_EQ(state.phase(), AppState::Phase::errorWith("Invalid API key. Check Settings."));
    EXPECT_EQ(state.lastReview()->improved, "First");
    EXPECT_EQ(history.items().size(), 1);
    EXPECT_TRUE(state.streamingImproved().isEmpty());
}

TEST_F(AppStateTest, CancelStopsTheRequestAndRecordsNothing) {
    provider.enqueue({{"a", "b", "c"}, {}, {}, 20, false});
    state.setText("Hello there");
    state.run();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state.streamingImproved().isEmpty(); }, 5000));
    state.cancel();
    EXPECT_EQ(state.phase().kind, AppState::Phase::idle);
    EXPECT_EQ(provider.state().liveCalls, 0);
    EXPECT_EQ(provider.state().abortedCalls, 1);
    QTest::qWait(120);
    EXPECT_EQ(state.phase().kind, AppState::Phase::idle);
    EXPECT_TRUE(history.items().isEmpty());
    EXPECT_FALSE(state.lastReview());
}

TEST_F(AppStateTest, ReplacingRunNeverAppliesTheOldTask) {
    provider.enqueue({{"old answer"}, {}, {}, 200, false});
    provider.enqueue({{"new answer"}, {}, {}, 10, false});
    state.setText("Hello there");
    state.run();
    waitForPhase(AppState::Phase::reviewing);
    state.run(Adjustment::shorter);
    EXPECT_TRUE(state.streamingImproved().isEmpty());
    finish();
    QTest::qWait(300);
    EXPECT_EQ(state.lastReview()->improved, "new answer");
    EXPECT_EQ(history.items().size(), 1);
    EXPECT_EQ(history.items().first().adjustment, Adjustment::shorter);
    EXPECT_TRUE(lastRequest().userMessage.endsWith(instruction(Adjustment::shorter)));
}

// Each mode sends its own composition and records its own original. Retry sends it again, and
// like the way back to the editor brings the sent text back, except after a reply, whose editor
// holds the user's intent; an adjustment never sends that intent.
TEST_F(AppStateTest, EachModeSendsRecordsRetriesAdjustsAndReturns) {
    provider.fallback() = {{"Better"}, {}, {}, 0, false};
    const struct {
        Mode mode;
        QString sent, original;
        bool restores;
    } rows[] = {
        {Mode::rewrite, "---\n Sent text\n\n---", " Sent text\n", true},  // untrimmed
        {Mode::ask, "Instruction:\nMake it rhyme\n\nText:\n---\nSent text\n---", "Sent text", true},
        {Mode::reply, "received:\n---\nReceived\n---", "Received", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(rawValue(row.mode).toStdString());
        state.reset();
        state.setMode(row.mode);
        state.setAskInstruction(" Make it rhyme ");
        state.setReplyReceived("  Received\n");
        runWith(" Sent text\n");
        EXPECT_EQ(lastRequest().systemPrompt, systemPrompt(row.mode));
        EXPECT_TRUE(lastRequest().userMessage.contains(row.sent));
        EXPECT_EQ(history.items().first().original, row.original);
        EXPECT_EQ(history.items().first().mode, row.mode);

        state.setText("edited");
        state.retry();
        finish();
        EXPECT_TRUE(lastRequest().userMessage.contains(row.sent));
        EXPECT_EQ(state.text(), row.restores ? row.original : "edited");
        state.setText("edited again");
        state.returnToEditor();
        EXPECT_EQ(state.phase().kind, AppState::Phase::idle);
        EXPECT_EQ(state.text(), row.restores ? row.original : "edited again");

        state.adjust(Adjustment::friendlier);
        finish();
        EXPECT_EQ(lastRequest().systemPrompt, systemPrompt(row.mode));
        EXPECT_TRUE(lastRequest().userMessage.contains(row.original));
        EXPECT_FALSE(lastRequest().userMessage.contains("edited"));
    }
}

// A restored record shows its result in its own mode; a record from before modes is a rewrite.
TEST_F(AppStateTest, RestoredRecordShowsItsResultInItsMode) {
    runWith("Hello there");
    const struct {
        std::optional<Mode> mode;
        Mode shown;
        QString text, received, instruction;
    } rows[] = {
        {Mode::reply, Mode::reply, "", "Lunch?", ""},
        {std::nullopt, Mode::rewrite, "Lunch?", "", ""},
        {Mode::ask, Mode::ask, "Lunch?", "", "typed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(rawValue(row.shown).toStdString());
        state.setText("typed");
        state.setReplyReceived("typed");
        state.setAskInstruction("typed");
        const HistoryItem item{QUuid::createUuid(),
                               clock,
                               "Lunch?",
                               Review{"Yes!", {}},
                               Tone::friendly,
                               AppContext::chat,
                               ProviderKind::openai,
                               {},
                               std::nullopt,
                               row.mode};
        state.restoreHistoryItem(item);
        EXPECT_EQ(state.phase().kind, AppState::Phase::result);
        EXPECT_EQ(std::tuple(state.lastReview(), state.currentHistoryID(), state.tone(),
                             state.context(), state.mode(), state.lastMode()),
                  std::tuple(item.review, item.id, item.tone, item.context, row.shown, row.shown));
        EXPECT_EQ(QStringList({state.text(), state.replyReceived(), state.askInstruction()}),
                  QStringList({row.text, row.received, row.instruction}));
        EXPECT_EQ(state.elapsedSeconds(), std::nullopt);
    }
}

TEST_F(AppStateTest, RatingTogglesOnTheRecordOnScreen) {
    state.rate(Rating::up);  // nothing on screen yet
    runWith("Original text");
    state.rate(Rating::up);
    EXPECT_EQ(state.currentRating(), Rating::up);
    EXPECT_EQ(history.items().first().rating, Rating::up);
    state.rate(Rating::up);
    EXPECT_EQ(state.currentRating(), std::nullopt);
    history.clear();
    state.rate(Rating::up);
    EXPECT_EQ(state.currentRating(), std::nullopt);
}

TEST_F(AppStateTest, ClipboardPrefillRules) {
    struct Row {
        std::optional<QString> clip;
        bool accepted;
        Mode mode = Mode::rewrite;
        bool autoPaste = true;
    };
    const Row rows[] = {
        {std::nullopt, false},
        {"0123456789", false},                     // 10 characters
        {"   https://example.com/page  ", false},  // one link
        {"www.example.com/a b", true},             // a link and more
        {"Supercalifragilistic", false},           // no space
        {"  Can we meet soon?\n", true},           // 19 characters, three words
        {"Can we meet soon?", false, Mode::reply},
        {"Can we meet soon?", false, Mode::rewrite, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.clip.value_or("<none>").toStdString());
        state.reset();
        state.setMode(row.mode);
        settings.setAutoPaste(row.autoPaste);
        clipboard.content = row.clip;
        state.prefillFromClipboard();
        EXPECT_EQ(state.fromClipboard(), row.accepted);
        EXPECT_EQ(state.text(), row.accepted ? row.clip->trimmed() : QString());
    }
}

TEST_F(AppStateTest, CopyPutsTextOnTheClipboardThenAsksToDismiss) {
    state.copyImproved();
    EXPECT_EQ(clipboard.writes, 0);
    provider.enqueueAnswer({"Better text"});
    runWith("Original text");
    QSignalSpy dismiss(&AppEvents::shared(), &AppEvents::dismissPopover);
    state.copyImproved();
    EXPECT_EQ(clipboard.content, "Better text");
    EXPECT_TRUE(state.copied());
    EXPECT_EQ(dismiss.count(), 0);
    EXPECT_TRUE(dismiss.wait(2000));
    state.copyImproved();
    state.cancelPendingDismiss();
    QTest::qWait(600);
    EXPECT_EQ(dismiss.count(), 1);
}

// What a show of the window for new input keeps: the user's own unsent draft, never a prefill
// or a text a request finished on.
TEST_F(AppStateTest, ShowingAgainKeepsOnlyAnUnsentDraft) {
    provider.fallback() = {{"Better"}, {}, {}, 0, false};
    clipboard.content = "Can we meet on Thursday?";
    const struct {
        const char* name;
        std::function<void()> steps;
        bool kept;
    } rows[] = {
        {"typed", [&] { state.setText("half a paragraph"); }, true},
        {"typed reply",
         [&] {
             state.setMode(Mode::reply);
             state.setReplyReceived("Lunch?");
         },
         true},
        {"prefill", [&] { state.prefillFromClipboard(); }, false},
        {"prefill edited",
         [&] {
             state.prefillFromClipboard();
             state.setText(state.text() + " Or Friday?");
         },
         true},
        {"request failed",
         [&] {
             provider.enqueue({{}, RequestError("offline"), {}, 0, false});
             runWith("still mine");
         },
         true},
        {"request finished", [&] { runWith("sent"); }, false},
        {"back to edit",
         [&] {
             runWith("sent");
             state.returnToEditor();
         },
         false},
        {"typed after back",
         [&] {
             runWith("sent");
             state.returnToEditor();
             state.setText("sent, then edited");
         },
         true},
        {"copied",
         [&] {
             runWith("sent");
             state.copyImproved();
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        state.reset();
        state.setTone(Tone::casual);
        row.steps();
        const Mode mode = state.mode();
        const QString text = state.text();
        state.resetUnlessDraft();
        EXPECT_EQ(state.phase().kind, AppState::Phase::idle);
        if (row.kept) {
            EXPECT_EQ(std::tuple(state.mode(), state.text(), state.tone()),
                      std::tuple(mode, text, Tone::casual));
        } else {
            EXPECT_EQ(std::tuple(state.mode(), state.text(), state.tone()),
                      std::tuple(Mode::rewrite, QString(), Tone::professional));
        }
    }
}

// The intent of a reply and the text of the other modes share `text`, yet each mode shows only
// its own, and the clipboard badge stays with the text that came from the clipboard.
TEST_F(AppStateTest, ModeSwitchShowsEachSideItsOwnText) {
    clipboard.content = "Can we meet on Thursday?";
    state.prefillFromClipboard();
    state.setMode(Mode::reply);
    EXPECT_EQ(std::pair(state.text(), state.fromClipboard()), std::pair(QString(), false));
    state.setReplyReceived("Lunch?");
    state.setText("yes");
    state.run();
    finish();
    EXPECT_TRUE(lastRequest().userMessage.contains("yes"));
    EXPECT_FALSE(lastRequest().userMessage.contains("Thursday"));
    state.returnToEditor();
    state.setMode(Mode::proofread);
    EXPECT_EQ(std::pair(state.text(), state.fromClipboard()),
              std::pair(QString("Can we meet on Thursday?"), true));
    state.setMode(Mode::reply);
    EXPECT_EQ(state.text(), "yes");
    // A reset forgets both sides.
    state.reset();
    EXPECT_EQ(state.text(), "");
    state.setMode(Mode::reply);
    EXPECT_EQ(state.text(), "");
}
