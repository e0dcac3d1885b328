#pragma once

#include <QWidget>

#include "core/Enums.h"

class QToolButton;

namespace ts {

// The strip's window: four action buttons on a small rounded card that floats over other
// applications and never takes the focus from them.
class SelectionStripView final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle =
        QT_TRANSLATE_NOOP("ts::SelectionStripView", "Selection actions");

    explicit SelectionStripView(QWidget* parent = nullptr);

    QToolButton* button(Mode mode) const;
    // Shows it on top, on every workspace, without activating it.
    void present();

signals:
    void modeClicked(Mode mode);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshIcons();

    QList<QToolButton*> buttons_;
};

}  // namespace ts
