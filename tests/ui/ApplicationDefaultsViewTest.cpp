#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QScrollArea>
#include <QSet>
#include <QTest>
#include <QTreeWidget>

#include "AccessibilityWalk.h"
#include "SettingsTestSupport.h"
#include "ui/settings/ApplicationDefaultsView.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"

using namespace ts;
using namespace ts::test;

namespace {

// Before the test's main creates the application, so the window joins the accessibility bus.
const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

class ApplicationDefaultsViewTest : public ::testing::Test {
protected:
    void open() {
        SettingsServices services = stores.services();
        services.lastApplication = [this] { return lastApplication; };
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        window = std::make_unique<SettingsWindow>(services);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->select(SettingsWindow::Tab::defaults);
    }
    // Focuses the control and presses the key, as a keyboard user does.
    void press(QWidget* control, Qt::Key key) {
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(control->isEnabled()) << control->accessibleName().toStdString();
        control->setFocus();
        QTest::keyClick(control, key);
    }
    QAbstractButton* the(const QString& text) { return button(*window, text); }
    QComboBox* picker(const QString& name) { return named<QComboBox>(*window, name); }

    SettingsStores stores;
    QString lastApplication = QStringLiteral("Mousepad");
    std::unique_ptr<SettingsWindow> window;
};

}  // namespace

// Fill in the last application, choose its context and tone, add, change and remove, all with
// the keyboard; a screen reader reads the list and every control by its label.
TEST_F(ApplicationDefaultsViewTest, AddChangeRemoveByKeyboardAndReadByAScreenReader) {
    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_NO_FATAL_FAILURE(press(the("Add the application I used last"), Qt::Key_Space));
    EXPECT_EQ(named<QLineEdit>(*window, "Application")->text(), "Mousepad");
    EXPECT_EQ(QApplication::focusWidget(), picker("Context"));
    ASSERT_NO_FATAL_FAILURE(press(picker("Context"), Qt::Key_Down));  // Chat
    ASSERT_NO_FATAL_FAILURE(press(picker("Tone"), Qt::Key_Down));     // Professional
    ASSERT_NO_FATAL_FAILURE(press(picker("Tone"), Qt::Key_Down));     // Casual
    ASSERT_NO_FATAL_FAILURE(press(the("Add"), Qt::Key_Space));
    EXPECT_EQ(stores.settings.applicationDefaults(),
              R"([{"app":"Mousepad","context":"Chat","tone":"Casual"}])");

    QTest::qWait(100);
    const QSet<QString> seen = screenReaderSees();
    for (const char* name :
         {"By application", "Mousepad", "Chat", "Casual", "Application", "Context", "Tone", "Add",
          "Change", "Remove", "Add the application I used last", "Mousepad: Chat.",
          "Keep the local model loaded"}) {
        EXPECT_TRUE(seen.contains(QString::fromUtf8(name))) << name;
    }

    // The added row stays selected: change its context, then drop its tone.
    ASSERT_NO_FATAL_FAILURE(press(picker("Context"), Qt::Key_Down));  // Generic
    ASSERT_NO_FATAL_FAILURE(press(picker("Tone"), Qt::Key_Home));     // Default tone
    ASSERT_NO_FATAL_FAILURE(press(the("Change"), Qt::Key_Space));
    EXPECT_EQ(stores.settings.applicationDefaults(), R"([{"app":"Mousepad","context":"Generic"}])");
    // A second entry, then the first one removed from the list by keyboard.
    ASSERT_NO_FATAL_FAILURE(press(named<QLineEdit>(*window, "Application"), Qt::Key_End));
    named<QLineEdit>(*window, "Application")->setText("Slack");
    ASSERT_NO_FATAL_FAILURE(press(named<QLineEdit>(*window, "Application"), Qt::Key_Return));
    auto* list = named<QTreeWidget>(*window, "By application");
    ASSERT_NO_FATAL_FAILURE(press(list, Qt::Key_Home));
    EXPECT_EQ(named<QLineEdit>(*window, "Application")->text(), "Mousepad");
    ASSERT_NO_FATAL_FAILURE(press(the("Remove"), Qt::Key_Space));
    EXPECT_EQ(stores.settings.applicationDefaults(), R"([{"app":"Slack","context":"Generic"}])");

    ASSERT_NO_FATAL_FAILURE(press(picker("Keep the local model loaded"), Qt::Key_End));
    EXPECT_EQ(stores.settings.keepModelLoaded(), "whileRunning");
}

// Saved for review under the build tree, in both schemes.
TEST_F(ApplicationDefaultsViewTest, ScreenshotsLightAndDark) {
    stores.settings.setApplicationDefaults(
        R"([{"app":"Mousepad","context":"Chat","tone":"Casual"},{"app":"Geary","context":"Generic"}])");
    ASSERT_NO_FATAL_FAILURE(open());
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    for (const QString& scheme : {QStringLiteral("light"), QStringLiteral("dark")}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        QTest::qWait(80);
        auto* view = window->findChild<ApplicationDefaultsView*>();
        ASSERT_NE(view, nullptr);
        for (auto* area : window->findChildren<QScrollArea*>()) {
            if (area->isAncestorOf(view)) {
                area->ensureWidgetVisible(view);
            }
        }
        QTest::qWait(80);
        const QString path = folder + "/settings-by-application-" + scheme + ".png";
        EXPECT_TRUE(window->grab().toImage().save(path)) << qPrintable(path);
    }
    Palette::setAppearanceSource({});
}

// A hand-broken value is shown as such and nothing here can overwrite it.
TEST_F(ApplicationDefaultsViewTest, AStoredListThatDoesNotParseIsShownAndKept) {
    const QString broken = R"([{"app":"Slack","context":"Mail"}])";
    stores.settings.setApplicationDefaults(broken);
    lastApplication.clear();
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_FALSE(named<QTreeWidget>(*window, "By application")->isEnabled());
    EXPECT_FALSE(the("Add")->isEnabled());
    EXPECT_FALSE(the("Add the application I used last")->isEnabled());
    bool shown = false;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        shown = shown || (label->isVisibleTo(window.get()) &&
                          label->text().contains("unknown context \"Mail\""));
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(stores.settings.applicationDefaults(), broken);
}
