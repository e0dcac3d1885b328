#include "store/StoreLogging.h"

Q_LOGGING_CATEGORY(lcStore, "tessarine.store")
Q_LOGGING_CATEGORY(lcKeyring, "tessarine.store.keyring")
