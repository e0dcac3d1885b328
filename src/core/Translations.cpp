#include "core/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ts {

namespace {

// The catalogue's language, or empty when none of the locale's languages has one.
QString install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator)) {
        return translator->language();
    }
    delete translator;
    return {};
}

}  // namespace

// QLocale::uiLanguages() of the system locale follows LANGUAGE, then LC_ALL, LC_MESSAGES, LANG.
bool installTranslations(const QLocale& locale) {
    const QString language = install(locale, QStringLiteral("tessarine"), QStringLiteral(":/i18n"));
    if (language.isEmpty()) {
        return false;
    }
    // Qt's dialogs in the language the windows got, not an earlier one of the list that only Qt
    // has (LANGUAGE=fr:de gives German windows, so German dialogs).
    install(QLocale(language), QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}

}  // namespace ts
