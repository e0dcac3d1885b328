#include "desktop/services/ServicesLogging.h"

Q_LOGGING_CATEGORY(lcServices, "tessarine.services")
