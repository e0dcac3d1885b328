#include "desktop/platform/atspi/TextUnits.h"

namespace ts {

TextUnits TextUnits::forApplication(const QString& toolkit, const QString& name) {
    const QString kit = toolkit.toLower();
    TextUnits units;
    if (kit == QLatin1String("qt") || kit == QLatin1String("gecko") ||
        kit.startsWith(QLatin1String("chrom"))) {
        units.offsets = Offsets::utf16;
        units.lengths = Lengths::utf16;
    }
    if (name == QLatin1String("soffice") || name.startsWith(QLatin1String("LibreOffice"))) {
        units.offsets = Offsets::utf16;  // its strings are UTF-16, whatever toolkit it shows
        units.lineBreak = QChar(0x2028);
    }
    return units;
}

QString TextUnits::written(const QString& text) const {
    QString out = text;
    return out.replace(QLatin1Char('\n'), lineBreak);
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

QString asWritten(QString text) {
    return text.remove(QChar(0xFEFF)).replace(QChar(0x2028), QLatin1Char('\n'));
}

}  // namespace ts
