#include "ui/toast/ToastPanel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "desktop/platform/Workspaces.h"
#include "ui/theme/PopoverBackground.h"
#include "ui/toast/ToastPlacement.h"
#include "ui/toast/ToastView.h"

namespace ts {

ToastPanel::ToastPanel(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      view_(new ToastView(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    makeFloatingWindow(*this);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kToastSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    place();
}

void ToastPanel::setState(const ToastPresenter::State& state) {
    view_->setState(state);
    setFixedSize(view_->sizeFor(state.text));
    place();
}

// The bottom-right corner stays where it is whatever size the text asks for.
void ToastPanel::place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const std::optional<QPoint> origin = toastOrigin(
        screen != nullptr ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt,
        size());
    if (origin) {
        move(*origin);
    }
}

void ToastPanel::present() {
    if (!isVisible()) {
        // The window manager forgets the hint whenever the panel is hidden.
        winId();  // the native window must exist to carry it
        showOnAllWorkspaces(windowHandle());
    }
    show();
    raise();
}

}  // namespace ts
