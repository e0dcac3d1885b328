#include <gtest/gtest.h>

#include "providers/LLMError.h"

namespace ts {
namespace {

struct DescriptionCase {
    const char* name;
    int status;
    QString body;
    QString expected;
};

const QString longPlain =
    QString(180, QLatin1Char('x')) + QStringLiteral("   ") + QString(317, QLatin1Char('y'));

class HttpErrorDescription : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(HttpErrorDescription, ShowsTheSentenceForStatusAndBody) {
    const DescriptionCase& c = GetParam();
    EXPECT_EQ(LLMError::httpError(c.status, c.body).description(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, HttpErrorDescription,
    ::testing::Values(
        DescriptionCase{"BadRequestWithErrorMessage", 400,
                        R"({"error":{"message":"max_tokens is too large","type":"x"}})",
                        "The provider rejected the request: max_tokens is too large"},
        DescriptionCase{"BadRequestWithTopLevelMessage", 400, R"({"message":"bad field"})",
                        "The provider rejected the request: bad field"},
        DescriptionCase{"BadRequestWithErrorMessageWinsOverTopLevel", 400,
                        R"({"message":"outer","error":{"message":"inner"}})",
                        "The provider rejected the request: inner"},
        DescriptionCase{"BadRequestWithoutBody", 400, "",
                        "The provider rejected the request (400). Check Settings → Provider."},
        DescriptionCase{"BadRequestWithWhitespaceBody", 400, "  \n ",
                        "The provider rejected the request (400). Check Settings → Provider."},
        DescriptionCase{"BadRequestWithEmptyMessage", 400, R"({"error":{"message":""}})",
                        "The provider rejected the request (400). Check Settings → Provider."},
        DescriptionCase{"Unauthorized", 401, R"({"error":{"message":"Incorrect API key"}})",
                        "API key rejected. Open Settings → Provider and re-check the key."},
        DescriptionCase{"Forbidden", 403, "denied",
                        "API key rejected. Open Settings → Provider and re-check the key."},
        DescriptionCase{"NotFoundModel", 404,
                        R"({"error":{"message":"The MODEL `gpt-9` does not exist"}})",
                        "Model not found. Open Settings → Provider and pick one that's "
                        "available for this provider."},
        DescriptionCase{"NotFoundHtmlPage", 404, "<html><body>Nothing here</body></html>",
                        "Provider endpoint not found (404). Check Settings → Provider."},
        DescriptionCase{"NotFoundPlainPathNamingModels", 404, "Cannot GET /v1/models",
                        "Provider endpoint not found (404). Check Settings → Provider."},
        DescriptionCase{"NotFoundModelCode", 404,
                        R"({"error":{"message":"Unknown","code":"model_not_found"}})",
                        "Model not found. Open Settings → Provider and pick one that's available "
                        "for this provider."},
        DescriptionCase{"RequestTimeout", 408, "",
                        "Provider timed out. Try again, or switch provider in Settings."},
        DescriptionCase{"GatewayTimeout", 504, R"({"message":"upstream"})",
                        "Provider timed out. Try again, or switch provider in Settings."},
        DescriptionCase{"RateLimited", 429, R"({"error":{"message":"slow down"}})",
                        "Rate limited by the provider. Wait ~30 seconds and try again, or "
                        "switch provider in Settings."},
        DescriptionCase{"ServiceUnavailable", 503, R"({"error":{"message":"hidden"}})",
                        "Provider is temporarily unavailable (503). Try again in a moment or "
                        "switch provider in Settings."},
        DescriptionCase{"Overloaded", 529, "",
                        "Provider is temporarily unavailable (529). Try again in a moment or "
                        "switch provider in Settings."},
        DescriptionCase{"TeapotWithTopLevelMessage", 418, R"({"message":"short and stout"})",
                        "Provider returned 418: short and stout"},
        DescriptionCase{"TeapotWithoutBody", 418, "",
                        "Provider returned 418. Try again or switch provider in Settings."},
        DescriptionCase{"StringErrorMember", 422, R"({"error":"bad input"})",
                        "Provider returned 422: bad input"},
        DescriptionCase{"ArrayBodyUsesRawBody", 409, R"([{"message":"no"}])",
                        R"(Provider returned 409: [{"message":"no"}])"},
        DescriptionCase{"LongPlainTextCutAt200AndTrimmed", 302, longPlain,
                        "Provider returned 302: " + QString(180, QLatin1Char('x')) +
                            QStringLiteral("   ") + QString(17, QLatin1Char('y'))},
        DescriptionCase{"CutAfterSpacesIsTrimmed", 302,
                        QString(198, QLatin1Char('z')) + QStringLiteral("  tail"),
                        "Provider returned 302: " + QString(198, QLatin1Char('z'))},
        DescriptionCase{
            "CutCountsCharactersNotCodeUnits", 302,
            QString(201, QChar(0x00E9)).replace(0, 1, QStringLiteral("😀")),
            "Provider returned 302: " + QStringLiteral("😀") + QString(199, QChar(0x00E9))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LLMErrorDescription, ProviderMessageOfPlainTextBodyIsItsFirst200Characters) {
    const QString body(500, QLatin1Char('a'));
    EXPECT_EQ(providerMessage(body), QString(200, QLatin1Char('a')));
}

}  // namespace
}  // namespace ts
