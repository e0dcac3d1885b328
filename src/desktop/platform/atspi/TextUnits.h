#pragma once

#include <QString>

namespace ts {

// How an application counts text over the accessibility bus. Offsets count code points in GTK
// but UTF-16 units in Qt, LibreOffice and the browsers; the length given with inserted text is
// UTF-8 bytes in GTK and LibreOffice and UTF-16 units in Qt. A wrong count cuts or overruns
// the text, and the application still reports success.
struct TextUnits {
    enum class Offsets { codePoints, utf16 };
    enum class Lengths { utf8Bytes, utf16 };
    Offsets offsets = Offsets::codePoints;
    Lengths lengths = Lengths::utf8Bytes;
    // LibreOffice makes each inserted line feed a new paragraph, out of the focused one's text:
    // its own line break (U+2028) keeps the answer in the paragraph it replaces.
    QChar lineBreak = QLatin1Char('\n');

    // By the application's toolkit name as the bus reports it ("GTK", "Qt", "Gecko", …) and
    // its name.
    static TextUnits forApplication(const QString& toolkit, const QString& name = {});

    // The text as it is inserted.
    QString written(const QString& text) const;

    // The span `text` takes in offsets.
    int span(const QString& text) const;
    // The length to give with `text` when inserting it.
    int insertLength(const QString& text) const;
};

// Text read back over the bus as the user sees it: browsers put an invisible U+FEFF after each
// character outside the BMP, and an office suite turns an inserted line break into its own
// (U+2028).
QString asWritten(QString text);

}  // namespace ts
