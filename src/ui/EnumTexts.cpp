#include "ui/EnumTexts.h"

#include <QCoreApplication>

namespace ts {

QString displayName(Mode value) {
    switch (value) {
        case Mode::rewrite:
            return QCoreApplication::translate("ts::EnumTexts", "Rewrite", "mode");
        case Mode::proofread:
            return QCoreApplication::translate("ts::EnumTexts", "Proofread", "mode");
        case Mode::reply:
            return QCoreApplication::translate("ts::EnumTexts", "Reply", "mode");
        case Mode::ask:
            return QCoreApplication::translate("ts::EnumTexts", "Custom", "mode");
        case Mode::toneCheck:
            return QCoreApplication::translate("ts::EnumTexts", "Tone", "mode");
    }
    return rawValue(value);
}

QString displayName(Tone value) {
    switch (value) {
        case Tone::professional:
            return QCoreApplication::translate("ts::EnumTexts", "Professional", "tone");
        case Tone::casual:
            return QCoreApplication::translate("ts::EnumTexts", "Casual", "tone");
        case Tone::friendly:
            return QCoreApplication::translate("ts::EnumTexts", "Friendly", "tone");
        case Tone::concise:
            return QCoreApplication::translate("ts::EnumTexts", "Concise", "tone");
    }
    return rawValue(value);
}

QString displayName(AppContext value) {
    switch (value) {
        case AppContext::email:
            return QCoreApplication::translate("ts::EnumTexts", "Email", "context");
        case AppContext::chat:
            return QCoreApplication::translate("ts::EnumTexts", "Chat", "context");
        case AppContext::generic:
            return QCoreApplication::translate("ts::EnumTexts", "Generic", "context");
    }
    return rawValue(value);
}

QString displayName(Adjustment value) {
    switch (value) {
        case Adjustment::shorter:
            return QCoreApplication::translate("ts::EnumTexts", "Shorter", "adjustment");
        case Adjustment::longer:
            return QCoreApplication::translate("ts::EnumTexts", "Longer", "adjustment");
        case Adjustment::simpler:
            return QCoreApplication::translate("ts::EnumTexts", "Simpler", "adjustment");
        case Adjustment::casual:
            return QCoreApplication::translate("ts::EnumTexts", "Casual", "adjustment");
        case Adjustment::formal:
            return QCoreApplication::translate("ts::EnumTexts", "Formal", "adjustment");
        case Adjustment::friendlier:
            return QCoreApplication::translate("ts::EnumTexts", "Friendlier", "adjustment");
    }
    return rawValue(value);
}

QString displayName(ProviderKind value) {
    // The others are product names.
    if (value == ProviderKind::custom) {
        return QCoreApplication::translate("ts::EnumTexts", "Custom", "provider");
    }
    return rawValue(value);
}

QString displayInstruction(Adjustment value) {
    switch (value) {
        case Adjustment::shorter:
            return QCoreApplication::translate(
                "ts::EnumTexts", "Cut roughly a third of the length while keeping the core ask.");
        case Adjustment::longer:
            return QCoreApplication::translate("ts::EnumTexts",
                                               "Add one more sentence of context without padding.");
        case Adjustment::simpler:
            return QCoreApplication::translate(
                "ts::EnumTexts",
                "Use simpler vocabulary and shorter sentences. Aim for a grade-8 reading level.");
        case Adjustment::casual:
            return QCoreApplication::translate(
                "ts::EnumTexts",
                "Lower the formality. Contractions welcome, warmer opener, less corporate.");
        case Adjustment::formal:
            return QCoreApplication::translate(
                "ts::EnumTexts",
                "Raise the formality. Full words, no contractions, measured tone.");
        case Adjustment::friendlier:
            return QCoreApplication::translate(
                "ts::EnumTexts",
                "Add warmth without losing the point. Keep it genuine, not syrupy.");
    }
    return instruction(value);
}

}  // namespace ts
