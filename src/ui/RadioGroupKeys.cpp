#include "ui/RadioGroupKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include "ui/AccessibleRoles.h"

namespace ts {

RadioGroupKeys::RadioGroupKeys(const QList<QAbstractButton*>& buttons, QObject* parent)
    : QObject(parent), m_buttons(buttons) {
    for (QAbstractButton* button : m_buttons) {
        accessible::setRole(button, QAccessible::RadioButton);
        button->installEventFilter(this);
        connect(button, &QAbstractButton::toggled, this, &RadioGroupKeys::refresh);
    }
    refresh();
}

void RadioGroupKeys::refresh() {
    QAbstractButton* stop = nullptr;
    for (QAbstractButton* button : m_buttons) {
        if (button->isChecked() && !button->isHidden()) {
            stop = button;
        }
    }
    if (stop == nullptr && !m_buttons.isEmpty()) {
        stop = m_buttons.first();
    }
    for (QAbstractButton* button : m_buttons) {
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool RadioGroupKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return QObject::eventFilter(watched, event);
    }
    QList<QAbstractButton*> usable;
    for (QAbstractButton* button : m_buttons) {
        if (button->isEnabled() && !button->isHidden()) {
            usable.append(button);
        }
    }
    const qsizetype at = usable.indexOf(qobject_cast<QAbstractButton*>(watched));
    if (at < 0 || usable.isEmpty()) {
        return QObject::eventFilter(watched, event);
    }
    const qsizetype count = usable.size();
    qsizetype next = -1;
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            next = (at + count - 1) % count;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            next = (at + 1) % count;
            break;
        case Qt::Key_Home:
            next = 0;
            break;
        case Qt::Key_End:
            next = count - 1;
            break;
        default:
            return QObject::eventFilter(watched, event);
    }
    QAbstractButton* target = usable[next];
    if (!target->isChecked()) {
        target->click();
    }
    target->setFocus(Qt::TabFocusReason);
    return true;
}

}  // namespace ts
