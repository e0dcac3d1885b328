#include "desktop/platform/atspi/TextUnits.h"

namespace ts {

TextUnits TextUnits::forToolkit(const QString& toolkit) {
    const QString name = toolkit.toLower();
    if (name == QLatin1String("qt")) {
        return {Offsets::utf16, Lengths::utf16};
    }
    if (name == QLatin1String("gecko") || name.startsWith(QLatin1String("chrom"))) {
        return {Offsets::utf16, Lengths::utf16};
    }
    return {Offsets::codePoints, Lengths::utf8Bytes};
}

int TextUnits::span(const QString& text) const {
    if (offsets == Offsets::utf16) {
        return int(text.size());
    }
    int points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())) {
            ++points;
        }
    }
    return points;
}

int TextUnits::insertLength(const QString& text) const {
    return lengths == Lengths::utf16 ? int(text.size()) : int(text.toUtf8().size());
}

QString withoutZeroWidthMarks(QString text) {
    return text.remove(QChar(0xFEFF));
}

}  // namespace ts
