#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcInPlace)
// One debug line as each step of a rewrite starts, for timing it (off unless enabled).
Q_DECLARE_LOGGING_CATEGORY(lcInPlaceSteps)
