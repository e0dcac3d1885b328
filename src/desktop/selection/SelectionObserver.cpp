#include "desktop/selection/SelectionObserver.h"

#include "desktop/platform/AccessibleSelection.h"
#include "desktop/platform/PrimarySelection.h"
#include "desktop/selection/SelectionLogging.h"
#include "desktop/selection/SuppressedApps.h"

namespace ts {

namespace {

QString describe(const QRect& rect) {
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

}  // namespace

SelectionObserver::SelectionObserver(FrontmostApp& frontmost, PrimarySelection& primary,
                                     AccessibleSelection& accessible, const DesktopControl& control,
                                     qint64 ownPid, QObject* parent)
    : QObject(parent),
      frontmost_(frontmost),
      primary_(primary),
      accessible_(accessible),
      control_(control),
      ownPid_(ownPid) {
    debounce_.setSingleShot(true);
    debounce_.setInterval(kDebounceMs);
    connect(&debounce_, &QTimer::timeout, this, &SelectionObserver::check);
}

SelectionObserver::~SelectionObserver() = default;

void SelectionObserver::start() {
    if (running_) {
        return;
    }
    running_ = true;
    qCInfo(lcSelection, "SelectionObserver.start() — AX granted: %d (AT-SPI available: %d)",
           control_.available() ? 1 : 0, accessible_.available() ? 1 : 0);
    connect(&frontmost_, &FrontmostApp::changed, this, &SelectionObserver::onFrontmostChanged,
            Qt::QueuedConnection);
    connect(&primary_, &PrimarySelection::changed, this, &SelectionObserver::onSelectionChanged);
    frontPid_.reset();
    onFrontmostChanged();
}

void SelectionObserver::stop() {
    if (!running_) {
        return;
    }
    running_ = false;
    debounce_.stop();
    disconnect(&frontmost_, nullptr, this, nullptr);
    disconnect(&primary_, nullptr, this, nullptr);
    detach();
    frontPid_.reset();
    emit selectionCleared();
}

// X11 reports every change of the active window; only a change of application counts as an
// activation.
void SelectionObserver::onFrontmostChanged() {
    if (!running_) {
        return;
    }
    const std::optional<AppInfo> app = frontmost_.current();
    if (!app) {
        detach();
        frontPid_.reset();
        emit selectionCleared();
        return;
    }
    if (frontPid_ == app->pid) {
        return;
    }
    switchTo(*app);
}

void SelectionObserver::switchTo(const AppInfo& app) {
    detach();
    frontPid_ = app.pid;
    emit selectionCleared();
    if (app.pid == ownPid_) {
        qCInfo(lcSelection, "switchTo skipped — own PID (%lld)", app.pid);
        return;
    }
    if (isSuppressedApp(app.windowClass)) {
        qCInfo(lcSelection, "switchTo skipped — suppressed app (%s)",
               qUtf8Printable(app.windowClass));
        return;
    }
    const QString name = app.name.isEmpty() ? QStringLiteral("pid %1").arg(app.pid) : app.name;
    qCInfo(lcSelection, "switchTo(%s, pid=%lld)", qUtf8Printable(name), app.pid);
    if (app.pid <= 0) {
        // Without a process neither the selection's owner nor AT-SPI can be matched to it.
        qCInfo(lcSelection, "switchTo: the window names no process — nothing attached");
        return;
    }
    qCInfo(lcSelection, "attached: PRIMARY change notifications%s",
           accessible_.available() ? ", AT-SPI selection bounds" : " (no AT-SPI bus: no bounds)");
    observedPid_ = app.pid;
}

void SelectionObserver::detach() {
    debounce_.stop();
    observedPid_.reset();
}

void SelectionObserver::onSelectionChanged() {
    if (!running_ || !observedPid_) {
        return;
    }
    // Restarting drops the pending check: only the last change within 80 ms is examined.
    debounce_.start();
}

void SelectionObserver::check() {
    if (!running_ || !observedPid_) {
        return;
    }
    const qint64 pid = *observedPid_;
    std::optional<FocusedSelection> element;
    if (accessible_.available()) {
        element = accessible_.focusedSelection(pid);
    }
    if (element && element->bounds && element->bounds->width() > 0 &&
        element->bounds->height() > 0) {
        qCInfo(lcSelection, "selection bounds: %s (AT-SPI)",
               qUtf8Printable(describe(*element->bounds)));
        emit boundsFound(*element->bounds);
        return;
    }
    const char* source = nullptr;
    if (element && !element->text.trimmed().isEmpty()) {
        source = "AT-SPI";
    } else if (const std::optional<QString> text = primary_.selectedText(pid);
               text && !text->trimmed().isEmpty()) {
        source = "PRIMARY";
    }
    if (source != nullptr) {
        qCInfo(lcSelection,
               "selection present but no AX bounds — leaving button as-is (text from %s)", source);
        return;
    }
    qCInfo(lcSelection, "selection cleared");
    emit selectionCleared();
}

}  // namespace ts
