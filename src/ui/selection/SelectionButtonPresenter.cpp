#include "ui/selection/SelectionButtonPresenter.h"

#include "desktop/platform/InputMonitor.h"
#include "desktop/platform/ScreenGeometry.h"
#include "ui/selection/SelectionStripView.h"
#include "ui/selection/StripPlacement.h"

namespace ts {

namespace {

// A click elsewhere, typing or scrolling takes the strip away.
constexpr InputKinds kWatched = InputKind::buttons | InputKind::keys | InputKind::scroll;

}  // namespace

SelectionButtonPresenter::SelectionButtonPresenter(InputMonitor& input, ScreenGeometry& screens,
                                                   QObject* parent)
    : QObject(parent), input_(input), screens_(screens) {}

SelectionButtonPresenter::~SelectionButtonPresenter() {
    removeMonitors();
}

void SelectionButtonPresenter::showAtSelection(const QRect& selection) {
    const std::optional<ScreenArea> screen =
        placement::screenFor(screens_.screens(), selection.topLeft());
    if (screen) {
        present(placement::stripAtSelection(*screen, selection));
    }
}

void SelectionButtonPresenter::showAtPoint(QPoint pointer, DragDirection direction) {
    const std::optional<ScreenArea> screen = placement::screenFor(screens_.screens(), pointer);
    if (screen) {
        present(placement::stripAtPoint(*screen, pointer, direction));
    }
}

void SelectionButtonPresenter::present(QPoint topLeft) {
    if (!strip_) {
        strip_ = std::make_unique<SelectionStripView>();
        connect(strip_.get(), &SelectionStripView::modeClicked, this, [this](Mode mode) {
            hide();
            emit modeChosen(mode);
        });
    }
    strip_->move(topLeft);
    strip_->present();
    installMonitors();
}

void SelectionButtonPresenter::hide() {
    if (strip_) {
        strip_->hide();
    }
    removeMonitors();
}

bool SelectionButtonPresenter::isVisible() const {
    return strip_ && strip_->isVisible();
}

std::optional<QRect> SelectionButtonPresenter::frame() const {
    return strip_ ? std::optional(strip_->frameGeometry()) : std::nullopt;
}

void SelectionButtonPresenter::installMonitors() {
    removeMonitors();
    monitoring_ = true;
    input_.acquire(kWatched);
    connect(&input_, &InputMonitor::mousePressed, this, &SelectionButtonPresenter::onPressed);
    connect(&input_, &InputMonitor::keyPressed, this, &SelectionButtonPresenter::hide);
    connect(&input_, &InputMonitor::scrolled, this, &SelectionButtonPresenter::hide);
}

void SelectionButtonPresenter::removeMonitors() {
    if (!monitoring_) {
        return;
    }
    monitoring_ = false;
    disconnect(&input_, nullptr, this, nullptr);
    input_.release(kWatched);
}

// The monitor sees our own clicks too: one on the strip must reach its button first.
void SelectionButtonPresenter::onPressed(Qt::MouseButton, QPoint pos) {
    if (strip_ && strip_->frameGeometry().contains(pos)) {
        return;
    }
    hide();
}

}  // namespace ts
