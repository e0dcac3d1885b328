#include "desktop/RecentApplication.h"

#include "desktop/platform/FrontmostApp.h"

namespace ts {

RecentApplication::RecentApplication(FrontmostApp& frontmost, qint64 ownPid, QObject* parent)
    : QObject(parent), frontmost_(frontmost), ownPid_(ownPid) {
    connect(&frontmost_, &FrontmostApp::changed, this, &RecentApplication::note);
    note();
}

void RecentApplication::note() {
    const std::optional<AppInfo> app = frontmost_.current();
    if (!app || app->pid == ownPid_) {
        return;
    }
    const QString name = app->windowClass.isEmpty() ? app->name : app->windowClass;
    if (!name.isEmpty()) {
        name_ = name;
    }
}

}  // namespace ts
