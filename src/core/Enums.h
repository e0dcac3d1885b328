#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace ts {

enum class Mode { rewrite, proofread, reply, ask, toneCheck };
enum class Tone { professional, casual, friendly, concise };
enum class AppContext { email, chat, generic };
enum class ProviderKind { openai, anthropic, gemini, ollama, custom };
enum class Adjustment { shorter, longer, simpler, casual, formal, friendlier };
enum class WhyKind { clarity, tone, concision, other };
enum class DiffOp { equal, insert, delete_ };

// Every case of each enumeration, in declaration order (the order of every picker).
template <typename E>
struct EnumCases;
template <>
struct EnumCases<Mode> {
    static constexpr std::array all{Mode::rewrite, Mode::proofread, Mode::reply, Mode::ask,
                                    Mode::toneCheck};
};
template <>
struct EnumCases<Tone> {
    static constexpr std::array all{Tone::professional, Tone::casual, Tone::friendly,
                                    Tone::concise};
};
template <>
struct EnumCases<AppContext> {
    static constexpr std::array all{AppContext::email, AppContext::chat, AppContext::generic};
};
template <>
struct EnumCases<ProviderKind> {
    static constexpr std::array all{ProviderKind::openai, ProviderKind::anthropic,
                                    ProviderKind::gemini, ProviderKind::ollama,
                                    ProviderKind::custom};
};
template <>
struct EnumCases<Adjustment> {
    static constexpr std::array all{Adjustment::shorter, Adjustment::longer,
                                    Adjustment::simpler, Adjustment::casual,
                                    Adjustment::formal,  Adjustment::friendlier};
};
template <>
struct EnumCases<WhyKind> {
    static constexpr std::array all{WhyKind::clarity, WhyKind::tone, WhyKind::concision,
                                    WhyKind::other};
};
template <>
struct EnumCases<DiffOp> {
    static constexpr std::array all{DiffOp::equal, DiffOp::insert, DiffOp::delete_};
};

// The raw value is what is stored, written into JSON and shown.
QString rawValue(Mode value);
QString rawValue(Tone value);
QString rawValue(AppContext value);
QString rawValue(ProviderKind value);
QString rawValue(Adjustment value);
QString rawValue(WhyKind value);
QString rawValue(DiffOp value);

// Exact, case-sensitive match against the raw values; callers apply their own fallback.
template <typename E>
std::optional<E> fromRawValue(QStringView raw) {
    for (E value : EnumCases<E>::all) {
        if (rawValue(value) == raw) {
            return value;
        }
    }
    return std::nullopt;
}

template <typename E>
QJsonValue toJson(E value) {
    return QJsonValue(rawValue(value));
}

// Strict: a non-string or an unknown raw value decodes to nothing.
template <typename E>
std::optional<E> enumFromJson(const QJsonValue& json) {
    if (!json.isString()) {
        return std::nullopt;
    }
    return fromRawValue<E>(json.toString());
}

// Per-case constants.
bool isSingleInput(Mode mode);
QString symbolName(Mode mode);

bool requiresAPIKey(ProviderKind kind);
QString defaultModel(ProviderKind kind);
// Empty for `custom`: its base is the user's setting, falling back to the OpenAI base.
QString defaultBaseURL(ProviderKind kind);
QString apiKeyAccount(ProviderKind kind);

QString instruction(Adjustment adjustment);

}  // namespace ts
