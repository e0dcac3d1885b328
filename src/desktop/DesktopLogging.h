#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcHotkeys)
Q_DECLARE_LOGGING_CATEGORY(lcKeys)
Q_DECLARE_LOGGING_CATEGORY(lcFrontmost)
