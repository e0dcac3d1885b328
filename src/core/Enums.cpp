#include "core/Enums.h"

namespace ts {

QString rawValue(Mode value) {
    switch (value) {
        case Mode::rewrite:
            return QStringLiteral("Rewrite");
        case Mode::proofread:
            return QStringLiteral("Proofread");
        case Mode::reply:
            return QStringLiteral("Reply");
        case Mode::ask:
            return QStringLiteral("Custom");
        case Mode::toneCheck:
            return QStringLiteral("Tone");
    }
    return {};
}

QString rawValue(Tone value) {
    switch (value) {
        case Tone::professional:
            return QStringLiteral("Professional");
        case Tone::casual:
            return QStringLiteral("Casual");
        case Tone::friendly:
            return QStringLiteral("Friendly");
        case Tone::concise:
            return QStringLiteral("Concise");
    }
    return {};
}

QString rawValue(AppContext value) {
    switch (value) {
        case AppContext::email:
            return QStringLiteral("Email");
        case AppContext::chat:
            return QStringLiteral("Chat");
        case AppContext::generic:
            return QStringLiteral("Generic");
    }
    return {};
}

QString rawValue(ProviderKind value) {
    switch (value) {
        case ProviderKind::openai:
            return QStringLiteral("OpenAI");
        case ProviderKind::anthropic:
            return QStringLiteral("Anthropic");
        case ProviderKind::gemini:
            return QStringLiteral("Gemini");
        case ProviderKind::ollama:
            return QStringLiteral("Ollama");
        case ProviderKind::custom:
            return QStringLiteral("Custom");
    }
    return {};
}

QString rawValue(Adjustment value) {
    switch (value) {
        case Adjustment::shorter:
            return QStringLiteral("Shorter");
        case Adjustment::longer:
            return QStringLiteral("Longer");
        case Adjustment::simpler:
            return QStringLiteral("Simpler");
        case Adjustment::casual:
            return QStringLiteral("Casual");
        case Adjustment::formal:
            return QStringLiteral("Formal");
        case Adjustment::friendlier:
            return QStringLiteral("Friendlier");
    }
    return {};
}

QString rawValue(WhyKind value) {
    switch (value) {
        case WhyKind::clarity:
            return QStringLiteral("clarity");
        case WhyKind::tone:
            return QStringLiteral("tone");
        case WhyKind::concision:
            return QStringLiteral("concision");
        case WhyKind::other:
            return QStringLiteral("other");
    }
    return {};
}

QString rawValue(DiffOp value) {
    switch (value) {
        case DiffOp::equal:
            return QStringLiteral("equal");
        case DiffOp::insert:
            return QStringLiteral("insert");
        case DiffOp::delete_:
            return QStringLiteral("delete");
    }
    return {};
}

bool isSingleInput(Mode mode) {
    return mode == Mode::rewrite || mode == Mode::proofread || mode == Mode::toneCheck;
}

QString symbolName(Mode mode) {
    switch (mode) {
        case Mode::rewrite:
            return QStringLiteral("sparkle");
        case Mode::proofread:
            return QStringLiteral("checkmark.seal");
        case Mode::reply:
            return QStringLiteral("arrowshape.turn.up.left");
        case Mode::ask:
            return QStringLiteral("wand.and.stars");
        case Mode::toneCheck:
            return QStringLiteral("waveform");
    }
    return {};
}

bool requiresAPIKey(ProviderKind kind) {
    return kind != ProviderKind::ollama;
}

QString defaultModel(ProviderKind kind) {
    switch (kind) {
        case ProviderKind::openai:
            return QStringLiteral("gpt-4o-mini");
        case ProviderKind::anthropic:
            return QStringLiteral("claude-sonnet-4-6");
        case ProviderKind::gemini:
            return QStringLiteral("gemini-2.5-flash");
        case ProviderKind::ollama:
            return QStringLiteral("llama3.1");
        case ProviderKind::custom:
            return QStringLiteral("gpt-4o-mini");
    }
    return {};
}

QString defaultBaseURL(ProviderKind kind) {
    switch (kind) {
        case ProviderKind::openai:
            return QStringLiteral("https://api.openai.com/v1");
        case ProviderKind::anthropic:
            return QStringLiteral("https://api.anthropic.com/v1");
        case ProviderKind::gemini:
            return QStringLiteral("https://generativelanguage.googleapis.com/v1beta");
        case ProviderKind::ollama:
            return QStringLiteral("http://127.0.0.1:11434/v1");
        case ProviderKind::custom:
            return {};
    }
    return {};
}

QString apiKeyAccount(ProviderKind kind) {
    return QStringLiteral("io.tessarine.apikey.") + rawValue(kind).toLower();
}

QString instruction(Adjustment adjustment) {
    switch (adjustment) {
        case Adjustment::shorter:
            return QStringLiteral("Cut roughly a third of the length while keeping the core ask.");
        case Adjustment::longer:
            return QStringLiteral("Add one more sentence of context without padding.");
        case Adjustment::simpler:
            return QStringLiteral(
                "Use simpler vocabulary and shorter sentences. Aim for a grade-8 reading level.");
        case Adjustment::casual:
            return QStringLiteral(
                "Lower the formality. Contractions welcome, warmer opener, less corporate.");
        case Adjustment::formal:
            return QStringLiteral(
                "Raise the formality. Full words, no contractions, measured tone.");
        case Adjustment::friendlier:
            return QStringLiteral(
                "Add warmth without losing the point. Keep it genuine, not syrupy.");
    }
    return {};
}

}  // namespace ts
