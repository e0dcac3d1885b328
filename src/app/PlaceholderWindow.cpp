#include "app/PlaceholderWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/theme/Icons.h"

namespace ts {

PlaceholderWindow::PlaceholderWindow(const QString& title, const QString& text,
                                     const QString& buttonText, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(title);
    setWindowIcon(icons::appIcon());
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->addStretch(1);
    column->addWidget(label);
    if (!buttonText.isEmpty()) {
        button_ = new QPushButton(buttonText, this);
        button_->setDefault(true);
        button_->setAutoDefault(true);
        column->addWidget(button_, 0, Qt::AlignHCenter);
        connect(button_, &QPushButton::clicked, this, &PlaceholderWindow::buttonClicked);
        setFocusProxy(button_);
    }
    column->addStretch(1);
}

}  // namespace ts
