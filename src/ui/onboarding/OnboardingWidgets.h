#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QTimer>

class QAbstractButton;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace ts {

// Small builders shared by the steps: every text and control carries its style role and its
// visible text as the accessible name.
QLabel* roleLabel(const QString& text, const char* role, QWidget* parent);
QPushButton* roleButton(const QString& text, const char* role, QWidget* parent);
QFrame* cardFrame(QWidget* parent);
// "1.2 GiB"; "-" for 0 or less.
QString byteSize(qint64 bytes);

// Turns a button's icon into a rotating arc while something runs, and puts the icon back after.
class ButtonSpinner final : public QObject {
    Q_OBJECT
public:
    explicit ButtonSpinner(QAbstractButton& button);
    void start();
    void stop(const QIcon& restored);
    bool isRunning() const { return m_timer.isActive(); }

private:
    void step();

    QAbstractButton& m_button;
    QTimer m_timer;
    int m_angle = 0;
};

}  // namespace ts
