#pragma once

#include <QIcon>
#include <QWidget>

#include "ui/toast/ToastPresenter.h"

class QTimer;

namespace ts {

// The toast's content: an icon for the kind and one line of text on a translucent card.
class ToastView final : public QWidget {
    Q_OBJECT
public:
    explicit ToastView(QWidget* parent = nullptr);

    void setState(const ToastPresenter::State& state);
    const ToastPresenter::State& state() const { return state_; }

    // The icon shown for a kind: the icon theme's where it has one, else our own drawing.
    static QIcon iconFor(ToastPresenter::Kind kind);

    // Wide enough for the text on one line, from kToastSize up to kToastMaxWidth; past that as
    // tall as the wrapped text needs. Nothing is ever cut.
    QSize sizeFor(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateSpinner();
    QFont textFont() const;

    ToastPresenter::State state_;
    QTimer* spinner_;
    int spinnerAngle_ = 0;
};

}  // namespace ts
