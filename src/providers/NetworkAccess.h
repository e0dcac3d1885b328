#pragma once

class QNetworkAccessManager;

namespace ts {

// One manager per thread, shared by every request made on it, with the system's proxy
// configuration. It lives as long as the application object (or the thread) does.
QNetworkAccessManager& threadNetworkManager();

}  // namespace ts
