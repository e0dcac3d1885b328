#pragma once

#include <QString>

namespace ts {

// Applications whose selections are never offered the strip (file managers, password
// managers, system tools): matched by window class or by the original identifiers, ignoring case.
bool isSuppressedApp(const QString& windowClass);

}  // namespace ts
