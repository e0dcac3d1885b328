#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include "AccessibilityWalk.h"
#include "SettingsTestSupport.h"
#include "core/Translations.h"
#include "desktop/SessionClipboard.h"
#include "desktop/platform/x11/X11Clipboard.h"
#include "session/AppState.h"
#include "store/MemoryKeyStore.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

using namespace ts;
using namespace ts::test;

namespace {

// Before the test's main creates the application: the windows join the accessibility bus, and
// the language comes from LANGUAGE as a user's session sets it (this program is built once per
// language).
const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
const bool languageChosen = qputenv("LANGUAGE", TS_TEST_LANGUAGE);

struct Language {
    const char* code;
    QStringList mainWindow;  // names a screen reader finds in the main window
    QStringList settings;    // the settings window's title and sections
    QStringList english;     // their English names, which must be gone
};

const Language kLanguages[] = {
    {"de",
     {"Umschreiben", "Korrektur", "Antwort", "Frei", "Ton", "Verlauf", "Tastenkürzel",
      "Einstellungen", "Prüfen", "Machen wir es prägnanter."},
     {"Tessarine-Einstellungen", "Anbieter", "Vorgaben", "Stil", "Prompts", "Tastenkürzel",
      "Allgemein", "Verbindung testen"},
     {"Rewrite", "History", "Settings", "Review", "Provider", "Defaults", "Test Connection"}},
    {"es",
     {"Reescribir", "Corregir", "Responder", "Libre", "Tono", "Historial", "Atajos de teclado",
      "Preferencias", "Revisar", "Dejémoslo más pulido."},
     {"Preferencias de Tessarine", "Proveedor", "Predeterminados", "Estilo", "Instrucciones",
      "Atajos", "General", "Probar la conexión"},
     {"Rewrite", "History", "Settings", "Review", "Provider", "Defaults", "Test Connection"}},
};

const Language& language() {
    for (const Language& l : kLanguages) {
        if (qstrcmp(l.code, TS_TEST_LANGUAGE) == 0) {
            return l;
        }
    }
    ADD_FAILURE() << "no table row for " << TS_TEST_LANGUAGE;
    return kLanguages[0];
}

QSet<QString> screenReaderNames() {
    QSet<QString> names;
    for (const QJsonValue& node : accessibilityNodes()) {
        names.insert(node["name"].toString());
    }
    return names;
}

// Buttons and one-line labels whose text needs more room than they were given (a button's
// text and icon inside the narrowest padding the style sheet gives one).
QStringList clipped(QWidget& window) {
    constexpr int kPadding = 12;
    QStringList found;
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(&window) || b->text().isEmpty()) {
            continue;
        }
        const int needed = b->fontMetrics().horizontalAdvance(b->text()) +
                           (b->icon().isNull() ? 0 : b->iconSize().width() + 4) + kPadding;
        if (needed > b->width()) {
            found << QStringLiteral("%1 (%2 > %3)").arg(b->text()).arg(needed).arg(b->width());
        }
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && !label->wordWrap() && !label->text().isEmpty() &&
            label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width()) {
            found << label->text();
        }
    }
    return found;
}

void save(QWidget& window, const QString& name) {
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    QTest::qWait(50);
    const QString path = QStringLiteral("%1/%2.png").arg(folder, name);
    EXPECT_TRUE(window.grab().save(path)) << qPrintable(path);
}

}  // namespace

// Named per language (GermanWindows, SpanishWindows), so the two programs' tests differ in name;
// the extra macro lets the suite's name expand before TEST_F pastes it.
#define TS_LANGUAGE_TEST(suite, name) TEST_F(suite, name)

class TS_TEST_SUITE : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(installTranslations()) << TS_TEST_LANGUAGE; }
    TS_TEST_SUITE() { qApp->setStyleSheet(windowStyleSheet(Palette::current())); }
    ~TS_TEST_SUITE() override { Palette::setAppearanceSource({}); }
};

TS_LANGUAGE_TEST(TS_TEST_SUITE, MainWindowIsFoundByItsTranslatedNamesAndHoldsTheLongerTexts) {
    SettingsStores stores;
    MemoryKeyStore keys;
    X11Clipboard clipboard;
    SessionClipboard sessionClipboard{clipboard};
    AppState session{
        AppState::Services{RequestServices{stores.settings, keys,
                                           [&stores]() -> HistoryStore& { return stores.history; }},
                           sessionClipboard}};
    MainWindow window{MainWindow::Services{session, stores.prompts}};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(MainWindow::kWidth, MainWindow::kHeight));

    const QSet<QString> names = screenReaderNames();
    for (const QString& name : language().mainWindow) {
        EXPECT_TRUE(names.contains(name)) << qPrintable(name);
    }
    for (const QString& name : language().english) {
        EXPECT_FALSE(names.contains(name)) << qPrintable(name);
    }

    const char* modes[] = {"rewrite", "proofread", "reply", "ask", "tone"};
    for (const QString scheme : {"light", "dark"}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        for (std::size_t i = 0; i < EnumCases<Mode>::all.size(); ++i) {
            session.setMode(EnumCases<Mode>::all[i]);
            QTest::qWait(20);
            EXPECT_EQ(window.width(), MainWindow::kWidth) << modes[i];
            EXPECT_EQ(clipped(window), QStringList()) << modes[i];
            save(window, QStringLiteral("main-%1-%2-%3").arg(TS_TEST_LANGUAGE, modes[i], scheme));
        }
    }
}

TS_LANGUAGE_TEST(TS_TEST_SUITE, SettingsWindowIsFoundByItsTranslatedNames) {
    SettingsStores stores;
    SettingsWindow window(stores.services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QSet<QString> names = screenReaderNames();
    for (const QString& name : language().settings) {
        EXPECT_TRUE(names.contains(name)) << qPrintable(name);
    }
    for (const QString& name : language().english) {
        EXPECT_FALSE(names.contains(name)) << qPrintable(name);
    }
    auto* sections = window.findChild<QAbstractScrollArea*>("settingsTabs");
    ASSERT_NE(sections, nullptr);
    EXPECT_FALSE(sections->horizontalScrollBar()->isVisible()) << "a section name is cut";
    for (const QString scheme : {"light", "dark"}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        window.select(SettingsWindow::Tab::provider);
        save(window, QStringLiteral("settings-%1-provider-%2").arg(TS_TEST_LANGUAGE, scheme));
        window.select(SettingsWindow::Tab::general);
        save(window, QStringLiteral("settings-%1-general-%2").arg(TS_TEST_LANGUAGE, scheme));
    }
}
