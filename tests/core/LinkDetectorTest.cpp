#include <gtest/gtest.h>

#include "core/LinkDetector.h"

using namespace ts;

TEST(LinkDetector, MatchesOnlyWhenTheWholeTrimmedTextIsOneLink) {
    struct Row {
        QString text;
        bool link;
    };
    const Row rows[] = {
        {"http://example.com", true},
        {"https://example.com/path?q=1#top", true},
        {"HTTPS://Example.COM", true},
        {"ftp://files.example.org/pub/readme.txt", true},
        {"mailto:someone@example.com", true},
        {"someone@example.com", true},
        {"www.example.com", true},
        {"www.example.co.uk/page", true},
        {"  https://example.com \n", true},
        {"\twww.example.com  ", true},
        {"see https://example.com for details", false},
        {"https://example.com and more", false},
        {"Visit www.example.com", false},
        {"Please send the numbers", false},
        {"hello", false},
        {"https://", false},
        {"mailto:", false},
        {"www.", false},
        {"", false},
        {"   \n ", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(isSingleLink(row.text), row.link) << row.text.toStdString();
    }
}
