#include "core/ReviewParser.h"

#include "core/Prompts.h"

namespace ts {
namespace {

// LF, VT, FF, CR, NEL, LS, PS: each ends a line on its own, so CR LF leaves an empty line.
bool isNewline(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isSpaceOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimSpacesAndTabs(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpaceOrTab(text[begin])) {
        ++begin;
    }
    while (end > begin && isSpaceOrTab(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

WhyKind kindFromWord(QStringView word) {
    const QString lower = word.toString().toLower();
    for (WhyKind kind : EnumCases<WhyKind>::all) {
        if (rawValue(kind) == lower) {
            return kind;
        }
    }
    return WhyKind::other;
}

void appendBullet(QStringView rawLine, QList<WhyBullet>& bullets) {
    const QStringView line = trimSpacesAndTabs(rawLine);
    if (!line.startsWith(u"- ")) {
        return;
    }
    const QStringView body = line.sliced(2);
    if (body.isEmpty()) {
        return;
    }
    const qsizetype colon = body.indexOf(u':');
    if (colon < 0) {
        bullets.append(WhyBullet{WhyKind::other, body.toString()});
        return;
    }
    bullets.append(WhyBullet{kindFromWord(trimSpacesAndTabs(body.first(colon))),
                             trimSpacesAndTabs(body.sliced(colon + 1)).toString()});
}

QList<WhyBullet> bulletsIn(QStringView section) {
    QList<WhyBullet> bullets;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (isNewline(section[i])) {
            appendBullet(section.sliced(lineStart, i - lineStart), bullets);
            lineStart = i + 1;
        }
    }
    appendBullet(section.sliced(lineStart), bullets);
    return bullets;
}

}  // namespace

bool isWhiteSpace(QChar c) {
    // QChar::isSpace is exactly White_Space: U+0009-U+000D, U+0085 and the Zs, Zl, Zp categories.
    return c.isSpace();
}

Review parseReview(const QString& answer) {
    const qsizetype first = answer.indexOf(reviewSeparator);
    if (first < 0) {
        return Review{answer.trimmed(), {}};
    }
    const qsizetype sectionStart = first + reviewSeparator.size();
    const qsizetype second = answer.indexOf(reviewSeparator, sectionStart);
    const qsizetype sectionEnd = second < 0 ? answer.size() : second;
    const QStringView view(answer);
    return Review{view.first(first).trimmed().toString(),
                  bulletsIn(view.sliced(sectionStart, sectionEnd - sectionStart))};
}

QString streamingPreview(const QString& accumulated) {
    const qsizetype separator = accumulated.indexOf(reviewSeparator);
    const QStringView view(accumulated);
    return (separator < 0 ? view : view.first(separator)).trimmed().toString();
}

}  // namespace ts
