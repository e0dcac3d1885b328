#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTimer>

class QWidget;

namespace ts {

class SettingsStore;

// Keeps a window's frame in the settings file under its autosave name: restored when the frame
// is attached (else the window is centred at its default size), saved when the window is moved,
// resized or hidden, and when the application quits.
class WindowFrame final : public QObject {
    Q_OBJECT
public:
    WindowFrame(QWidget& window, QString name, QSize defaultSize, SettingsStore& settings);

    // The size, in the middle of the primary screen.
    static void centre(QWidget& window, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore();
    void save();

    QPointer<QWidget> window_;
    QString name_;
    QSize defaultSize_;
    SettingsStore& settings_;
    QTimer settle_;
    bool shown_ = false;
};

}  // namespace ts
