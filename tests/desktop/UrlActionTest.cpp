#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ScriptedProvider.h"
#include "desktop/services/UrlActionRunner.h"
#include "providers/ProviderFactory.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using Kind = UrlSchemeAction::Kind;

namespace {

UrlSchemeAction make(Kind kind, const QString& text = {}, bool autoRun = false) {
    UrlSchemeAction action;
    action.kind = kind;
    action.text = text;
    action.autoRun = autoRun;
    return action;
}

UrlSchemeAction reply(const QString& received, const QString& intent, bool autoRun) {
    UrlSchemeAction action = make(Kind::reply, {}, autoRun);
    action.received = received;
    action.intent = intent;
    return action;
}

UrlSchemeAction ask(const QString& instruction, const QString& text, bool autoRun) {
    UrlSchemeAction action = make(Kind::ask, text, autoRun);
    action.instruction = instruction;
    return action;
}

UrlSchemeAction preset(const QString& name, const QString& text, bool autoRun) {
    UrlSchemeAction action = make(Kind::askPreset, text, autoRun);
    action.name = name;
    return action;
}

class FakeClipboard final : public ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return std::nullopt; }
    void replaceWithText(const QString&) override {}
};

}  // namespace

TEST(UrlSchemeAction, ParsesTheGrammar) {
    const struct {
        const char* url;
        UrlSchemeAction expected;
    } rows[] = {
        {"tessarine://rewrite?text=Hello%20team&run=1", make(Kind::rewrite, "Hello team", true)},
        {"TESSARINE://REWRITE?text=a&run=TRUE", make(Kind::rewrite, "a", true)},
        {"tessarine://rewrite?Text=a", make(Kind::rewrite)},
        {"tessarine:///rewrite?text=a", make(Kind::rewrite, "a")},
        {"tessarine:proofread?text=a&run=Yes", make(Kind::proofread, "a", true)},
        {"tessarine://proofread?text=a&run=on", make(Kind::proofread, "a")},
        {"tessarine://rewrite?text=a%26b+c&text=second", make(Kind::rewrite, "a&b+c")},
        {"tessarine://rewrite?text", make(Kind::rewrite)},
        {"tessarine://reply?received=Hi%21&intent=decline&run=1", reply("Hi!", "decline", true)},
        {"tessarine://ask?instruction=Shorten&text=t", ask("Shorten", "t", false)},
        {"tessarine://ask?prompt=&instruction=Shorten&text=t&run=1", ask("Shorten", "t", true)},
        {"tessarine://ask?prompt=sum&instruction=ignored&text=t&run=yes", preset("sum", "t", true)},
        {"tessarine://tone", make(Kind::tone)},
        {"tessarine://ToneCheck?text=x&run=1", make(Kind::tone, "x")},
        {"tessarine://", make(Kind::open)},
        {"tessarine://open?text=x", make(Kind::open)},
        {"tessarine://frobnicate?text=x", make(Kind::unknown)},
        {"https://rewrite?text=x&run=1", make(Kind::unknown)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(parseUrlSchemeAction(QString::fromUtf8(row.url)), row.expected) << row.url;
    }
}

namespace {

class UrlActionRunnerTest : public ::testing::Test {
protected:
    UrlActionRunnerTest() {
        keys.saveAPIKey(QStringLiteral("sk-test"), apiKeyAccount(ProviderKind::openai));
        // Newest first: "Summary haiku", "Summarize", "SUM".
        prompts.save(QStringLiteral("Exactly sum"), QStringLiteral("SUM"));
        prompts.save(QStringLiteral("Summarize in one line"), QStringLiteral("Summarize"));
        prompts.save(QStringLiteral("Make it a haiku"), QStringLiteral("Summary haiku"));
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("t.conf"))};
    HistoryStore history{dir.filePath(QStringLiteral("history.json"))};
    PromptStore prompts{dir.filePath(QStringLiteral("prompts.json"))};
    MemoryKeyStore keys;
    FakeClipboard clipboard;
    test::ScriptedProvider provider;
    AppState session{AppState::Services{
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; },
                        [this](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                            return std::make_unique<test::ScriptedProvider>(provider);
                        }},
        clipboard}};
    int raised = 0;
    int announced = 0;
    UrlActionTargets targets{session, prompts, [this] { ++raised; }, [this] { ++announced; }};
};

}  // namespace

TEST_F(UrlActionRunnerTest, FillsTheSessionAndStartsOnlyWhenAllowed) {
    const struct {
        UrlSchemeAction action;
        Mode mode;
        QString text;
        QString received;
        QString instruction;
        bool starts;
        bool announces;
    } rows[] = {
        {make(Kind::rewrite, "r", true), Mode::rewrite, "r", "", "", true, false},
        {make(Kind::proofread, "p"), Mode::proofread, "p", "", "", false, false},
        {reply("", "no", true), Mode::reply, "no", "", "", false, false},
        {reply("Hi", "no", true), Mode::reply, "no", "Hi", "", true, false},
        {ask("", "t", true), Mode::ask, "t", "", "", false, false},
        {ask("Shorten", "t", true), Mode::ask, "t", "", "Shorten", true, false},
        // An exact name wins over an earlier one that only starts with it.
        {preset("sum", "t", true), Mode::ask, "t", "", "Exactly sum", true, false},
        {preset("summa", "t", false), Mode::ask, "t", "", "Make it a haiku", false, false},
        {preset("sUMMARI", "t", false), Mode::ask, "t", "", "Summarize in one line", false, false},
        {preset("nothing", "t", true), Mode::ask, "t", "", "", false, false},
        {make(Kind::tone), Mode::toneCheck, "", "", "", false, false},
        {make(Kind::tone, "x"), Mode::toneCheck, "x", "", "", true, false},
        {make(Kind::open), Mode::rewrite, "", "", "", false, true},
        {make(Kind::unknown), Mode::rewrite, "", "", "", false, true},
    };
    for (const auto& row : rows) {
        session.setMode(Mode::reply);
        session.setText(QStringLiteral("left over"));
        raised = announced = 0;
        carryOut(row.action, targets);
        const QString label = QStringLiteral("%1 %2 %3")
                                  .arg(static_cast<int>(row.action.kind))
                                  .arg(row.action.text, row.action.name);
        EXPECT_EQ(session.mode(), row.mode) << label.toStdString();
        EXPECT_EQ(session.text(), row.text) << label.toStdString();
        EXPECT_EQ(session.replyReceived(), row.received) << label.toStdString();
        EXPECT_EQ(session.askInstruction(), row.instruction) << label.toStdString();
        EXPECT_EQ(session.hasRunningTask(), row.starts) << label.toStdString();
        EXPECT_EQ(raised, 1) << label.toStdString();
        EXPECT_EQ(announced, row.announces ? 1 : 0) << label.toStdString();
        session.cancel();
    }
}
