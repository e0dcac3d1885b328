#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>

#include "store/ApplicationDefaults.h"
#include "store/SettingsStore.h"

namespace ts {
namespace {

QStringList g_logged;

void collect(QtMsgType, const QMessageLogContext&, const QString& message) {
    g_logged.append(message);
}

TEST(ApplicationDefaultsTest, UserEntriesComeFirstThenBuiltInsWhateverTheCase) {
    const ApplicationDefaults user{{"Mousepad", AppContext::chat, Tone::casual},
                                   {"slack", AppContext::email, std::nullopt}};
    const struct {
        const char* app;
        std::optional<AppContext> context;
        std::optional<Tone> tone;
    } rows[] = {
        {"Mousepad", AppContext::chat, Tone::casual},
        {"MOUSEPAD", AppContext::chat, Tone::casual},
        {"Slack", AppContext::email, std::nullopt},  // the user's entry over the built-in one
        {"thunderbird", AppContext::email, std::nullopt},
        {"Discord", AppContext::chat, std::nullopt},
        {"Rocket.Chat", AppContext::chat, std::nullopt},
        {" Geary ", AppContext::email, std::nullopt},
        {"gedit", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.app);
        const std::optional<ApplicationDefault> found = applicationDefaultFor(user, row.app);
        ASSERT_EQ(found.has_value(), row.context.has_value());
        if (found) {
            EXPECT_EQ(found->context, *row.context);
            EXPECT_EQ(found->tone, row.tone);
        }
    }
    EXPECT_FALSE(applicationDefaultFor({}, "Mousepad"));
}

TEST(ApplicationDefaultsTest, ParseNamesTheFault) {
    const struct {
        const char* json;
        Qt::CaseSensitivity rawCase;
        const char* fault;  // none: parses
    } rows[] = {
        {R"([{"app":"Slack","context":"Email","tone":"Casual"},{"app":"Geary","context":"Chat"}])",
         Qt::CaseSensitive, nullptr},
        {"", Qt::CaseSensitive, nullptr},
        {"[]", Qt::CaseSensitive, nullptr},
        {R"([{"app":"Slack","context":"Chat","tone":null}])", Qt::CaseSensitive, nullptr},
        {R"([{"app":"Slack","context":"chat"}])", Qt::CaseInsensitive, nullptr},
        {R"([{"app":"Slack","context":"chat"}])", Qt::CaseSensitive,
         "entry 1: unknown context \"chat\" (valid: Email, Chat, Generic)"},
        {R"([{"app":"A","context":"Chat"},{"app":"B","context":"Chat","tone":"Loud"}])",
         Qt::CaseSensitive,
         "entry 2: unknown tone \"Loud\" (valid: Professional, Casual, Friendly, Concise)"},
        {R"([{"app":"Slack","context":"Chat"},{"app":"SLACK","context":"Email"}])",
         Qt::CaseSensitive, "entry 2: duplicate app \"SLACK\""},
        {R"([{"app":" ","context":"Chat"}])", Qt::CaseSensitive,
         "entry 1: \"app\" must be a non-empty string"},
        {R"([{"context":"Chat"}])", Qt::CaseSensitive,
         "entry 1: \"app\" must be a non-empty string"},
        {R"([{"app":"Slack"}])", Qt::CaseSensitive, "entry 1: unknown context \"\""},
        {R"([{"app":"Slack","context":"Chat","mood":"x"}])", Qt::CaseSensitive,
         "entry 1: unknown member \"mood\""},
        {R"(["Slack"])", Qt::CaseSensitive, "entry 1: not an object"},
        {R"({"app":"Slack"})", Qt::CaseSensitive, "not a JSON array"},
        {R"([{"app":"Slack",)", Qt::CaseSensitive, "not JSON"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        const auto parsed = parseApplicationDefaults(QString::fromUtf8(row.json), row.rawCase);
        if (!row.fault) {
            EXPECT_TRUE(std::holds_alternative<ApplicationDefaults>(parsed))
                << std::get<QString>(parsed).toStdString();
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<QString>(parsed));
        EXPECT_TRUE(std::get<QString>(parsed).startsWith(QString::fromUtf8(row.fault)))
            << std::get<QString>(parsed).toStdString();
    }
}

TEST(ApplicationDefaultsTest, SerializedEntriesReadBackTheSame) {
    const ApplicationDefaults entries{{"Slack", AppContext::email, Tone::friendly},
                                      {"Geary", AppContext::generic, std::nullopt}};
    const QString text = serializeApplicationDefaults(entries);
    EXPECT_EQ(text, R"([{"app":"Slack","context":"Email","tone":"Friendly"},)"
                    R"({"app":"Geary","context":"Generic"}])");
    const auto parsed = parseApplicationDefaults(text);
    ASSERT_TRUE(std::holds_alternative<ApplicationDefaults>(parsed));
    EXPECT_EQ(std::get<ApplicationDefaults>(parsed), entries);
}

TEST(ApplicationDefaultsTest, AnEntryOverridesTheDefaultsAndSaysWhenTheContextDiffers) {
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    settings.setDefaultToneRaw("Friendly");
    settings.setApplicationDefaults(
        R"([{"app":"Mousepad","context":"Chat","tone":"Concise"},{"app":"gedit","context":"Email"}])");
    const struct {
        const char* app;
        Tone tone;
        AppContext context;
        bool differs;
    } rows[] = {
        {"mousepad", Tone::concise, AppContext::chat, true},
        {"gedit", Tone::friendly, AppContext::email, false},  // the default context already
        {"Element", Tone::friendly, AppContext::chat, true},  // built in, the default tone
        {"xterm", Tone::friendly, AppContext::email, false},  // no entry
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.app);
        const RewriteDefaults found = rewriteDefaultsFor(settings, row.app);
        EXPECT_EQ(found.tone, row.tone);
        EXPECT_EQ(found.context, row.context);
        EXPECT_EQ(found.contextDiffers, row.differs);
    }
}

// A hand-broken value leaves only the built-in entries, is reported once however often it is
// read, and is never rewritten.
TEST(ApplicationDefaultsTest, AStoredValueThatDoesNotParseIsIgnoredOnceAndKept) {
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath("tessarine.conf"));
    const QString broken =
        R"([{"app":"Mousepad","context":"Chat"},{"app":"Slack","context":"Mail"}])";
    settings.setApplicationDefaults(broken);
    g_logged.clear();
    {
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        const auto restore = qScopeGuard([&] { qInstallMessageHandler(previous); });
        EXPECT_EQ(rewriteDefaultsFor(settings, "Mousepad").context, AppContext::email);
        EXPECT_EQ(rewriteDefaultsFor(settings, "Slack").context, AppContext::chat);
        EXPECT_FALSE(storedApplicationDefaults(settings));
    }
    ASSERT_EQ(g_logged.size(), 1) << g_logged.join('\n').toStdString();
    EXPECT_TRUE(g_logged[0].contains("entry 2: unknown context \"Mail\""))
        << g_logged[0].toStdString();
    EXPECT_EQ(settings.applicationDefaults(), broken);
    EXPECT_EQ(SettingsStore(settings.filePath()).applicationDefaults(), broken);
}

}  // namespace
}  // namespace ts
