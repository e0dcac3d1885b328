#pragma once

#include <QString>

#include "core/Enums.h"

namespace ts {

// What the result view says for the mode of the finished request.
struct ModeTexts {
    QString lead;
    QString accent;
    QString section;
    QString copy;  // empty for the tone check, which has no copy button
};

ModeTexts modeTexts(Mode mode);

QString adjustmentSymbol(Adjustment adjustment);
// The chip's help: "Regenerate: " and the instruction sent with the adjustment.
QString adjustmentHelp(Adjustment adjustment);
QString whySymbol(WhyKind kind);

}  // namespace ts
