#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace ts {

// The Unicode White_Space property (PropList.txt). Differs from QChar::isSpace, which follows
// the general category: U+180E lost the property in Unicode 6.3, and U+200B never had it.
bool isUnicodeWhiteSpace(char32_t ch);

struct DiffToken {
    qsizetype start = 0;
    qsizetype length = 0;
};

// Splits text into words, each carrying the white space after it; text that starts with white
// space gets a first token of only that white space. Works on grapheme clusters, so a cluster
// (a letter with its combining marks, CR LF) is never split. The tokens cover the text exactly.
std::vector<DiffToken> diffTokens(QStringView text);

}  // namespace ts
