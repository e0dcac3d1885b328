#include "store/KeyStore.h"

namespace ts {

KeyStore::~KeyStore() = default;

}  // namespace ts
