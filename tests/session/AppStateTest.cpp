#include <gtest/gtest.h>

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedProvider.h"
#include "core/Prompts.h"
#include "providers/ProviderFactory.h"
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

// Holds every key read until the test lets it through, like a keyring that is slow to answer.
class SlowKeyStore final : public KeyStore {
public:
    QString readAPIKey(const QString& account) override { return keys.readAPIKey(account); }
    void saveAPIKey(const QString& value, const QString& account) override {
        keys.saveAPIKey(value, account);
    }
    void deleteAPIKey(const QString& account) override { keys.deleteAPIKey(account); }
    QString locationDescription() const override { return {}; }
    void readAPIKeyLater(const QString& account, QObject* context, KeyCallback done) override {
        if (!holding) {
            KeyStore::readAPIKeyLater(account, context, std::move(done));
            return;
        }
        held.append([this, account, guard = QPointer<QObject>(context), done] {
            if (guard) {
                done(readAPIKey(account));
            }
        });
    }
    void release() {
        for (const auto& answer : std::exchange(held, {})) {
            answer();
        }
    }

    MemoryKeyStore keys;
    bool holding = false;
    QList<std::function<void()>> held;
};

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<SettingsStore>(dir.filePath("tessarine.conf"));
        history = std::make_unique<HistoryStore>(dir.filePath("history.json"));
        keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai));
        state = std::make_unique<AppState>(AppState::Services{
            RequestServices{*settings, keys, [this]() -> HistoryStore& { return *history; },
                            [this](const ProviderConfig& config) {
                                builtConfigs.append(config);
                                return std::make_unique<ScriptedProvider>(provider);
                            },
                            [this] { return clock; }},
            clipboard});
    }

    // Runs the event loop until the request of the last start has ended, whichever way.
    void finish() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !state->hasRunningTask(); }, 5000));
    }
    void waitForPhase(AppState::Phase::Kind kind) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state->phase().kind == kind; }, 5000));
    }

    const ScriptedProvider::Request& lastRequest() const {
        return provider.state().requests.constLast();
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<HistoryStore> history;
    SlowKeyStore keys;
    FakeClipboard clipboard;
    ScriptedProvider provider;
    QList<ProviderConfig> builtConfigs;
    QDateTime clock = QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
    std::unique_ptr<AppState> state;
};

}  // namespace

TEST_F(AppStateTest, EmptyInputsStartNothing) {
    struct Row {
        Mode mode;
        QString text, received, instruction;
    };
    const Row rows[] = {
        {Mode::rewrite, "", "", ""},
        {Mode::reply, "intent", "  \n ", ""},
        {Mode::ask, "", "", "Make it rhyme"},
        {Mode::ask, "some text", "", "   "},
    };
    for (const Row& row : rows) {
        state->setMode(row.mode);
        state->setText(row.text);
        state->setReplyReceived(row.received);
        state->setAskInstruction(row.instruction);
        state->run();
        EXPECT_EQ(state->phase().kind, AppState::Phase::idle) << rawValue(row.mode).toStdString();
    }
    EXPECT_TRUE(provider.state().requests.isEmpty());
    EXPECT_TRUE(builtConfigs.isEmpty());
}

TEST_F(AppStateTest, MissingKeyIsAnErrorWithoutBuildingAClient) {
    keys.saveAPIKey("", apiKeyAccount(ProviderKind::openai));
    state->setText("Hello there");
    state->run();
    finish();
    EXPECT_EQ(state->phase(),
              AppState::Phase::errorWith("API key is missing. Open Settings and add one."));
    EXPECT_TRUE(builtConfigs.isEmpty());
    EXPECT_TRUE(state->lastOriginal().isEmpty());

    // The local runtime needs no key.
    settings->setProvider(ProviderKind::ollama);
    provider.enqueueAnswer({"ok"});
    state->run();
    finish();
    EXPECT_EQ(state->phase().kind, AppState::Phase::result);
    ASSERT_EQ(builtConfigs.size(), 1);
    EXPECT_EQ(builtConfigs[0].kind, ProviderKind::ollama);
    EXPECT_EQ(lastRequest().model, "llama3.1");
}

TEST_F(AppStateTest, StreamingRunShowsPreviewThenResultAndRecordsHistory) {
    provider.enqueue({{"Quick ", "ask <<<", "WHYS>>>\n- concision: cut filler"}, {}, {}, 5, false});
    state->setText("  Could you maybe send the numbers?  ");
    state->setTone(Tone::casual);
    QStringList previews;
    QObject::connect(state.get(), &AppState::streamingImprovedChanged,
                     [&] { previews << state->streamingImproved(); });
    state->run();
    waitForPhase(AppState::Phase::reviewing);
    clock = clock.addMSecs(1500);
    finish();

    // The text is sent exactly as it stands, untrimmed.
    EXPECT_TRUE(
        lastRequest().userMessage.contains("---\n  Could you maybe send the numbers?  \n---"));
    EXPECT_EQ(lastRequest().systemPrompt, systemPrompt(Mode::rewrite));
    EXPECT_EQ(lastRequest().model, "gpt-4o-mini");
    EXPECT_EQ(previews, QStringList({"Quick", "Quick ask <<<", "Quick ask", ""}));
    ASSERT_TRUE(state->lastReview());
    EXPECT_EQ(state->lastReview()->improved, "Quick ask");
    ASSERT_EQ(state->lastReview()->whys.size(), 1);
    EXPECT_EQ(state->elapsedSeconds(), 1.5);

    ASSERT_EQ(history->items().size(), 1);
    const HistoryItem item = history->items().first();
    EXPECT_EQ(state->currentHistoryID(), item.id);
    EXPECT_EQ(item.original, "  Could you maybe send the numbers?  ");
    EXPECT_EQ(item.tone, Tone::casual);
    EXPECT_EQ(item.mode, Mode::rewrite);
    EXPECT_EQ(item.model, "gpt-4o-mini");
    EXPECT_EQ(item.date, clock);
    EXPECT_EQ(item.rating, std::nullopt);
}

TEST_F(AppStateTest, FailureShowsTheDescriptionAndKeepsThePreviousResult) {
    provider.enqueueAnswer({"First"});
    state->setText("Hello there");
    state->run();
    finish();
    provider.enqueueError("Invalid API key. Check Settings.");
    state->run();
    finish();
    EXPECT_EQ(state->phase(), AppState::Phase::errorWith("Invalid API key. Check Settings."));
    EXPECT_EQ(state->lastReview()->improved, "First");
    EXPECT_EQ(history->items().size(), 1);
    EXPECT_TRUE(state->streamingImproved().isEmpty());
}

TEST_F(AppStateTest, CancelStopsTheRequestAndRecordsNothing) {
    provider.enqueue({{"a", "b", "c"}, {}, {}, 20, false});
    state->setText("Hello there");
    state->run();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state->streamingImproved().isEmpty(); }, 5000));
    state->cancel();
    EXPECT_EQ(state->phase().kind, AppState::Phase::idle);
    EXPECT_EQ(provider.state().liveCalls, 0);
    EXPECT_EQ(provider.state().abortedCalls, 1);
    QTest::qWait(120);
    EXPECT_EQ(state->phase().kind, AppState::Phase::idle);
    EXPECT_TRUE(history->items().isEmpty());
    EXPECT_FALSE(state->lastReview());
}

// The key is read without blocking: the window stays live, and a start or a cancel made while
// the keyring is slow to answer wins over the start that waits for it.
TEST_F(AppStateTest, StartWaitsForTheKeyWithoutBlocking) {
    provider.fallback() = {{"Better"}, {}, {}, 0, false};
    keys.holding = true;
    state->setText("Hello there");
    state->run();
    QTest::qWait(20);
    EXPECT_EQ(state->phase().kind, AppState::Phase::idle);
    EXPECT_TRUE(state->hasRunningTask());
    state->cancel();
    keys.release();
    QTest::qWait(20);
    EXPECT_EQ(state->phase().kind, AppState::Phase::idle);
    EXPECT_TRUE(provider.state().requests.isEmpty());

    state->run();
    state->setText("Second text");
    state->run();
    keys.release();
    finish();
    ASSERT_EQ(provider.state().requests.size(), 1);
    EXPECT_TRUE(lastRequest().userMessage.contains("Second text"));
    EXPECT_EQ(history->items().size(), 1);
}

TEST_F(AppStateTest, ReplacingRunNeverAppliesTheOldTask) {
    provider.enqueue({{"old answer"}, {}, {}, 200, false});
    provider.enqueue({{"new answer"}, {}, {}, 10, false});
    state->setText("Hello there");
    state->run();
    waitForPhase(AppState::Phase::reviewing);
    state->run(Adjustment::shorter);
    EXPECT_TRUE(state->streamingImproved().isEmpty());
    finish();
    QTest::qWait(300);
    EXPECT_EQ(state->lastReview()->improved, "new answer");
    EXPECT_EQ(history->items().size(), 1);
    EXPECT_TRUE(lastRequest().userMessage.endsWith(instruction(Adjustment::shorter)));
}

TEST_F(AppStateTest, AdjustAfterReplyResendsTheReceivedMessageWithTheReplyPrompt) {
    provider.fallback() = {{"Sure, see you"}, {}, {}, 0, false};
    state->setMode(Mode::reply);
    state->setReplyReceived("  Are we still on for lunch?\n");
    state->setText("yes");
    state->run();
    finish();
    EXPECT_EQ(state->lastOriginal(), "Are we still on for lunch?");
    EXPECT_EQ(history->items().first().mode, Mode::reply);
    state->adjust(Adjustment::friendlier);
    finish();
    const auto& sent = lastRequest();
    EXPECT_EQ(sent.systemPrompt, systemPrompt(Mode::reply));
    EXPECT_TRUE(sent.userMessage.contains("Original:\n---\nAre we still on for lunch?\n---"));
    EXPECT_FALSE(sent.userMessage.contains("yes"));
}

TEST_F(AppStateTest, AskRecordsTheTrimmedTextNotTheInstruction) {
    provider.enqueueAnswer({"Roses are red"});
    state->setMode(Mode::ask);
    state->setAskInstruction(" Make it rhyme ");
    state->setText("\nThe report is late.\n");
    state->run();
    finish();
    EXPECT_TRUE(
        lastRequest().userMessage.contains("Instruction:\nMake it rhyme\n\nText:\n---\nThe "
                                           "report is late.\n---"));
    EXPECT_EQ(history->items().first().original, "The report is late.");
    EXPECT_EQ(history->items().first().mode, Mode::ask);
}

TEST_F(AppStateTest, RetryReturnAndRestoreRules) {
    provider.fallback() = {{"Better"}, {}, {}, 0, false};
    state->setText("Original text");
    state->run();
    finish();
    state->setText("edited meanwhile");
    state->retry();
    EXPECT_EQ(state->text(), "Original text");
    finish();

    state->setText("edited again");
    state->returnToEditor();
    EXPECT_EQ(state->text(), "Original text");
    EXPECT_EQ(state->phase().kind, AppState::Phase::idle);

    HistoryItem reply;
    reply.id = QUuid::createUuid();
    reply.original = "Lunch?";
    reply.review = Review{"Yes!", {}};
    reply.tone = Tone::friendly;
    reply.context = AppContext::chat;
    reply.mode = Mode::reply;
    state->setAskInstruction("keep me?");
    state->restoreHistoryItem(reply);
    EXPECT_EQ(state->phase().kind, AppState::Phase::result);
    EXPECT_EQ(state->replyReceived(), "Lunch?");
    EXPECT_TRUE(state->text().isEmpty());
    EXPECT_TRUE(state->askInstruction().isEmpty());
    EXPECT_EQ(state->tone(), Tone::friendly);
    EXPECT_EQ(state->lastMode(), Mode::reply);
    EXPECT_EQ(state->elapsedSeconds(), std::nullopt);
    state->setText("typed intent");
    state->returnToEditor();
    EXPECT_EQ(state->text(), "typed intent");  // a reply's editor is left alone

    HistoryItem legacy = reply;
    legacy.mode.reset();
    state->restoreHistoryItem(legacy);
    EXPECT_EQ(state->mode(), Mode::rewrite);
    EXPECT_EQ(state->text(), "Lunch?");
}

TEST_F(AppStateTest, RatingTogglesOnTheRecordOnScreen) {
    provider.enqueueAnswer({"Better"});
    state->rate(Rating::up);  // nothing on screen yet
    state->setText("Original text");
    state->run();
    finish();
    state->rate(Rating::up);
    EXPECT_EQ(state->currentRating(), Rating::up);
    state->rate(Rating::up);
    EXPECT_EQ(state->currentRating(), std::nullopt);
    state->rate(Rating::up);
    state->rate(Rating::down);
    EXPECT_EQ(state->currentRating(), Rating::down);
    state->rate(std::nullopt);
    EXPECT_EQ(state->currentRating(), std::nullopt);
    history->clear();
    state->rate(Rating::up);
    EXPECT_EQ(state->currentRating(), std::nullopt);
}

TEST_F(AppStateTest, ClipboardPrefillRules) {
    struct Row {
        std::optional<QString> clip;
        bool accepted;
    };
    const Row rows[] = {
        {std::nullopt, false},
        {"0123456789", false},                     // 10 characters
        {"   https://example.com/page  ", false},  // one link
        {"www.example.com/a b", true},             // a link and more
        {"Supercalifragilistic", false},           // no space
        {"  Can we meet soon?\n", true},           // 19 characters, three words
    };
    for (const Row& row : rows) {
        state->reset();
        clipboard.content = row.clip;
        state->prefillFromClipboard();
        EXPECT_EQ(state->fromClipboard(), row.accepted)
            << row.clip.value_or("<none>").toStdString();
        if (row.accepted) {
            EXPECT_EQ(state->text(), row.clip->trimmed());
        }
    }
    state->reset();
    clipboard.content = "Can we meet soon?";
    state->setMode(Mode::reply);
    state->prefillFromClipboard();
    EXPECT_TRUE(state->text().isEmpty());
    state->setMode(Mode::rewrite);
    settings->setAutoPaste(false);
    state->prefillFromClipboard();
    EXPECT_TRUE(state->text().isEmpty());
}

TEST_F(AppStateTest, CopyPutsTextOnTheClipboardThenAsksToDismiss) {
    state->copyImproved();
    EXPECT_EQ(clipboard.writes, 0);
    provider.enqueueAnswer({"Better text"});
    state->setText("Original text");
    state->run();
    finish();
    QSignalSpy dismiss(state.get(), &AppState::dismissPopoverRequested);
    state->copyImproved();
    EXPECT_EQ(clipboard.content, "Better text");
    EXPECT_TRUE(state->copied());
    EXPECT_EQ(dismiss.count(), 0);
    EXPECT_TRUE(dismiss.wait(2000));
    state->copyImproved();
    state->cancelPendingDismiss();
    QTest::qWait(600);
    EXPECT_EQ(dismiss.count(), 1);
}
