#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "app/AppDelegate.h"
#include "app/AppLogging.h"
#include "app/ProcessClock.h"
#include "app/SingleInstance.h"
#include "core/Logging.h"
#include "core/ShutdownSignals.h"
#include "core/Translations.h"
#include "desktop/hotkeys/HotKeyManager.h"
#include "desktop/hotkeys/WaylandHotkeys.h"
#include "desktop/platform/x11/X11Platform.h"
#include "desktop/services/ServicesHandler.h"
#include "store/HistoryStore.h"
#include "store/Keychain.h"
#include "store/LegacyDocuments.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"

namespace {

constexpr const char* kNoDisplayMessage =
    "tessarine: no X11 display and no Wayland display. Start Tessarine in a desktop session "
    "(DISPLAY or WAYLAND_DISPLAY must name a reachable display server).\n";

// End-to-end tests only: the X server of the tests offers everything, and the path without
// desktop control (the alert behind the in-place hotkey) has to be reached on it too.
constexpr const char* kNoDesktopControlForTests = "TESSARINE_TEST_NO_DESKTOP_CONTROL";

class NoDesktopControl final : public ts::DesktopControl {
public:
    bool available() const override { return false; }
};

// An X11 display wins when there is one (also XWayland): global hotkeys and desktop control
// need it. Offscreen is only the fallback that lets an unreachable display end with our
// message instead of Qt's abort. False when neither display is named.
bool choosePlatform() {
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!x11 && !wayland) {
        return false;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", x11 ? "xcb;offscreen" : "wayland;offscreen");
    }
    return true;
}

constexpr const char* kUsage =
    "Usage: tessarine [URL]...\n"
    "       tessarine --toggle | --in-place [rewrite|proofread]\n"
    "Starts Tessarine in the system tray and opens its window. While it runs, starting it again\n"
    "brings the window back and hands it the URLs.\n"
    "  URL                  a tessarine:// link, such as tessarine://rewrite?text=Hello\n"
    "  --toggle             open or close the window, as the window hotkey does\n"
    "  --in-place [MODE]    rewrite (the default) or proofread the selection of the focused\n"
    "                       application in place, as the in-place hotkey does\n"
    "  --help               print this help\n"
    "  --version            print the version\n"
    "--toggle and --in-place hand the action to the running Tessarine and end at once; with none\n"
    "running, Tessarine starts and then acts. Bind them to keys where the desktop's shortcuts run\n"
    "commands (sway, Hyprland, GNOME's custom shortcuts).\n"
    "Qt's own options, such as -platform NAME, are taken too.\n";

// The trigger command's action ("toggle", "rewrite", "proofread"), "" for none; nullopt and a
// message on standard error for a usage error.
std::optional<const char*> triggerAction(int argc, char** argv) {
    const char* action = "";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == ts::kToggleOption) {
            action = ts::SingleInstance::kToggleAction;
        } else if (argument == ts::kInPlaceOption) {
            action = ts::SingleInstance::kRewriteAction;
            if (i + 1 < argc && std::strncmp(argv[i + 1], "-", 1) != 0) {
                const std::string_view mode(argv[++i]);
                if (mode == "proofread") {
                    action = ts::SingleInstance::kProofreadAction;
                } else if (mode != "rewrite") {
                    std::fprintf(stderr,
                                 "tessarine: unknown in-place mode \"%s\" (rewrite, proofread)\n",
                                 argv[i]);
                    return std::nullopt;
                }
            }
        } else {
            continue;
        }
        if (argc > 3) {
            std::fputs("tessarine: --toggle and --in-place take no other arguments\n", stderr);
            return std::nullopt;
        }
    }
    return action;
}

// Answered before a display is needed, so they work from any terminal; -1 for neither.
int answerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--version") {
            std::fputs("tessarine " TESSARINE_VERSION "\n", stdout);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = answerInformationOption(argc, argv); status >= 0) {
        return status;
    }
    const std::optional<const char*> action = triggerAction(argc, argv);
    if (!action) {
        return 2;
    }
    const QString trigger = QString::fromLatin1(*action);
    ts::installLogHandler();
    const bool platformChosenHere = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!choosePlatform()) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessarine"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.tessarine.Tessarine"));
    QApplication::setQuitOnLastWindowClosed(false);
    ts::installTranslations();
    if (platformChosenHere && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }

    // Qt has taken its own options out; what is left are URLs, or the trigger command.
    const QStringList urls =
        trigger.isEmpty() ? QCoreApplication::arguments().mid(1) : QStringList();
    ts::SettingsStore& settings = ts::SettingsStore::shared();
    const ts::RequestServices requests{settings, ts::Keychain::shared(), []() -> ts::HistoryStore& {
                                           return ts::HistoryStore::shared();
                                       }};
    // Before the bus name, so the call that started this process finds it.
    ts::ServicesHandler services(requests);
    ts::SingleInstance instance;
    instance.exportObject(QLatin1String(ts::ServicesHandler::kObjectPath), &services);
    QString busError;
    switch (instance.claim(ts::SingleInstance::Request{urls, trigger}, &busError)) {
        case ts::SingleInstance::Claim::first:
            break;
        case ts::SingleInstance::Claim::forwarded:
            qCInfo(lcApp, "Tessarine is running already: %s handed to it",
                   !trigger.isEmpty() ? qUtf8Printable(trigger)
                   : urls.isEmpty()   ? "reopen"
                                      : "the URLs");
            return 0;
        case ts::SingleInstance::Claim::failed:
            qCWarning(lcApp, "Tessarine is running already but did not answer: %s",
                      qUtf8Printable(busError));
            return 1;
        case ts::SingleInstance::Claim::noBus:
            qCInfo(lcApp,
                   "no session bus (%s): running alone, a second launch starts a second "
                   "Tessarine",
                   qUtf8Printable(busError));
            break;
    }

    ts::migrateLegacyDocuments(settings, ts::HistoryStore::defaultFilePath(),
                               ts::PromptStore::defaultFilePath());

    ts::ShutdownSignals shutdown;
    QObject::connect(&shutdown, &ts::ShutdownSignals::shutdownRequested, &app,
                     [](int) { QCoreApplication::quit(); });

    ts::X11Platform x11;
    const ts::Platform desktop = x11.platform();
    // On Wayland the hotkeys go through the desktop's own door, also for a program on XWayland.
    std::unique_ptr<ts::WaylandHotkeys> waylandHotkeys;
    if (const ts::DesktopSession session = ts::detectSession();
        session.type == ts::SessionType::wayland) {
        waylandHotkeys = std::make_unique<ts::WaylandHotkeys>(
            session, ts::probeDoors(session), QCoreApplication::applicationFilePath());
    }
    NoDesktopControl noDesktopControl;
    const bool controlOff = qEnvironmentVariableIsSet(kNoDesktopControlForTests);
    if (controlOff) {
        qCInfo(lcApp, "desktop control turned off by %s", kNoDesktopControlForTests);
    }
    const ts::Platform platform{
        desktop.clipboard,
        desktop.keys,
        desktop.modifiers,
        desktop.frontmost,
        waylandHotkeys ? static_cast<ts::GlobalKeyGrabber&>(*waylandHotkeys) : desktop.keyGrabber,
        controlOff ? static_cast<ts::DesktopControl&>(noDesktopControl) : desktop.desktopControl,
        desktop.primary,
        desktop.input,
        desktop.screens,
        desktop.accessible,
        desktop.focusedText};

    ts::AppDelegate delegate(ts::AppDelegate::Services{
        platform, requests, ts::PromptStore::shared(), waylandHotkeys.get()});
    QObject::connect(&instance, &ts::SingleInstance::reopenRequested, &delegate,
                     &ts::AppDelegate::reopen);
    QObject::connect(&instance, &ts::SingleInstance::openURLsRequested, &delegate,
                     &ts::AppDelegate::openURLs);
    QObject::connect(&instance, &ts::SingleInstance::triggerRequested, &delegate,
                     &ts::AppDelegate::trigger);
    if (waylandHotkeys) {
        QObject::connect(waylandHotkeys.get(), &ts::WaylandHotkeys::mechanismChanged, &delegate,
                         &ts::AppDelegate::hotkeyDoorChanged);
    }
    // Started by --toggle, the window opens as at any start; started by --in-place, no window
    // takes the focus from the text to rewrite.
    const bool inPlaceStart = !trigger.isEmpty() && trigger != QLatin1String("toggle");
    delegate.launch(!inPlaceStart);
    delegate.serveServices(services);
    qCInfo(lcApp, "ready %lld ms after the process started", ts::msSinceProcessStart());
    if (!urls.isEmpty()) {
        delegate.openURLs(urls);
    }
    if (inPlaceStart) {
        delegate.trigger(trigger);
    }
    const int status = QApplication::exec();
    if (waylandHotkeys) {
        waylandHotkeys->keepRegistrations();
    }
    return status;
}
