#pragma once

#include <QWidget>

#include "ui/toast/ToastPresenter.h"

namespace ts {

class ToastView;

// A floating panel that never takes focus or activates the application.
class ToastPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ToastPanel(QWidget* parent = nullptr);

    void setState(const ToastPresenter::State& state);
    // Shows the panel on top without activating it.
    void present();
    ToastView* view() const { return view_; }

private:
    void place();

    ToastView* view_;
};

}  // namespace ts
