#include "desktop/selection/SelectionLogging.h"

Q_LOGGING_CATEGORY(lcSelection, "tessarine.desktop.selection")
