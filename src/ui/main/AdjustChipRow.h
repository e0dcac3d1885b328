#pragma once

#include <QList>
#include <QWidget>

#include "core/Enums.h"

class QToolButton;

namespace ts {

// The six one-click adjustments, in two rows of three.
class AdjustChipRow final : public QWidget {
    Q_OBJECT
public:
    explicit AdjustChipRow(QWidget* parent = nullptr);

    const QList<QToolButton*>& chips() const { return m_chips; }

signals:
    void adjustRequested(Adjustment adjustment);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyIcons();

    QList<QToolButton*> m_chips;  // in the order of the adjustments
};

}  // namespace ts
