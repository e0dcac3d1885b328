#include <gtest/gtest.h>

#include <cstdio>

#include "ui/theme/Palette.h"
#include "ui/theme/TextContrast.h"

using namespace ts;

// Every text role of both palettes reads at WCAG AA against what it is drawn on; the table is
// printed so that its lowest figures can be quoted.
TEST(TextContrast, EveryTextRoleOfBothPalettesMeetsAA) {
    const std::pair<const char*, const Palette*> schemes[] = {{"light", &Palette::light()},
                                                              {"dark", &Palette::dark()}};
    for (const auto& [scheme, palette] : schemes) {
        double lowest = 21;
        QString lowestName;
        for (const TextRole& role : textRoles(*palette)) {
            const double ratio = role.ratio();
            std::printf("%-5s %-52s %5.2f:1\n", scheme, qPrintable(role.name), ratio);
            EXPECT_GE(ratio, role.required()) << scheme << ": " << qPrintable(role.name);
            if (ratio < lowest) {
                lowest = ratio;
                lowestName = role.name;
            }
        }
        std::printf("%-5s lowest: %.2f:1 (%s)\n", scheme, lowest, qPrintable(lowestName));
    }
}

// The formula against known pairs, so that a wrong table cannot pass by a wrong ratio.
TEST(TextContrast, RatiosOfKnownPairs) {
    const struct {
        QColor a, b, over;
        double expected;
    } rows[] = {
        {Qt::black, Qt::white, Qt::white, 21.0},
        {Qt::white, Qt::white, Qt::white, 1.0},
        {QColor(0x76, 0x76, 0x76), Qt::white, Qt::white, 4.54},
        {QColor(0, 0, 0, 128), Qt::white, Qt::white, 4.00},  // half black over white: #7F7F7F
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(wcagContrast(laidOver(row.a, row.over), row.b), row.expected, 0.02);
    }
}
