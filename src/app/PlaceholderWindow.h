#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

namespace ts {

// A small stand-in window: a title, one line of text and, when asked for, one button.
class PlaceholderWindow final : public QWidget {
    Q_OBJECT
public:
    PlaceholderWindow(const QString& title, const QString& text,
                      const QString& buttonText = QString(), QWidget* parent = nullptr);

    // Null when the window has no button.
    QPushButton* button() const { return button_; }

signals:
    void buttonClicked();

private:
    QPushButton* button_ = nullptr;
};

}  // namespace ts
