#include "desktop/inplace/InPlaceLogging.h"

Q_LOGGING_CATEGORY(lcInPlace, "tessarine.inplace")
Q_LOGGING_CATEGORY(lcInPlaceSteps, "tessarine.inplace.steps", QtInfoMsg)
