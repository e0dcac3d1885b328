#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ScriptedProvider.h"
#include "desktop/services/ServicesHandler.h"
#include "providers/ProviderFactory.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using ts::test::ScriptedProvider;

namespace {

const QString kAnswer =
    QStringLiteral("Could you send the numbers?\n<<<WHYS>>>\n- concision: cut it");
const QString kImproved = QStringLiteral("Could you send the numbers?");
const QString kText = QStringLiteral("so could you maybe send the numbers ");
constexpr std::chrono::milliseconds kTimeout{400};

struct Toast {
    QString text;
    ToastKind kind;
    std::optional<std::chrono::milliseconds> duration;
    friend bool operator==(const Toast&, const Toast&) = default;
};

// The handler on the test bus, called from a second connection as another program would.
class ServicesTest : public ::testing::Test {
protected:
    ServicesTest() {
        keys.saveAPIKey(QStringLiteral("sk-test"), apiKeyAccount(ProviderKind::openai));
        handler.setHooks({[this](const QString& text, ToastKind kind,
                                 std::optional<std::chrono::milliseconds> duration) {
                              toasts.append({text, kind, duration});
                          },
                          [this](const QString& text) { toneTexts.append(text); }});
        QDBusConnection::sessionBus().registerVirtualObject(
            QLatin1String(ServicesHandler::kObjectPath), &handler);
    }
    void SetUp() override {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected() && caller.isConnected())
            << "needs a session bus: run it inside scripts/test-env.sh";
    }
    ~ServicesTest() override {
        QDBusConnection::sessionBus().unregisterObject(QLatin1String(ServicesHandler::kObjectPath));
        QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
    }

    QDBusPendingCall call(const QString& method, const QVariant& argument = {}) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(),
                                           QLatin1String(ServicesHandler::kObjectPath),
                                           QLatin1String(ServicesHandler::kInterface), method);
        if (argument.isValid()) {
            message << argument;
        }
        return caller.asyncCall(message, 10000);
    }
    static QDBusMessage finish(QDBusPendingCall pending) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
        return pending.reply();
    }
    static QString answer(QDBusPendingCall pending) {
        const QDBusMessage reply = finish(pending);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).toString();
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("t.conf"))};
    HistoryStore history{dir.filePath(QStringLiteral("history.json"))};
    MemoryKeyStore keys;
    ScriptedProvider provider;
    QList<Toast> toasts;
    QStringList toneTexts;
    ServicesHandler handler{
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; },
                        [this](const ProviderConfig&) -> std::unique_ptr<LLMProvider> {
                            return std::make_unique<ScriptedProvider>(provider);
                        }},
        kTimeout};
    QDBusConnection caller =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("caller"));
};

}  // namespace

TEST_F(ServicesTest, EachTextMethodAnswersWithTheModelsTextAndRecordsIt) {
    const struct {
        const char* method;
        Mode mode;
        QString progress;
        QString done;
    } rows[] = {
        {"RewriteWithTessarine", Mode::rewrite, "Rewriting\u2026",
         "Rewrote selection. Ctrl+Z to undo."},
        {"ProofreadWithTessarine", Mode::proofread, "Proofreading\u2026",
         "Proofread. Ctrl+Z to undo."},
        {"ReplyWithTessarine", Mode::reply, "Drafting reply\u2026",
         "Drafted reply. Ctrl+Z to undo."},
    };
    for (const auto& row : rows) {
        toasts.clear();
        provider.enqueueAnswer({kAnswer});
        EXPECT_EQ(answer(call(QLatin1String(row.method), kText)), kImproved) << row.method;
        EXPECT_EQ(toasts, (QList<Toast>{{row.progress, ToastKind::info, std::nullopt},
                                        {row.done, ToastKind::success, kOutcomeToastDuration}}))
            << row.method;
        ASSERT_FALSE(history.items().isEmpty());
        EXPECT_EQ(history.items().first().mode, row.mode) << row.method;
        EXPECT_EQ(history.items().first().original, kText) << row.method;
    }
    EXPECT_EQ(provider.state().requests.size(), 3);
    EXPECT_TRUE(provider.state().requests.last().userMessage.contains(kText.trimmed()));
}

TEST_F(ServicesTest, RefusalsAreErrorReplies) {
    const struct {
        const char* method;
        QVariant argument;
        bool withKey;
        bool withWindow;
        QString error;
        QString message;
    } rows[] = {
        {"RewriteWithTessarine", QStringLiteral(" \n\t "), true, true, "io.tessarine.Error.NoText",
         "No text selected."},
        {"CheckToneWithTessarine", QString(), true, true, "io.tessarine.Error.NoText",
         "No text selected."},
        {"ProofreadWithTessarine", kText, false, true, "io.tessarine.Error.MissingKey",
         "API key is missing. Open Tessarine and add one."},
        {"CheckToneWithTessarine", kText, true, false, "io.tessarine.Error.NotReady",
         "Tessarine isn't ready."},
        {"RewriteWithTessarine", 42, true, true, "org.freedesktop.DBus.Error.InvalidArgs", ""},
        {"Rewrite", kText, true, true, "org.freedesktop.DBus.Error.UnknownMethod", ""},
    };
    const ServicesHandler::Hooks hooks = handler.hooks();
    for (const auto& row : rows) {
        if (row.withKey) {
            keys.saveAPIKey(QStringLiteral("sk-test"), apiKeyAccount(ProviderKind::openai));
        } else {
            keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai));
        }
        handler.setHooks(row.withWindow ? hooks : ServicesHandler::Hooks{hooks.toast, {}});
        const QDBusMessage reply = finish(call(QLatin1String(row.method), row.argument));
        EXPECT_EQ(reply.errorName(), row.error) << row.method;
        if (!row.message.isEmpty()) {
            EXPECT_EQ(reply.errorMessage(), row.message) << row.method;
        }
    }
    EXPECT_TRUE(toasts.isEmpty());
    EXPECT_TRUE(provider.state().requests.isEmpty());
    EXPECT_TRUE(history.items().isEmpty());
}

TEST_F(ServicesTest, ToneCheckOpensTheWindowWithTheUntrimmedText) {
    EXPECT_EQ(finish(call(QStringLiteral("CheckToneWithTessarine"), kText)).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(toneTexts, QStringList{kText});
}

TEST_F(ServicesTest, FailuresGiveTheTextBackAndSayWhy) {
    const struct {
        ScriptedProvider::Script script;
        QString toast;
    } rows[] = {
        {{{}, RequestError(QStringLiteral("Server said no.")), {}, 0, false}, "Server said no."},
        {{{QStringLiteral(" \n<<<WHYS>>>\n- nothing")}, {}, {}, 0, false},
         "The model returned an empty response."},
        {{{}, {}, {}, 0, true}, "Request cancelled."},
    };
    for (const auto& row : rows) {
        toasts.clear();
        provider.enqueue(row.script);
        EXPECT_EQ(answer(call(QStringLiteral("RewriteWithTessarine"), kText)), kText);
        EXPECT_EQ(toasts.value(1), (Toast{row.toast, ToastKind::error, kOutcomeToastDuration}));
    }
}

TEST_F(ServicesTest, ALateAnswerIsStillRecorded) {
    provider.enqueue({{kAnswer}, {}, {}, 2 * static_cast<int>(kTimeout.count()), false});
    EXPECT_EQ(answer(call(QStringLiteral("ProofreadWithTessarine"), kText)), kText);
    EXPECT_TRUE(history.items().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !history.items().isEmpty(); }, 5000));
    EXPECT_EQ(history.items().first().review.improved, kImproved);
    EXPECT_EQ(toasts.size(), 2);  // no success toast after the cancellation
    EXPECT_TRUE(QTest::qWaitFor([&] { return handler.pendingCalls() == 0; }, 5000));
}

// The slower first call does not hold up the second, and the main thread keeps serving.
TEST_F(ServicesTest, ConcurrentCallsEachGetTheirOwnAnswer) {
    provider.enqueue({{QStringLiteral("First answer")}, {}, {}, 250, false});
    provider.enqueue({{QStringLiteral("Second answer")}, {}, {}, 20, false});
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QDBusPendingCall first = call(QStringLiteral("RewriteWithTessarine"), QStringLiteral("one"));
    QDBusPendingCall second = call(QStringLiteral("RewriteWithTessarine"), QStringLiteral("two"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.isFinished(); }, 5000));
    EXPECT_FALSE(first.isFinished());
    EXPECT_EQ(answer(second), QStringLiteral("Second answer"));
    EXPECT_EQ(answer(first), QStringLiteral("First answer"));
    EXPECT_GT(ticks, 10);
}

TEST_F(ServicesTest, TheInterfaceFileIsWhatIsServedAndIntrospected) {
    ASSERT_EQ(handler.methods().size(), 4);
    EXPECT_EQ(handler.methods().last().name, QStringLiteral("CheckToneWithTessarine"));
    EXPECT_FALSE(handler.methods().last().answersText);
    EXPECT_TRUE(handler.methods().first().answersText);
    const QDBusMessage reply = finish(caller.asyncCall(QDBusMessage::createMethodCall(
        QDBusConnection::sessionBus().baseService(), QLatin1String(ServicesHandler::kObjectPath),
        QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"))));
    const QString xml = reply.arguments().value(0).toString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<interface name=\"io.tessarine.Services\">")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<method name=\"ReplyWithTessarine\">")));
}
