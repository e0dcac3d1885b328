#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <memory>
#include <optional>

#include "core/Enums.h"
#include "desktop/selection/DragDirection.h"

namespace ts {

class InputMonitor;
class ScreenGeometry;
class SelectionStripView;

// Owns the selection strip: places it at a selection or at the pointer, and hides it on any
// click, key press or scroll elsewhere.
class SelectionButtonPresenter final : public QObject {
    Q_OBJECT
public:
    SelectionButtonPresenter(InputMonitor& input, ScreenGeometry& screens,
                             QObject* parent = nullptr);
    ~SelectionButtonPresenter() override;

    // selection: global, top left origin.
    void showAtSelection(const QRect& selection);
    void showAtPoint(QPoint pointer, DragDirection direction);
    void hide();

    bool isVisible() const;
    // The strip's window frame while it exists (created on first show).
    std::optional<QRect> frame() const;
    SelectionStripView* strip() const { return strip_.get(); }

signals:
    // A button was clicked; the strip is hidden already.
    void modeChosen(Mode mode);

private:
    void present(QPoint topLeft);
    void installMonitors();
    void removeMonitors();
    void onPressed(Qt::MouseButton button, QPoint pos);

    InputMonitor& input_;
    ScreenGeometry& screens_;
    std::unique_ptr<SelectionStripView> strip_;
    bool monitoring_ = false;
};

}  // namespace ts
