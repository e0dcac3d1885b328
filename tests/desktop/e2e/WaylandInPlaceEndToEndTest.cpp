#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "AppUnderTest.h"
#include "LoopbackModelServer.h"
#include "Rewrites.h"
#include "SwayTestTools.h"
#include "store/SettingsStore.h"

using namespace ts;
using namespace ts::test;

namespace {

// The desktop's notification server, which shows the program's messages on Wayland.
class NotificationServer final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    NotificationServer() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        registered = bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                        QDBusConnection::ExportScriptableSlots) &&
                     bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~NotificationServer() override {
        QDBusConnection::sessionBus().unregisterService(
            QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::sessionBus().unregisterObject(
            QStringLiteral("/org/freedesktop/Notifications"));
    }

    bool registered = false;
    QStringList bodies;

public slots:
    Q_SCRIPTABLE uint Notify(const QString&, uint replaces, const QString&, const QString&,
                             const QString& body, const QStringList&, const QVariantMap&, int) {
        bodies.append(body);
        return replaces != 0 ? replaces : uint(bodies.size());
    }
    Q_SCRIPTABLE QStringList GetCapabilities() { return {QStringLiteral("body")}; }
};

// A word alone on its line (selected from Home to End in every toolkit), then a sentence: with
// a line break, é, Cyrillic and an emoji, whose lengths each toolkit counts in its own units.
const QString kWord = QStringLiteral("Привет");
const QString kRest = QStringLiteral("\nso could you maybe send the café numbers 👍");
const QString kAnswer = QStringLiteral("Здравствуйте — café 👍\nCould you send the numbers?");

struct Editor {
    const char* name;
    QString program;
    QStringList options;
    QString appId;  // sway's name for its window
};

// The real program on a headless sway, triggered by a sway key binding that runs the trigger
// command, rewriting in native Wayland editors through the accessibility bus.
class WaylandInPlaceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Sway::installed()) {
            GTEST_SKIP() << "sway is not installed";
        }
        sway = std::make_unique<Sway>(QStringList{
            QStringLiteral("bindsym Mod4+Ctrl+Alt+e exec %1 --in-place").arg(TESSARINE_APP_PATH)});
        ASSERT_TRUE(sway->running()) << sway->log().toStdString();
        env = sway->environment();
        env.remove(QStringLiteral("NO_AT_BRIDGE"));  // GTK programs join the accessibility bus
        holder = std::make_unique<RunningProgram>(QStringLiteral(TS_WAYLAND_HELPER),
                                                  QStringList{QStringLiteral("hold")}, env);
        ASSERT_TRUE(notifications.registered);
        ASSERT_TRUE(dir.isValid());
        SettingsStore settings(dir.filePath(QStringLiteral("config/tessarine/tessarine.conf")));
        settings.setProvider(ProviderKind::ollama);
        settings.setOllamaBaseURL(server.url(QStringLiteral("/v1")).toString());
        server.on("POST", "/v1/chat/completions", rewriteAnswer(kAnswer));
        app = std::make_unique<AppUnderTest>(dir.filePath(QStringLiteral("config")), env);
        ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] running;")))
            << app->log().toStdString();
    }
    void TearDown() override {
        editor.reset();
        app.reset();
        // The program asked the shared accessibility bus to expose every new program; the
        // tests after this one expect the desktop as it was.
        runTool(QStringLiteral("dbus-send"),
                {"--session", "--dest=org.a11y.Bus", "/org/a11y/bus",
                 "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                 "string:IsEnabled", "variant:boolean:false"});
        holder.reset();
        sway.reset();
    }

    bool keys(const QStringList& chords) {
        return runTool(QStringLiteral(TS_WAYLAND_HELPER),
                       QStringList{QStringLiteral("keys")} + chords, {}, env)
                   .exitCode == 0;
    }
    // Saves with Ctrl+S until the file holds the text (editors save asynchronously).
    bool savedAs(const QString& expected) {
        return QTest::qWaitFor(
            [&] {
                keys({QStringLiteral("ctrl+s")});
                // GTK 4's editor ends the saved file with a line break of its own.
                return QTest::qWaitFor(
                    [&] {
                        const QByteArray saved = fileText(path);
                        return saved == expected.toUtf8() || saved == expected.toUtf8() + '\n';
                    },
                    500);
            },
            15000);
    }
    void setClipboard() {
        QProcess copy;
        copy.setProcessEnvironment(env);
        copy.setStandardOutputFile(QProcess::nullDevice());
        copy.start(QStringLiteral("wl-copy"),
                   {QStringLiteral("--type"), QStringLiteral("text/html")});
        copy.write("<b>mine</b>");
        copy.closeWriteChannel();
        copy.waitForFinished(5000);
    }
    QByteArray clipboard() {
        return runTool(QStringLiteral("wl-paste"), {"--list-types"}, {}, env).out + "|" +
               runTool(QStringLiteral("wl-paste"), {"--no-newline", "--type", "text/html"}, {}, env)
                   .out;
    }

    // The editor on a new file holding the word and the sentence, with the keyboard focus.
    void openEditor(const Editor& row, const QProcessEnvironment& editorEnv) {
        path = dir.filePath(QStringLiteral("note-%1.txt").arg(++files));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((kWord + kRest).toUtf8());
        file.close();
        editor = std::make_unique<RunningProgram>(row.program, row.options + QStringList{path},
                                                  editorEnv);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return sway->focusedApp().contains(row.appId, Qt::CaseInsensitive); }, 20000))
            << "focused: " << sway->focusedApp().toStdString();
    }
    qsizetype count(const QString& text) { return app->logLines(text).size(); }
    // Selects and presses the binding until a toast says `done`. Only a press that read nothing
    // is tried again (the editor was not on the bus yet, or had not drawn its text): no
    // selection through the bus, and then no copy through the keys.
    bool rewrite(const QStringList& select, const QString& done) {
        const auto readNothing = [&] {
            return count("Nothing selected") + count("capture failed");
        };
        for (int attempt = 0; attempt < 5; ++attempt) {
            const qsizetype outcomes = count("toast success:") + count("toast error:");
            const qsizetype before = count(done);
            const qsizetype unread = readNothing();
            keys(select);
            keys({QStringLiteral("super+ctrl+alt+e")});
            (void)QTest::qWaitFor(
                [&] { return count("toast success:") + count("toast error:") > outcomes; }, 20000);
            if (count(done) > before) {
                return true;
            }
            if (readNothing() == unread) {
                return false;
            }
        }
        return false;
    }
    QByteArray history() const {
        return fileText(dir.filePath(QStringLiteral("state/tessarine/history.json")));
    }

    NotificationServer notifications;
    std::unique_ptr<Sway> sway;
    QProcessEnvironment env;
    int files = 0;
    std::unique_ptr<RunningProgram> holder;
    QTemporaryDir dir;
    LoopbackModelServer server;
    std::unique_ptr<AppUnderTest> app;
    std::unique_ptr<RunningProgram> editor;
    QString path;
};

}  // namespace

// Each editor, a word and then the whole text: replaced without the clipboard, two undo steps
// back to the original, and a record in the history.
TEST_F(WaylandInPlaceEndToEnd, ReplacesTheSelectionInNativeEditors) {
    const Editor editors[] = {
        {"mousepad (GTK 3)",
         QStringLiteral("mousepad"),
         {QStringLiteral("--disable-server")},
         QStringLiteral("mousepad")},
        {"gnome-text-editor (GTK 4)",
         QStringLiteral("gnome-text-editor"),
         {QStringLiteral("--standalone"), QStringLiteral("--ignore-session")},
         QStringLiteral("org.gnome.TextEditor")},
        {"Qt 6 text edit", QStringLiteral(TS_QT_TEXT_HELPER), {}, QStringLiteral("qt_text_helper")},
    };
    struct Case {
        const char* name;
        QStringList select;
        QString expected;
    };
    const Case cases[] = {
        {"word", {QStringLiteral("ctrl+Home"), QStringLiteral("shift+End")}, kAnswer + kRest},
        {"whole text", {QStringLiteral("ctrl+a")}, kAnswer},
    };
    int records = 0;
    for (const Editor& row : editors) {
        if (QStandardPaths::findExecutable(row.program).isEmpty()) {
            ADD_FAILURE() << row.program.toStdString() << " is not installed";
            continue;
        }
        for (const Case& test : cases) {
            SCOPED_TRACE(std::string(row.name) + ", " + test.name);
            openEditor(row, env);
            setClipboard();
            const QByteArray clipboardBefore = clipboard();
            ASSERT_TRUE(clipboardBefore.contains("<b>mine</b>"));
            ASSERT_TRUE(rewrite(test.select, QStringLiteral("Ctrl+Z twice to undo.")))
                << app->log().toStdString();
            ++records;
            EXPECT_TRUE(savedAs(test.expected)) << fileText(path).toStdString();
            keys({QStringLiteral("ctrl+z"), QStringLiteral("ctrl+z")});
            EXPECT_TRUE(savedAs(kWord + kRest)) << fileText(path).toStdString();
            EXPECT_EQ(clipboard(), clipboardBefore);
            EXPECT_EQ(history().count(QStringLiteral("Здравствуйте").toUtf8()), records);
            editor.reset();
        }
    }
}

// A program off the accessibility bus: the selection is copied and the answer pasted through the
// program's own virtual keyboard, and the clipboard is given back.
TEST_F(WaylandInPlaceEndToEnd, AProgramOffTheBusIsRewrittenByCopyAndPaste) {
    QProcessEnvironment offTheBus = env;
    offTheBus.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    openEditor({"mousepad",
                QStringLiteral("mousepad"),
                {QStringLiteral("--disable-server")},
                QStringLiteral("mousepad")},
               offTheBus);
    setClipboard();
    const QByteArray clipboardBefore = clipboard();
    ASSERT_TRUE(rewrite({QStringLiteral("ctrl+a")}, QStringLiteral("Ctrl+Z to undo.")))
        << app->log().toStdString();
    EXPECT_TRUE(savedAs(kAnswer)) << fileText(path).toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clipboard() == clipboardBefore; }, 5000))
        << clipboard().toStdString();
    EXPECT_EQ(history().count(QStringLiteral("Здравствуйте").toUtf8()), 1);
    // Told through the desktop's notifications: a window of ours would take the focus the keys
    // are sent to.
    EXPECT_EQ(notifications.bodies.filter(QStringLiteral("Ctrl+Z to undo.")).size(), 1)
        << notifications.bodies.join(QLatin1Char('|')).toStdString();
}

// What the command line reports in this session: the compositor's configuration for the hotkeys
// and the accessibility bus for the text.
TEST_F(WaylandInPlaceEndToEnd, DoctorReportsTheWaylandDoors) {
    const ToolResult doctor =
        runTool(QStringLiteral(TESSARINE_CLI_PATH), {"doctor", "--json"}, {}, env);
    const QJsonObject report = QJsonDocument::fromJson(doctor.out).object();
    EXPECT_EQ(doctor.exitCode, 0) << doctor.out.toStdString();
    EXPECT_EQ(report["session"].toString(), QStringLiteral("wayland"));
    EXPECT_EQ(report["hotkeys"]["mechanism"].toString(), QStringLiteral("compositor-config"));
    EXPECT_EQ(report["inPlace"]["read"].toString(), QStringLiteral("atspi"));
    EXPECT_EQ(report["inPlace"]["write"].toString(), QStringLiteral("atspi"));
    EXPECT_TRUE(report["inPlace"]["ok"].toBool());
}

#include "WaylandInPlaceEndToEndTest.moc"
