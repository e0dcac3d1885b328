#pragma once

#include <QLocale>

namespace ts {

// Installs the program's catalogue and Qt's own (for the standard dialogs) for the first of the
// locale's interface languages that has one; English, the source language, needs none. Call once
// the QCoreApplication exists. Returns whether the program's own catalogue was found.
bool installTranslations(const QLocale& locale = QLocale::system());

}  // namespace ts
