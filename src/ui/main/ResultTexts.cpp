#include "ui/main/ResultTexts.h"

#include <QCoreApplication>

#include "ui/EnumTexts.h"

namespace ts {

ModeTexts modeTexts(Mode mode) {
    switch (mode) {
        case Mode::rewrite:
            //: A result's title is two words read as one: "Review: Sharper".
            return {QCoreApplication::translate("ts::ResultTexts", "Review:"),
                    //: Second half of "Review: Sharper": the text now reads sharper.
                    QCoreApplication::translate("ts::ResultTexts", "Sharper"),
                    QCoreApplication::translate("ts::ResultTexts", "IMPROVED"),
                    QCoreApplication::translate("ts::ResultTexts", "Copy Improved")};
        case Mode::proofread:
            return {QCoreApplication::translate("ts::ResultTexts", "Proofread:"),
                    //: Second half of "Proofread: Clean": the text is now free of errors.
                    QCoreApplication::translate("ts::ResultTexts", "Clean"),
                    QCoreApplication::translate("ts::ResultTexts", "CORRECTED"),
                    QCoreApplication::translate("ts::ResultTexts", "Copy Corrected")};
        case Mode::reply:
            return {QCoreApplication::translate("ts::ResultTexts", "Draft:"),
                    QCoreApplication::translate("ts::ResultTexts", "Ready"),
                    QCoreApplication::translate("ts::ResultTexts", "DRAFTED REPLY"),
                    QCoreApplication::translate("ts::ResultTexts", "Copy Reply")};
        case Mode::ask:
            return {QCoreApplication::translate("ts::ResultTexts", "Result:"),
                    QCoreApplication::translate("ts::ResultTexts", "Ready"),
                    QCoreApplication::translate("ts::ResultTexts", "RESULT"),
                    QCoreApplication::translate("ts::ResultTexts", "Copy Result")};
        case Mode::toneCheck:
            return {QCoreApplication::translate("ts::ResultTexts", "Tone:"),
                    //: Second half of "Tone: Read": the tone has been read (past tense).
                    QCoreApplication::translate("ts::ResultTexts", "Read"),
                    QCoreApplication::translate("ts::ResultTexts", "OBSERVATIONS"),
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
    return QCoreApplication::translate("ts::ResultTexts", "Regenerate: %1")
        .arg(displayInstruction(adjustment));
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
