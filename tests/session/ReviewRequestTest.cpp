#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedProvider.h"
#include "session/ReviewRequest.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"

using namespace ts;
using ts::test::ScriptedProvider;

namespace {

class ReviewRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai));
    }

    // Prepares and sends one request, then runs the loop until it answered or failed.
    std::unique_ptr<ReviewRequest> run(const ReviewInput& input,
                                       ReviewRequest::Options options = {}) {
        answer.reset();
        failure.reset();
        auto request = std::make_unique<ReviewRequest>(services, options);
        QObject::connect(request.get(), &ReviewRequest::ready,
                         [r = request.get(), input] { r->send(input); });
        QObject::connect(request.get(), &ReviewRequest::answered,
                         [this](const Review& review) { answer = review; });
        QObject::connect(request.get(), &ReviewRequest::failed,
                         [this](const QString& description) { failure = description; });
        request->prepare();
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer || failure; }, 5000));
        return request;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    MemoryKeyStore keys;
    ScriptedProvider provider;
    QList<ProviderConfig> configs;
    RequestServices services{settings, keys, [this]() -> HistoryStore& { return history; },
                             [this](const ProviderConfig& config) {
                                 configs.append(config);
                                 return std::make_unique<ScriptedProvider>(provider);
                             }};
    std::optional<Review> answer;
    std::optional<QString> failure;
};

}  // namespace

// Each layout goes out as its composition, streamed or whole, and the answer comes back parsed.
TEST_F(ReviewRequestTest, LayoutsAndDeliveries) {
    const Tone t = Tone::casual;
    const AppContext c = AppContext::chat;
    const QString adjust = instruction(Adjustment::shorter);
    const ReviewInput inputs[] = {
        ReviewInput::review(Mode::proofread, " Bad text ", t, c, Adjustment::shorter),
        ReviewInput::reply("Lunch?", "yes", t, c),
        ReviewInput::instruction("Translate", "Hallo", t, c),
    };
    const ComposedRequest expected[] = {
        composeReview(Mode::proofread, " Bad text ", t, c, {}, adjust),
        composeReply("Lunch?", "yes", t, c, {}),
        composeInstruction("Translate", "Hallo", t, c, {}),
    };
    for (const auto delivery :
         {ReviewRequest::Delivery::streamed, ReviewRequest::Delivery::whole}) {
        for (int i = 0; i < 3; ++i) {
            provider.enqueueAnswer({"  Sharper.\n<<<WH", "YS>>>\n- Clarity: leads with it\n"});
            run(inputs[i], {delivery});
            const auto& sent = provider.state().requests.constLast();
            EXPECT_EQ(sent.operation,
                      delivery == ReviewRequest::Delivery::whole ? "complete" : "stream");
            EXPECT_EQ(sent.systemPrompt, expected[i].systemPrompt);
            EXPECT_EQ(sent.userMessage, expected[i].userMessage);
            ASSERT_TRUE(answer);
            EXPECT_EQ(*answer,
                      (Review{"Sharper.", {WhyBullet{WhyKind::clarity, "leads with it"}}}));
        }
    }
}

// The provider and model of the moment, an override of both, and the record that follows.
TEST_F(ReviewRequestTest, SetupAndRecord) {
    settings.setProvider(ProviderKind::anthropic);
    settings.setModel("  ");
    settings.setStyleProfile("Short sentences.");
    keys.saveAPIKey("sk-ant", apiKeyAccount(ProviderKind::anthropic));
    provider.fallback() = {{"Fine."}, {}, {}, 0, false};
    auto request = run(ReviewInput::reply(" Hi ", "no", Tone::friendly, AppContext::email));
    EXPECT_EQ(configs.constLast().apiKey, "sk-ant");
    EXPECT_EQ(provider.state().requests.constLast().model, "claude-sonnet-4-6");
    EXPECT_TRUE(provider.state().requests.constLast().userMessage.startsWith("User's writing"));
    settings.setProvider(ProviderKind::gemini);  // the record names the provider of its moment
    const HistoryItem item = request->record();
    EXPECT_EQ(history.items().constFirst().id, item.id);
    EXPECT_EQ(item.provider, ProviderKind::gemini);
    EXPECT_EQ(item.original, " Hi ");
    EXPECT_EQ(item.mode, Mode::reply);
    EXPECT_EQ(item.tone, Tone::friendly);

    // An overriding provider gets its own key and default model, not the stored provider's.
    settings.setModel("gemini-custom");
    keys.saveAPIKey("sk-oa", apiKeyAccount(ProviderKind::openai));
    request = run(ReviewInput::review(Mode::rewrite, "x", Tone::casual, AppContext::chat),
                  {ReviewRequest::Delivery::whole, {ProviderKind::openai, {}, true}});
    EXPECT_EQ(configs.constLast().kind, ProviderKind::openai);
    EXPECT_EQ(configs.constLast().apiKey, "sk-oa");
    EXPECT_EQ(provider.state().requests.constLast().model, "gpt-4o-mini");
    EXPECT_TRUE(provider.state().requests.constLast().userMessage.startsWith("Context:"));
    EXPECT_EQ(request->record().provider, ProviderKind::openai);
}

TEST_F(ReviewRequestTest, MissingKeyEmptyAnswerAndProviderErrors) {
    keys.saveAPIKey("", apiKeyAccount(ProviderKind::openai));
    ReviewRequest request(services, {});
    QSignalSpy missing(&request, &ReviewRequest::missingKey);
    request.prepare();
    EXPECT_TRUE(missing.wait(5000));
    EXPECT_TRUE(configs.isEmpty());

    keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai));
    const ReviewInput input =
        ReviewInput::review(Mode::rewrite, "x", Tone::casual, AppContext::chat);
    provider.enqueueAnswer({" \n<<<WHYS>>>\n- tone: curt"});
    run(input, {ReviewRequest::Delivery::whole, {}, true});
    EXPECT_EQ(failure, "The model returned an empty response.");
    provider.enqueueAnswer({" \n<<<WHYS>>>\n- tone: curt"});
    run(input);  // a tone check's empty text is an answer, not a failure
    EXPECT_FALSE(failure);
    provider.enqueueError("The API key was rejected.");
    run(input);
    EXPECT_EQ(failure, "The API key was rejected.");
    EXPECT_TRUE(history.items().isEmpty());
}

TEST_F(ReviewRequestTest, DestroyingTheRequestStopsEveryStep) {
    provider.fallback() = {{"never"}, {}, {}, 0, true};
    auto waiting = std::make_unique<ReviewRequest>(services, ReviewRequest::Options{});
    QSignalSpy ready(waiting.get(), &ReviewRequest::ready);
    waiting->prepare();
    waiting.reset();  // before the key arrived
    QTest::qWait(20);
    EXPECT_EQ(ready.count(), 0);

    auto sending = std::make_unique<ReviewRequest>(services, ReviewRequest::Options{});
    QObject::connect(sending.get(), &ReviewRequest::ready, [&] {
        sending->send(ReviewInput::review(Mode::rewrite, "x", Tone::casual, AppContext::chat));
    });
    sending->prepare();
    ASSERT_TRUE(QTest::qWaitFor([&] { return provider.state().liveCalls == 1; }, 5000));
    sending.reset();
    EXPECT_EQ(provider.state().liveCalls, 0);
    EXPECT_EQ(provider.state().abortedCalls, 1);
}
