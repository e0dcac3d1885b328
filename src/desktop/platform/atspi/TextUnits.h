#pragma once

#include <QString>

namespace ts {

// How an application counts text over the accessibility bus. Offsets count code points in GTK
// and LibreOffice but UTF-16 units in Qt and the browsers; the length given with inserted text
// is UTF-8 bytes in GTK and LibreOffice and UTF-16 units in Qt. A wrong count cuts or overruns
// the text, and the application still reports success.
struct TextUnits {
    enum class Offsets { codePoints, utf16 };
    enum class Lengths { utf8Bytes, utf16 };
    Offsets offsets = Offsets::codePoints;
    Lengths lengths = Lengths::utf8Bytes;

    // By the application's toolkit name as the bus reports it ("GTK", "Qt", "Gecko", …).
    static TextUnits forToolkit(const QString& toolkit);

    // The span `text` takes in offsets.
    int span(const QString& text) const;
    // The length to give with `text` when inserting it.
    int insertLength(const QString& text) const;
};

// Text read back over the bus as the user sees it: browsers put an invisible U+FEFF after each
// character outside the BMP.
QString withoutZeroWidthMarks(QString text);

}  // namespace ts
