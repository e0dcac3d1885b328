#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

namespace ts {

// Checkable buttons that choose one of a few (mode segments, provider pills) as one radio group,
// for the keyboard and for screen readers: each is read as a radio button, the checked one is
// the group's only Tab stop, and the arrow keys, Home and End choose and focus a neighbour.
class RadioGroupKeys final : public QObject {
    Q_OBJECT
public:
    RadioGroupKeys(const QList<QAbstractButton*>& buttons, QObject* parent);

    // The Tab stop follows the checked button; call it after checking one from outside.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAbstractButton*> m_buttons;
};

}  // namespace ts
