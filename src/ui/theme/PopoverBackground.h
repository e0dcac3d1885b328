#pragma once

#include <QWidget>

namespace ts {

// The main window's background: the palette's gradient for the current colour scheme.
class PopoverBackground final : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ts
