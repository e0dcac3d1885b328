#include "ui/main/ResultTexts.h"

namespace ts {

ModeTexts modeTexts(Mode mode) {
    switch (mode) {
        case Mode::rewrite:
            return {QStringLiteral("Review:"), QStringLiteral("Sharper"),
                    QStringLiteral("IMPROVED"), QStringLiteral("Copy Improved")};
        case Mode::proofread:
            return {QStringLiteral("Proofread:"), QStringLiteral("Clean"),
                    QStringLiteral("CORRECTED"), QStringLiteral("Copy Corrected")};
        case Mode::reply:
            return {QStringLiteral("Draft:"), QStringLiteral("Ready"),
                    QStringLiteral("DRAFTED REPLY"), QStringLiteral("Copy Reply")};
        case Mode::ask:
            return {QStringLiteral("Result:"), QStringLiteral("Ready"), QStringLiteral("RESULT"),
                    QStringLiteral("Copy Result")};
        case Mode::toneCheck:
            return {QStringLiteral("Tone:"),
                    QStringLiteral("Read"),
                    QStringLiteral("OBSERVATIONS"),
                    {}};
    }
    return {};
}

QString adjustmentSymbol(Adjustment adjustment) {
    switch (adjustment) {
        case Adjustment::shorter:
            return QStringLiteral("arrow.down.right.and.arrow.up.left");
        case Adjustment::longer:
            return QStringLiteral("arrow.up.left.and.arrow.down.right");
        case Adjustment::simpler:
            return QStringLiteral("text.alignleft");
        case Adjustment::casual:
            return QStringLiteral("face.smiling");
        case Adjustment::formal:
            return QStringLiteral("briefcase");
        case Adjustment::friendlier:
            return QStringLiteral("sun.max");
    }
    return {};
}

QString adjustmentHelp(Adjustment adjustment) {
    return QStringLiteral("Regenerate: ") + instruction(adjustment);
}

QString whySymbol(WhyKind kind) {
    switch (kind) {
        case WhyKind::clarity:
            return QStringLiteral("scope");
        case WhyKind::tone:
            return QStringLiteral("face.smiling");
        case WhyKind::concision:
            return QStringLiteral("text.alignleft");
        case WhyKind::other:
            return QStringLiteral("sparkle");
    }
    return QStringLiteral("sparkle");
}

}  // namespace ts
