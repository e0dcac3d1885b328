#include "app/WindowFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "store/SettingsStore.h"

namespace ts {

namespace {

// A drag sends a move per pixel; one write when it rests.
constexpr int kSettleMs = 400;

}  // namespace

WindowFrame::WindowFrame(QWidget& window, QString name, QSize defaultSize, SettingsStore& settings)
    : QObject(&window),
      window_(&window),
      name_(std::move(name)),
      defaultSize_(defaultSize),
      settings_(settings) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &WindowFrame::save);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowFrame::save);
    restore();
    window.installEventFilter(this);
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
            case QEvent::Show:
                shown_ = true;
                break;
            case QEvent::Move:
            case QEvent::Resize:
                if (window_->isVisible()) {
                    settle_.start();
                }
                break;
            case QEvent::Hide:
                save();
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowFrame::restore() {
    const QByteArray frame = settings_.windowFrame(name_);
    if (!frame.isEmpty() && window_->restoreGeometry(frame)) {
        return;
    }
    centre(*window_, defaultSize_);
}

void WindowFrame::centre(QWidget& window, QSize size) {
    window.resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), size);
        centred.moveCenter(screen->availableGeometry().center());
        window.move(centred.topLeft());
    }
}

void WindowFrame::save() {
    settle_.stop();
    // A window never shown still has the frame it was given, nothing to keep.
    if (window_ && shown_) {
        settings_.setWindowFrame(name_, window_->saveGeometry());
    }
}

}  // namespace ts
