#pragma once

#include <QWidget>

#include "core/Enums.h"

class QButtonGroup;

namespace ts {

// Five segments, one per mode in declaration order, bound to the session's mode.
class ModeSelector final : public QWidget {
    Q_OBJECT
public:
    explicit ModeSelector(QWidget* parent = nullptr);

    void setMode(Mode mode);

signals:
    void modeChosen(Mode mode);

protected:
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void refreshIcons();
    void fitSegments();

    QButtonGroup* m_group;
};

}  // namespace ts
