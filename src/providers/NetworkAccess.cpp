#include "providers/NetworkAccess.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QPointer>
#include <QThread>
#include <mutex>

namespace ts {
namespace {

QPointer<QNetworkAccessManager>& mainThreadManager() {
    static QPointer<QNetworkAccessManager> manager;
    return manager;
}

// The manager's own HTTP thread must be gone while the application object still exists: as a
// child of the application it would go after the application had cleared itself, and a
// connection still open then crashed that thread.
void deleteMainThreadManager() {
    delete mainThreadManager().data();
}

}  // namespace

QNetworkAccessManager& threadNetworkManager() {
    static std::once_flag proxyOnce;
    std::call_once(proxyOnce, [] { QNetworkProxyFactory::setUseSystemConfiguration(true); });

    thread_local QPointer<QNetworkAccessManager> manager;
    if (!manager) {
        manager = new QNetworkAccessManager;
        QCoreApplication* app = QCoreApplication::instance();
        if (app && app->thread() == QThread::currentThread()) {
            manager->setParent(app);
            mainThreadManager() = manager;
            qAddPostRoutine(deleteMainThreadManager);
        } else {
            QObject::connect(QThread::currentThread(), &QThread::finished, manager,
                             &QObject::deleteLater);
        }
    }
    return *manager;
}

}  // namespace ts
