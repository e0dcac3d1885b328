#include "ui/AccessibleRoles.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLayout>
#include <QWidget>

namespace ts::accessible {

namespace {

constexpr const char* kRoleProperty = "ts.accessibleRole";
constexpr const char* kLeafProperty = "ts.accessibleLeaf";

// A widget with the role it was given; buttons keep their check state and press action, combo
// boxes their value and menu, and a leaf hides the children that draw its text.
class RoleAccessible final : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role, bool leaf)
        : QAccessibleWidget(widget, role), m_leaf(leaf) {}

    int childCount() const override { return m_leaf ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return m_leaf ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return m_leaf ? -1 : QAccessibleWidget::indexOfChild(child);
    }

    QString text(QAccessible::Text kind) const override {
        if (auto* box = qobject_cast<QComboBox*>(widget())) {
            if (kind == QAccessible::Value) {
                return box->currentText();
            }
            if (kind == QAccessible::Name && box->accessibleName().isEmpty()) {
                return box->currentText();
            }
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget());
            button != nullptr && kind == QAccessible::Name && button->accessibleName().isEmpty()) {
            return button->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (auto* button = qobject_cast<QAbstractButton*>(widget())) {
            state.checkable = button->isCheckable();
            state.checked = button->isChecked();
            state.pressed = button->isDown();
        }
        if (qobject_cast<QComboBox*>(widget()) != nullptr) {
            state.hasPopup = true;
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (qobject_cast<QAbstractButton*>(widget()) != nullptr) {
            names.prepend(pressAction());
        } else if (qobject_cast<QComboBox*>(widget()) != nullptr) {
            names.prepend(showMenuAction());
        }
        return names;
    }

    void doAction(const QString& name) override {
        if (!widget()->isEnabled()) {
            return;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget());
            button && name == pressAction()) {
            button->click();
            return;
        }
        if (auto* box = qobject_cast<QComboBox*>(widget()); box && name == showMenuAction()) {
            box->showPopup();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    bool m_leaf;
};

QAccessibleInterface* roleFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    const QVariant role = object->property(kRoleProperty);
    if (role.isValid()) {
        return new RoleAccessible(widget, static_cast<QAccessible::Role>(role.toInt()),
                                  object->property(kLeafProperty).toBool());
    }
    if (auto* box = qobject_cast<QComboBox*>(object); box && !box->accessibleName().isEmpty()) {
        return new RoleAccessible(widget, QAccessible::ComboBox, false);
    }
    return nullptr;
}

void appendInOrder(QLayout* layout, QWidget* parent, QList<QWidget*>& order) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* widget = item->widget(); widget && widget->parentWidget() == parent) {
            order.append(widget);
        } else if (QLayout* inner = item->layout()) {
            appendInOrder(inner, parent, order);
        }
    }
}

}  // namespace

// After QApplication's own factory, which would otherwise be asked first.
void install() {
    static const bool installed = [] {
        QAccessible::installFactory(&roleFactory);
        return true;
    }();
    (void)installed;
}

void readInLayoutOrder(QWidget* parent) {
    if (parent->layout() == nullptr) {
        return;
    }
    QList<QWidget*> order;
    appendInOrder(parent->layout(), parent, order);
    // raise() moves a child to the end of its parent's list; the layout keeps the geometry.
    for (QWidget* widget : order) {
        widget->raise();
    }
}

void setRole(QWidget* widget, QAccessible::Role role) {
    install();
    widget->setProperty(kRoleProperty, static_cast<int>(role));
    // Qt may have built and kept the class's own interface already (setting a text does).
    QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget);
    if (existing != nullptr && existing->role() != role) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    }
}

void setHeading(QWidget* widget, const QString& text) {
    setRole(widget, QAccessible::Heading);
    widget->setProperty(kLeafProperty, true);
    widget->setAccessibleName(text);
}

void announce(QWidget* alert) {
    if (!QAccessible::isActive() || !alert->isVisible()) {
        return;
    }
    QAccessibleEvent named(alert, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(alert, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    QAccessibleEvent event(alert, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

}  // namespace ts::accessible
