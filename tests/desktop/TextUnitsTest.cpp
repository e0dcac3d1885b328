#include <gtest/gtest.h>

#include "desktop/platform/atspi/TextUnits.h"

using namespace ts;

// What each toolkit is told about a text: a wrong span reads back the wrong range, a wrong length
// cuts an emoji (GTK inserts nothing) or reads past the string (Qt inserts garbage).
TEST(TextUnits, SpanAndInsertLengthPerToolkit) {
    const QString accented = QStringLiteral("café");    // 4 points, 5 bytes
    const QString cyrillic = QStringLiteral("привет");  // 6 points, 12 bytes
    const QString emoji = QStringLiteral("ok 👍");       // 4 points, 5 UTF-16, 7 bytes
    const QString lines = QStringLiteral("a\nb");       // 3 of everything
    struct Row {
        const char* toolkit;
        QString text;
        int span;
        int length;
    };
    const Row rows[] = {
        {"GTK", accented, 4, 5},   {"GTK", cyrillic, 6, 12}, {"GTK", emoji, 4, 7},
        {"gtk", lines, 3, 3},      {"Qt", accented, 4, 4},   {"Qt", cyrillic, 6, 6},
        {"Qt", emoji, 5, 5},       {"Qt", lines, 3, 3},      {"Gecko", emoji, 5, 5},
        {"Chromium", emoji, 5, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.toolkit) + " " + row.text.toStdString());
        const TextUnits units = TextUnits::forApplication(QString::fromLatin1(row.toolkit));
        EXPECT_EQ(units.span(row.text), row.span);
        EXPECT_EQ(units.insertLength(row.text), row.length);
    }
    const TextUnits writer = TextUnits::forApplication(QStringLiteral("gtk"), "soffice");
    EXPECT_EQ(writer.written(lines), QStringLiteral("a\u2028b"));
    EXPECT_EQ(writer.insertLength(writer.written(lines)), 5);
    EXPECT_EQ(writer.span(emoji), 5);
    EXPECT_EQ(writer.insertLength(emoji), 7);
    EXPECT_EQ(TextUnits::forApplication(QStringLiteral("gtk"), "mousepad").written(lines), lines);
    EXPECT_EQ(asWritten(QStringLiteral("ok 👍\uFEFF!\u2028b")), QStringLiteral("ok 👍!\nb"));
}
