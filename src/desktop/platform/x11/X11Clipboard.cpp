#include "desktop/platform/x11/X11Clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPointer>
#include <QWindow>
#include <cstdlib>
#include <functional>

#include "desktop/platform/x11/X11SelectionReader.h"

#include <xcb/xcb.h>

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcClipboard, "tessarine.desktop.clipboard")

constexpr x11::X11SelectionReader::Bounds kSnapshotBounds{std::chrono::milliseconds(300),
                                                          std::chrono::milliseconds(1000)};

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

constexpr int kOwnershipTries = 10;
constexpr int kOwnershipWaitMs = 20;

// Whether a window of this process owns CLIPBOARD, as the server has it: after a refused claim Qt
// still believes it owns the selection.
bool serverSaysOurs() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return true;  // nothing to ask, nothing to mend
    }
    static const char kName[] = "CLIPBOARD";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (atom == nullptr) {
        return true;
    }
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    free(atom);
    if (owner == nullptr) {
        return true;
    }
    // Every window this connection creates has an id in its resource range.
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const bool ours = (owner->owner & ~setup->resource_id_mask) == setup->resource_id_base;
    free(owner);
    return ours;
}

// Makes the X server send this process an event stamped with its current time, through a
// property change on a window of its own: Qt claims the selection with the time of the last
// event it handled.
void freshenServerTime(QWindow& stamp) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_change_property(x11->connection(), XCB_PROP_MODE_APPEND, xcb_window_t(stamp.winId()),
                        XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(x11->connection());
}

// Text whose every read is reported: Qt answers another program's request for a format by
// asking the data for it, so a read means a paste happened.
class WatchedText final : public QMimeData {
public:
    explicit WatchedText(X11Clipboard* owner) : m_owner(owner) {}

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override {
        if (m_owner) {
            m_owner->noteRead(format);
        }
        return QMimeData::retrieveData(format, type);
    }

private:
    QPointer<X11Clipboard> m_owner;
};

// Our own reads of the clipboard are no paste.
class SelfRead final {
public:
    explicit SelfRead(int& depth) : m_depth(depth) { ++m_depth; }
    ~SelfRead() { --m_depth; }
    SelfRead(const SelfRead&) = delete;
    SelfRead& operator=(const SelfRead&) = delete;

private:
    int& m_depth;
};

}  // namespace

void X11Clipboard::noteRead(const QString& format) {
    const bool text = format.startsWith(QLatin1String("text/plain")) ||
                      format == QLatin1String("UTF8_STRING") || format == QLatin1String("STRING") ||
                      format == QLatin1String("TEXT");
    if (text && selfReads_ == 0) {
        ++textReads_;
        emit textRead();
    }
}

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

X11Clipboard::~X11Clipboard() = default;

ClipboardSnapshot X11Clipboard::snapshot() const {
    const SelfRead self(selfReads_);
    QClipboard* clipboard = guiClipboard();
    if (clipboard != nullptr && !clipboard->ownsClipboard() &&
        QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Through Qt, an owner that does not answer blocks for 5 s per format and an undelivered
        // format comes back as empty bytes.
        if (!reader_) {
            reader_ = std::make_unique<x11::X11SelectionReader>();
        }
        QElapsedTimer timer;
        timer.start();
        x11::SelectionRead read = reader_->readClipboard(kSnapshotBounds);
        if (!read.skipped.isEmpty()) {
            qCInfo(lcClipboard,
                   "clipboard snapshot: the owner did not deliver %s within %lld ms; "
                   "left out",
                   qUtf8Printable(read.skipped.join(QStringLiteral(", "))),
                   static_cast<long long>(timer.elapsed()));
        }
        return std::move(read.formats);
    }
    ClipboardSnapshot out;
    const QMimeData* mime = clipboardData();
    if (mime == nullptr) {
        return out;
    }
    for (const QString& format : mime->formats()) {
        // Qt passes these through as if they were formats.
        if (x11::isProtocolTarget(format.toLatin1())) {
            continue;
        }
        out.append(ClipboardFormat{format, mime->data(format)});
    }
    return out;
}

// When another client took the clipboard after the last event Qt handled (its change seen
// through another connection first), the server refuses Qt's older claim and the clipboard stays
// the other client's: the claim is made again once Qt has handled a newer event.
void X11Clipboard::claim(const std::function<QMimeData*()>& make) {
    QClipboard* clipboard = guiClipboard();
    if (clipboard == nullptr) {
        return;
    }
    clipboard->setMimeData(make(), QClipboard::Clipboard);
    for (int attempt = 0; attempt < kOwnershipTries && !serverSaysOurs(); ++attempt) {
        if (!timeStamp_) {
            timeStamp_ = std::make_unique<QWindow>();  // never shown
        }
        freshenServerTime(*timeStamp_);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kOwnershipWaitMs);
        clipboard->setMimeData(make(), QClipboard::Clipboard);
    }
    if (!serverSaysOurs()) {
        qCWarning(lcClipboard, "another program kept the clipboard");
    }
}

void X11Clipboard::restore(const ClipboardSnapshot& snapshot) {
    if (snapshot.isEmpty()) {
        clear();
        return;
    }
    claim([&] {
        auto* mime = new QMimeData;
        for (const ClipboardFormat& item : snapshot) {
            mime->setData(item.format, item.data);
        }
        return mime;
    });
}

void X11Clipboard::clear() {
    if (QClipboard* clipboard = guiClipboard()) {
        clipboard->clear(QClipboard::Clipboard);
    }
}

void X11Clipboard::setText(const QString& text, bool secretHint) {
    claim([&] {
        auto* mime = new WatchedText(this);
        mime->setText(text);
        if (secretHint) {
            mime->setData(QString::fromLatin1(kPasswordManagerHintFormat),
                          QByteArrayLiteral("secret"));
        }
        return mime;
    });
}

std::optional<QString> X11Clipboard::text() const {
    const SelfRead self(selfReads_);
    const QMimeData* mime = clipboardData();
    if (mime == nullptr || !mime->hasText()) {
        return std::nullopt;
    }
    return mime->text();
}

}  // namespace ts
