#include <QApplication>
#include <cstdio>

#include "app/Host.h"
#include "core/Logging.h"
#include "core/ShutdownSignals.h"
#include "desktop/platform/x11/X11Platform.h"
#include "store/HistoryStore.h"
#include "store/Keychain.h"
#include "store/LegacyDocuments.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "ui/theme/Palette.h"

namespace {

constexpr const char* kNoDisplayMessage =
    "tessarine: no X11 display. Tessarine needs an X11 session (DISPLAY must name a reachable "
    "X server).\n";

}  // namespace

int main(int argc, char** argv) {
    ts::installLogHandler();
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }
    // An unreachable display must end with our message, not with Qt's abort.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessarine"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fputs(kNoDisplayMessage, stderr);
        return 1;
    }

    ts::SettingsStore& settings = ts::SettingsStore::shared();
    ts::migrateLegacyDocuments(settings, ts::HistoryStore::defaultFilePath(),
                               ts::PromptStore::defaultFilePath());
    ts::Palette::setAppearanceSource([&settings] { return settings.appearance(); });

    ts::ShutdownSignals shutdown;
    QObject::connect(&shutdown, &ts::ShutdownSignals::shutdownRequested, &app,
                     [](int) { QCoreApplication::quit(); });

    ts::X11Platform platform;
    ts::Host host(platform.platform(),
                  ts::RequestServices{settings, ts::Keychain::shared(), []() -> ts::HistoryStore& {
                                          return ts::HistoryStore::shared();
                                      }});
    host.start();
    const int status = QApplication::exec();
    return status;
}
