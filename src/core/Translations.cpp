#include "core/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ts {

namespace {

// QLocale::uiLanguages() of the system locale follows LANGUAGE, then LC_ALL, LC_MESSAGES, LANG.
bool install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

}  // namespace

bool installTranslations(const QLocale& locale) {
    const bool own = install(locale, QStringLiteral("tessarine"), QStringLiteral(":/i18n"));
    if (own) {
        install(locale, QStringLiteral("qtbase"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return own;
}

}  // namespace ts
