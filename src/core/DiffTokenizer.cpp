#include "core/DiffTokenizer.h"

#include <QTextBoundaryFinder>
#include <optional>

namespace ts {

namespace {

// A cluster counts as white space when its base code point does, so a stray combining mark
// after a space stays in the white-space run it follows.
bool clusterIsWhiteSpace(QStringView text, qsizetype start) {
    const QChar first = text[start];
    if (first.isHighSurrogate() && start + 1 < text.size() && text[start + 1].isLowSurrogate()) {
        return isUnicodeWhiteSpace(QChar::surrogateToUcs4(first, text[start + 1]));
    }
    return isUnicodeWhiteSpace(first.unicode());
}

// Between two code units below U+0300 there is always a cluster boundary except inside CR LF,
// so the (slow) finder is only asked where a mark, joiner or surrogate is involved.
bool isSimpleUnit(QChar ch) {
    return ch.unicode() < 0x300;
}

}  // namespace

bool isUnicodeWhiteSpace(char32_t ch) {
    if (ch < 0x85) {
        return ch == 0x20 || (ch >= 0x09 && ch <= 0x0D);
    }
    switch (ch) {
        case 0x0085:
        case 0x00A0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return ch >= 0x2000 && ch <= 0x200A;
    }
}

std::vector<DiffToken> diffTokens(QStringView text) {
    std::vector<DiffToken> tokens;
    if (text.isEmpty()) {
        return tokens;
    }
    // Built on first need: it analyses the whole text up front, which plain prose never needs.
    std::optional<QTextBoundaryFinder> finder;
    qsizetype tokenStart = 0;
    bool inWhiteSpace = false;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        // Plain ASCII followed by a unit that cannot join it: one unit, one cluster.
        const char16_t unit = text[pos].unicode();
        if (unit < 0x80 && unit != u'\r' && (pos + 1 == size || text[pos + 1].unicode() < 0x300)) {
            if (unit == u' ' || (unit >= 0x09 && unit <= 0x0D)) {
                inWhiteSpace = true;
            } else if (inWhiteSpace) {
                tokens.push_back({tokenStart, pos - tokenStart});
                tokenStart = pos;
                inWhiteSpace = false;
            }
            ++pos;
            continue;
        }
        qsizetype next = pos + 1;
        const bool crlf = text[pos] == u'\r' && next < text.size() && text[next] == u'\n';
        if (crlf) {
            next = pos + 2;
        } else if (!isSimpleUnit(text[pos]) || (next < text.size() && !isSimpleUnit(text[next]))) {
            if (!finder) {
                finder.emplace(QTextBoundaryFinder::Grapheme, text.data(), text.size());
            }
            finder->setPosition(pos);
            next = finder->toNextBoundary();
            if (next < 0) {
                next = text.size();
            }
        }
        if (clusterIsWhiteSpace(text, pos)) {
            inWhiteSpace = true;
        } else if (inWhiteSpace) {
            tokens.push_back({tokenStart, pos - tokenStart});
            tokenStart = pos;
            inWhiteSpace = false;
        }
        pos = next;
    }
    tokens.push_back({tokenStart, text.size() - tokenStart});
    return tokens;
}

}  // namespace ts
