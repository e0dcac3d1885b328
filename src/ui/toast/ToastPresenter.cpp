#include "ui/toast/ToastPresenter.h"

#include <QTimer>

#include "ui/toast/ToastPanel.h"

namespace ts {

ToastPresenter::ToastPresenter(QObject* parent) : QObject(parent) {}

ToastPresenter::~ToastPresenter() = default;

ToastPresenter& ToastPresenter::shared() {
    static auto* presenter = new ToastPresenter;  // lives as long as the process
    return *presenter;
}

void ToastPresenter::show(const QString& text, Kind kind,
                          std::optional<std::chrono::milliseconds> duration) {
    state_ = State{text, kind};
    if (!panel_) {
        panel_ = std::make_unique<ToastPanel>();
    }
    panel_->setState(state_);
    panel_->present();
    cancelDismiss();
    if (duration) {
        // A timer per toast, deleted when a newer toast comes: an older toast's timer can
        // never hide the newer one.
        auto* task = new QTimer(this);
        task->setSingleShot(true);
        task->setTimerType(Qt::PreciseTimer);
        connect(task, &QTimer::timeout, this, [this, task] {
            if (dismissTask_ == task) {
                hide();
            }
        });
        dismissTask_ = task;
        task->start(*duration);
    }
    emit stateChanged();
}

void ToastPresenter::hide() {
    cancelDismiss();
    if (panel_) {
        panel_->hide();
    }
}

bool ToastPresenter::isVisible() const {
    return panel_ && panel_->isVisible();
}

void ToastPresenter::cancelDismiss() {
    if (dismissTask_) {
        dismissTask_->stop();
        dismissTask_->deleteLater();
    }
    dismissTask_ = nullptr;
}

}  // namespace ts
