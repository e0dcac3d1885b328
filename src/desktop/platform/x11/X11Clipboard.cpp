#include "desktop/platform/x11/X11Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ts {

namespace {

// Selection protocol targets that Qt passes through as if they were formats; restoring them
// would make us answer the protocol requests with stale bytes.
bool isProtocolTarget(const QString& format) {
    static const QStringList targets = {QStringLiteral("TARGETS"), QStringLiteral("MULTIPLE"),
                                        QStringLiteral("TIMESTAMP"), QStringLiteral("SAVE_TARGETS"),
                                        QStringLiteral("DELETE")};
    return targets.contains(format);
}

// Null in a process without a GUI application (a command-line tool), where there is no
// clipboard to reach.
QClipboard* guiClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
               ? QGuiApplication::clipboard()
               : nullptr;
}

const QMimeData* clipboardData() {
    QClipboard* clipboard = guiClipboard();
    return clipboard != nullptr ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
}

void setClipboardData(QMimeData* mime) {
    if (QClipboard* clipboard = guiClipboard()) {
        clipboard->setMimeData(mime, QClipboard::Clipboard);
    } else {
        delete mime;
    }
}

}  // namespace

X11Clipboard::X11Clipboard(QObject* parent) : Clipboard(parent) {
    QClipboard* clipboard = guiClipboard();
    if (clipboard == nullptr) {
        return;
    }
    connect(clipboard, &QClipboard::changed, this, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard) {
            ++changeCount_;
            emit changed();
        }
    });
}

ClipboardSnapshot X11Clipboard::snapshot() const {
    ClipboardSnapshot out;
    const QMimeData* mime = clipboardData();
    if (mime == nullptr) {
        return out;
    }
    for (const QString& format : mime->formats()) {
        if (isProtocolTarget(format)) {
            continue;
        }
        out.append(ClipboardFormat{format, mime->data(format)});
    }
    return out;
}

void X11Clipboard::restore(const ClipboardSnapshot& snapshot) {
    if (snapshot.isEmpty()) {
        clear();
        return;
    }
    auto* mime = new QMimeData;
    for (const ClipboardFormat& item : snapshot) {
        mime->setData(item.format, item.data);
    }
    setClipboardData(mime);
}

void X11Clipboard::clear() {
    if (QClipboard* clipboard = guiClipboard()) {
        clipboard->clear(QClipboard::Clipboard);
    }
}

void X11Clipboard::setText(const QString& text, bool secretHint) {
    auto* mime = new QMimeData;
    mime->setText(text);
    if (secretHint) {
        mime->setData(QString::fromLatin1(kPasswordManagerHintFormat), QByteArrayLiteral("secret"));
    }
    setClipboardData(mime);
}

std::optional<QString> X11Clipboard::text() const {
    const QMimeData* mime = clipboardData();
    if (mime == nullptr || !mime->hasText()) {
        return std::nullopt;
    }
    return mime->text();
}

}  // namespace ts
