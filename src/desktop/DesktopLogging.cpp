#include "desktop/DesktopLogging.h"

Q_LOGGING_CATEGORY(lcHotkeys, "tessarine.desktop.hotkeys")
Q_LOGGING_CATEGORY(lcKeys, "tessarine.desktop.keys")
Q_LOGGING_CATEGORY(lcFrontmost, "tessarine.desktop.frontmost")
