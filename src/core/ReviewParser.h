#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include "core/Review.h"

namespace ts {

// Never fails: any answer, even an empty one, yields a Review. The improved text is what comes
// before the first separator, trimmed; the bullets come from the section after it, up to a
// second separator if the model wrote one: one per line of the form "- kind: text", lines of any
// other shape skipped.
Review parseReview(const QString& answer);

// The improved text as far as it has arrived; it stops growing once the separator is complete.
QString streamingPreview(const QString& accumulated);

// Unicode White_Space (the set trimmed from the improved text and the preview).
bool isWhiteSpace(QChar c);

}  // namespace ts
