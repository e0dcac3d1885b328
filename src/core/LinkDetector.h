#pragma once

#include <QString>

namespace ts {

// True when the whole trimmed text is one link (http, https, ftp, mailto or a "www." host),
// as a link detector matching the entire string would report.
bool isSingleLink(const QString& text);

}  // namespace ts
