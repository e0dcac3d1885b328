#include "ui/ShortcutRecorder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "desktop/hotkeys/MacKeyTable.h"

namespace ts {

namespace {

constexpr quint32 kEscapeKeyCode = 53;

}  // namespace

ShortcutRecorder::ShortcutRecorder(QWidget* parent)
    : QPushButton(parent), keys_(new QLabel(this)), caption_(new QLabel(this)) {
    QFont keysFont = font();
    keysFont.setPixelSize(14);
    keysFont.setWeight(QFont::DemiBold);
    keys_->setFont(keysFont);
    QFont captionFont = font();
    captionFont.setPixelSize(11);
    caption_->setFont(captionFont);
    for (QLabel* label : {keys_, caption_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(2);
    layout->addWidget(keys_);
    layout->addWidget(caption_);
    setMinimumHeight(48);
    connect(this, &QPushButton::clicked, this, &ShortcutRecorder::toggleRecording);
    refresh();
}

ShortcutRecorder::~ShortcutRecorder() {
    stopRecording();
}

void ShortcutRecorder::setShortcut(const Shortcut& shortcut) {
    shortcut_ = shortcut;
    refresh();
}

QString ShortcutRecorder::shortcutText() const {
    return linuxDisplayString(shortcut_);
}

QString ShortcutRecorder::captionText() const {
    return recording_ ? tr("Press a shortcut \u00b7 Esc to cancel") : tr("Click to change");
}

void ShortcutRecorder::toggleRecording() {
    if (recording_) {
        stopRecording();
    } else {
        startRecording();
    }
}

void ShortcutRecorder::startRecording() {
    // Re-installing would stack a second filter; remove first.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
    recording_ = true;
    refresh();
    emit recordingChanged(true);
}

void ShortcutRecorder::stopRecording() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
    const bool was = recording_;
    recording_ = false;
    refresh();
    if (was) {
        emit recordingChanged(false);
    }
}

void ShortcutRecorder::hideEvent(QHideEvent* event) {
    QPushButton::hideEvent(event);
    stopRecording();
}

bool ShortcutRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (!recording_) {
        return QPushButton::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keep application shortcuts (Ctrl+W, Ctrl+Q …) from acting on the key.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return QPushButton::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<quint32> code = macKeyCodeForQtKey(key->key());
    if (code == kEscapeKeyCode) {
        stopRecording();
        return true;
    }
    // The completing key's own X state names what was held; Qt's tracked modifiers lag behind
    // synthetic (XTEST) presses. Events without one (posted by Qt itself) keep Qt's.
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const quint32 mask = x11 && key->nativeModifiers() != 0
                             ? carbonFromX11State(key->nativeModifiers())
                             : carbonFromQt(key->modifiers());
    if (!code || mask == 0) {
        return true;  // a bare key, a modifier alone or a key we cannot grab: keep waiting
    }
    shortcut_ = Shortcut{*code, mask};
    stopRecording();
    emit shortcutChanged(shortcut_);
    return true;
}

void ShortcutRecorder::refresh() {
    keys_->setText(shortcutText());
    caption_->setText(captionText());
    // Named after its section by the owner; what it shows is its description.
    setAccessibleDescription(shortcutText() + QStringLiteral(" \u00b7 ") + captionText());
    setDown(recording_);
}

}  // namespace ts
