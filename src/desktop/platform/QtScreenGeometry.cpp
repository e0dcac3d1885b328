#include "desktop/platform/QtScreenGeometry.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace ts {

namespace {

bool hasGuiApp() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

QPoint QtScreenGeometry::pointer() const {
    return hasGuiApp() ? QCursor::pos() : QPoint();
}

QList<ScreenArea> QtScreenGeometry::screens() const {
    QList<ScreenArea> out;
    if (!hasGuiApp()) {
        return out;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) {
        out.append({primary->geometry(), primary->availableGeometry()});
    }
    const auto all = QGuiApplication::screens();
    for (const QScreen* screen : all) {
        if (screen != primary) {
            out.append({screen->geometry(), screen->availableGeometry()});
        }
    }
    return out;
}

}  // namespace ts
