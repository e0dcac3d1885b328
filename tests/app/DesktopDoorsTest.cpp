// The hotkeys through the desktop's own doors (GNOME's custom shortcuts, KDE's global shortcut
// service), the trigger command, and `tessarine-cli doctor`, each with the real component: the
// keyfile backend of GSettings with GNOME's schema, kglobalaccel5 on the test's bus.

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

#include "ShellFixture.h"

using namespace ts;
using namespace ts::test;

namespace {

const QString kFolder =
    QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/");
const QString kUser = kFolder + QStringLiteral("custom0/");
const QString kOurWindow = kFolder + QStringLiteral("tessarine-window/");
const QString kOurInPlace = kFolder + QStringLiteral("tessarine-in-place/");

struct Outcome {
    int code = -1;
    QString output;
};

class DesktopDoors : public Shell {
protected:
    QStringList gnome() const {
        return {QStringLiteral("GSETTINGS_BACKEND=keyfile"),
                QStringLiteral("XDG_SESSION_TYPE=wayland"),
                QStringLiteral("XDG_CURRENT_DESKTOP=GNOME")};
    }

    QProcessEnvironment environment(const QStringList& extra) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        for (const QString& entry : extra) {
            const QString name = entry.section(QLatin1Char('='), 0, 0);
            if (entry.contains(QLatin1Char('='))) {
                env.insert(name, entry.section(QLatin1Char('='), 1));
            } else {
                env.remove(name);
            }
        }
        return env;
    }

    Outcome run(const QString& program, const QStringList& args, const QStringList& extra) const {
        QProcess process;
        process.setProcessEnvironment(environment(extra));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        process.waitForFinished(60000);
        return Outcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                       QString::fromUtf8(process.readAll())};
    }
    Outcome cli(const QStringList& args, const QStringList& extra) const {
        return run(QStringLiteral(TESSARINE_CLI_PATH), args, extra);
    }
    Outcome gsettings(const QStringList& args) const {
        return run(QStringLiteral("gsettings"), args, gnome());
    }
    QString get(const QString& path, const QString& key) const {
        return gsettings({QStringLiteral("get"),
                          QStringLiteral("org.gnome.settings-daemon.plugins.media-keys.custom-"
                                         "keybinding:") +
                              path,
                          key})
            .output.trimmed();
    }
    QString list() const {
        return gsettings({QStringLiteral("get"),
                          QStringLiteral("org.gnome.settings-daemon.plugins.media-keys"),
                          QStringLiteral("custom-keybindings")})
            .output.trimmed();
    }
    // A shortcut of the user's own, as GNOME's keyboard settings write it.
    void addUserShortcut(const QString& binding) {
        const QString schema =
            QStringLiteral("org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:") +
            kUser;
        for (const auto& [key, value] :
             {std::pair{QStringLiteral("name"), QStringLiteral("Terminal")},
              std::pair{QStringLiteral("command"), QStringLiteral("xterm")},
              std::pair{QStringLiteral("binding"), binding}}) {
            ASSERT_EQ(gsettings({QStringLiteral("set"), schema, key, value}).code, 0);
        }
        ASSERT_EQ(
            gsettings({QStringLiteral("set"),
                       QStringLiteral("org.gnome.settings-daemon.plugins.media-keys"),
                       QStringLiteral("custom-keybindings"), QStringLiteral("['%1']").arg(kUser)})
                .code,
            0);
    }
    // The user's entry as the keyfile holds it, byte for byte.
    QByteArray userSection() const {
        QFile file(dir.filePath(QStringLiteral("config/glib-2.0/settings/keyfile")));
        file.open(QIODevice::ReadOnly);
        const QByteArray text = file.readAll();
        const QByteArray header =
            "[org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0]";
        const qsizetype from = text.indexOf(header);
        return from < 0 ? QByteArray() : text.mid(from, text.indexOf("\n\n", from) - from);
    }
};

TEST_F(DesktopDoors, GnomeInstallAddsOursBesideTheUsersShortcutAndRemoveTakesOnlyOurs) {
    ASSERT_NO_FATAL_FAILURE(addUserShortcut(QStringLiteral("<Primary><Alt>t")));
    const QByteArray before = userSection();
    ASSERT_FALSE(before.isEmpty());

    const Outcome install = cli({QStringLiteral("shortcuts"), QStringLiteral("install")}, gnome());
    EXPECT_EQ(install.code, 0) << install.output.toStdString();
    EXPECT_EQ(list(), QStringLiteral("['%1', '%2', '%3']").arg(kUser, kOurWindow, kOurInPlace));
    EXPECT_EQ(get(kOurWindow, QStringLiteral("binding")), QStringLiteral("'<Control><Alt>e'"));
    EXPECT_EQ(get(kOurInPlace, QStringLiteral("binding")),
              QStringLiteral("'<Super><Control><Alt>e'"));
    EXPECT_TRUE(get(kOurInPlace, QStringLiteral("command"))
                    .endsWith(QStringLiteral("tessarine --in-place'")));
    EXPECT_EQ(get(kOurWindow, QStringLiteral("name")), QStringLiteral("'Tessarine: open window'"));
    EXPECT_EQ(userSection(), before);

    const Outcome remove = cli({QStringLiteral("shortcuts"), QStringLiteral("remove")}, gnome());
    EXPECT_EQ(remove.code, 0) << remove.output.toStdString();
    EXPECT_EQ(list(), QStringLiteral("['%1']").arg(kUser));
    EXPECT_EQ(userSection(), before);
}

TEST_F(DesktopDoors, GnomeKeysBoundToAnotherShortcutAreRefusedAndReported) {
    // GNOME's own spelling of Ctrl+Alt+E, the window hotkey's default.
    ASSERT_NO_FATAL_FAILURE(addUserShortcut(QStringLiteral("<Primary><Alt>E")));
    const Outcome install = cli({QStringLiteral("shortcuts"), QStringLiteral("install")}, gnome());
    EXPECT_EQ(install.code, 1);
    EXPECT_TRUE(install.output.contains(QStringLiteral("In use by another program (Terminal)")))
        << install.output.toStdString();
    EXPECT_EQ(list(), QStringLiteral("['%1', '%2']").arg(kUser, kOurInPlace));
    EXPECT_EQ(get(kUser, QStringLiteral("binding")), QStringLiteral("'<Primary><Alt>E'"));
}

TEST_F(DesktopDoors, GnomeTheRunningProgramRegistersAndRenewsItsShortcuts) {
    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch(gnome()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list().contains(kOurInPlace); }, kWaitMs)) << log();
    EXPECT_TRUE(get(kOurWindow, QStringLiteral("command"))
                    .endsWith(QStringLiteral("/tessarine --toggle'")));

    // A change made anywhere reaches the program, which rewrites its entry.
    settings.setHotkeyKeyCode(15);  // R
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return get(kOurWindow, QStringLiteral("binding")) ==
                   QStringLiteral("'<Control><Alt>r'");
        },
        kWaitMs))
        << log();
    settings.setInPlaceHotkeyEnabled(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !list().contains(kOurInPlace); }, kWaitMs)) << log();
    // Ending the program keeps the entries: they start it again.
    app.reset();
    EXPECT_TRUE(list().contains(kOurWindow));
}

TEST_F(DesktopDoors, KdeRegistersOurComponentAndItsInvokedShortcutReachesTheProgram) {
    QProcessEnvironment env = environment({QStringLiteral("QT_QPA_PLATFORM=xcb")});
    RunningProgram kglobalaccel(QStringLiteral("kglobalaccel5"), {}, env);
    const auto call = [&](const QString& path, const QString& method, const QStringList& args) {
        return run(
            QStringLiteral("gdbus"),
            QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                        QStringLiteral("--dest"), QStringLiteral("org.kde.kglobalaccel"),
                        QStringLiteral("--object-path"), path, QStringLiteral("--method"), method} +
                args,
            {});
    };
    const QString action =
        QStringLiteral("['io.tessarine.Tessarine', 'toggle-window', 'Tessarine', 'Open window']");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return call(QStringLiteral("/kglobalaccel"),
                        QStringLiteral("org.kde.KGlobalAccel.allComponents"), {})
                       .code == 0;
        },
        kWaitMs));

    skipOnboarding();
    ASSERT_NO_FATAL_FAILURE(launch(
        {QStringLiteral("XDG_SESSION_TYPE=wayland"), QStringLiteral("XDG_CURRENT_DESKTOP=KDE")}));
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    // Ctrl+Alt+E as Qt encodes it: 0x0C000045.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return call(QStringLiteral("/kglobalaccel"),
                        QStringLiteral("org.kde.KGlobalAccel.shortcut"), {action})
                .output.contains(QStringLiteral("201326661"));
        },
        kWaitMs))
        << log();
    const QString component = QStringLiteral("/component/io_tessarine_Tessarine");
    const auto invoke = [&] {
        return call(component, QStringLiteral("org.kde.kglobalaccel.Component.invokeShortcut"),
                    {QStringLiteral("toggle-window"), QStringLiteral("default")});
    };
    ASSERT_TRUE(activateWindow(waitForWindow(kMainWindow)));
    ASSERT_EQ(invoke().code, 0);
    EXPECT_TRUE(becomes(kMainWindow, false)) << log();
    ASSERT_EQ(invoke().code, 0);
    EXPECT_TRUE(becomes(kMainWindow, true)) << log();
}

TEST_F(DesktopDoors, TheTriggerCommandStartsTessarineOrHandsTheActionToIt) {
    skipOnboarding();
    // None running: this one becomes Tessarine and opens its window.
    app = start({QStringLiteral("--toggle")});
    ASSERT_TRUE(app->waitForLog(QStringLiteral("[Tessarine] ready "))) << log();
    ASSERT_TRUE(becomes(kMainWindow, true)) << log();
    ASSERT_TRUE(activateWindow(waitForWindow(kMainWindow)));

    const auto trigger = [&](const QStringList& args) {
        return run(QStringLiteral(TESSARINE_APP_PATH), args, {});
    };
    EXPECT_EQ(trigger({QStringLiteral("--toggle")}).code, 0);
    EXPECT_TRUE(becomes(kMainWindow, false)) << log();
    EXPECT_EQ(trigger({QStringLiteral("--in-place"), QStringLiteral("proofread")}).code, 0);
    EXPECT_TRUE(app->waitForLog(QStringLiteral("trigger proofread"))) << log();
    const Outcome wrong = trigger({QStringLiteral("--in-place"), QStringLiteral("shout")});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(wrong.output.contains(QStringLiteral("rewrite, proofread")));
}

TEST_F(DesktopDoors, DoctorReportsTheX11SessionAndNoSessionWithoutADisplay) {
    struct Case {
        QStringList env;
        int code;
        const char* session;
        const char* hotkeys;
        const char* read;
        const char* write;
        bool ok;
    };
    const Case cases[] = {
        {{}, 0, "x11", "x11-grab", "x11-copy", "x11-paste", true},
        {{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY")},
         1,
         "none",
         "none",
         "none",
         "none",
         false},
    };
    for (const Case& c : cases) {
        const Outcome doctor = cli({QStringLiteral("doctor"), QStringLiteral("--json")}, c.env);
        EXPECT_EQ(doctor.code, c.code) << doctor.output.toStdString();
        const QJsonObject out = QJsonDocument::fromJson(doctor.output.toUtf8()).object();
        EXPECT_EQ(out.value(QStringLiteral("session")).toString(), QLatin1String(c.session));
        const QJsonObject hotkeys = out.value(QStringLiteral("hotkeys")).toObject();
        EXPECT_EQ(hotkeys.value(QStringLiteral("mechanism")).toString(), QLatin1String(c.hotkeys));
        EXPECT_EQ(hotkeys.value(QStringLiteral("ok")).toBool(), c.ok);
        const QJsonObject inPlace = out.value(QStringLiteral("inPlace")).toObject();
        EXPECT_EQ(inPlace.value(QStringLiteral("read")).toString(), QLatin1String(c.read));
        EXPECT_EQ(inPlace.value(QStringLiteral("write")).toString(), QLatin1String(c.write));
        EXPECT_EQ(inPlace.value(QStringLiteral("ok")).toBool(), c.ok);
        EXPECT_EQ(out.value(QStringLiteral("keyring"))
                      .toObject()
                      .value(QStringLiteral("backend"))
                      .toString(),
                  QStringLiteral("file"));
        const QJsonObject provider = out.value(QStringLiteral("provider")).toObject();
        EXPECT_EQ(provider.value(QStringLiteral("name")).toString(), QStringLiteral("OpenAI"));
        EXPECT_EQ(provider.value(QStringLiteral("model")).toString(),
                  QStringLiteral("gpt-4o-mini"));
        EXPECT_TRUE(provider.value(QStringLiteral("reachable")).isBool());
    }
    EXPECT_EQ(cli({QStringLiteral("doctor"), QStringLiteral("now")}, {}).code, 2);
}

}  // namespace
