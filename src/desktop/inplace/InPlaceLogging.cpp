#include "desktop/inplace/InPlaceLogging.h"

Q_LOGGING_CATEGORY(lcInPlace, "tessarine.inplace")
