#pragma once

#include <QString>

namespace ts {

// Counts user-perceived characters (grapheme clusters), so a cut never splits an accented
// letter, an emoji or a surrogate pair.
qsizetype characterCount(const QString& text);
QString firstCharacters(const QString& text, qsizetype count);

}  // namespace ts
