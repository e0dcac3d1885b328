#include "desktop/platform/wayland/WaylandClipboard.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>

#include "desktop/platform/wayland/WaylandConnection.h"
#include "desktop/platform/wayland/WaylandPipes.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace ts {

namespace {

Q_LOGGING_CATEGORY(lcClipboard, "tessarine.desktop.clipboard")

constexpr std::chrono::milliseconds kFormatTimeout{300};
constexpr std::chrono::milliseconds kSnapshotTimeout{1000};
constexpr int kReaderDrainMs = 150;

// The names text goes by, best first: X11 clients under Xwayland ask for the X11 ones.
const QStringList& textFormats() {
    static const QStringList formats{QStringLiteral("text/plain;charset=utf-8"),
                                     QStringLiteral("UTF8_STRING"), QStringLiteral("text/plain"),
                                     QStringLiteral("STRING"), QStringLiteral("TEXT")};
    return formats;
}

bool isTextFormat(const QString& format) {
    return textFormats().contains(format, Qt::CaseInsensitive);
}

}  // namespace

// The protocol's callbacks, which reach into the clipboard.
struct WaylandClipboardEvents {
    static void dataOffer(void* data, zwlr_data_control_device_v1* /*device*/,
                          zwlr_data_control_offer_v1* offer) {
        auto* self = static_cast<WaylandClipboard*>(data);
        self->offers_[offer] = {};
        zwlr_data_control_offer_v1_add_listener(offer, &kOfferListener, self);
    }
    static void selection(void* data, zwlr_data_control_device_v1* /*device*/,
                          zwlr_data_control_offer_v1* offer) {
        static_cast<WaylandClipboard*>(data)->noteSelection(offer);
    }
    static void finished(void* data, zwlr_data_control_device_v1* /*device*/) {
        qCWarning(lcClipboard, "the compositor withdrew the clipboard device");
        static_cast<WaylandClipboard*>(data)->releaseDevice();
    }
    static void primarySelection(void* data, zwlr_data_control_device_v1* /*device*/,
                                 zwlr_data_control_offer_v1* offer) {
        auto* self = static_cast<WaylandClipboard*>(data);
        if (self->primary_ != nullptr && self->primary_ != self->selection_) {
            self->releaseOffer(self->primary_);
        }
        self->primary_ = offer;
    }
    static void mimeType(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType) {
        static_cast<WaylandClipboard*>(data)->offers_[offer].append(QString::fromUtf8(mimeType));
    }
    static void send(void* data, zwlr_data_control_source_v1* proxy, const char* mimeType,
                     int32_t fd) {
        auto* self = static_cast<WaylandClipboard*>(data);
        for (const auto& source : self->sources_) {
            if (source->proxy == proxy) {
                self->serve(*source, QString::fromUtf8(mimeType), fd);
                return;
            }
        }
        ::close(fd);
    }
    static void cancelled(void* data, zwlr_data_control_source_v1* proxy) {
        static_cast<WaylandClipboard*>(data)->dropSource(proxy);
    }

    static const zwlr_data_control_device_v1_listener kDeviceListener;
    static const zwlr_data_control_offer_v1_listener kOfferListener;
    static const zwlr_data_control_source_v1_listener kSourceListener;
};

const zwlr_data_control_device_v1_listener WaylandClipboardEvents::kDeviceListener{
    &dataOffer, &selection, &finished, &primarySelection};
const zwlr_data_control_offer_v1_listener WaylandClipboardEvents::kOfferListener{&mimeType};
const zwlr_data_control_source_v1_listener WaylandClipboardEvents::kSourceListener{&send,
                                                                                   &cancelled};

WaylandClipboard::WaylandClipboard(WaylandConnection& connection, QObject* parent)
    : Clipboard(parent), connection_(connection) {
    if (connection_.dataControlManager() == nullptr || connection_.seat() == nullptr) {
        return;
    }
    device_ = zwlr_data_control_manager_v1_get_data_device(connection_.dataControlManager(),
                                                           connection_.seat());
    zwlr_data_control_device_v1_add_listener(device_, &WaylandClipboardEvents::kDeviceListener,
                                             this);
    // The current selection arrives right away.
    connection_.roundtrip();
}

WaylandClipboard::~WaylandClipboard() {
    releaseDevice();
    connection_.flush();
}

void WaylandClipboard::releaseDevice() {
    while (!sources_.empty()) {
        dropSource(sources_.back()->proxy);
    }
    while (!offers_.empty()) {
        releaseOffer(offers_.begin()->first);
    }
    if (device_ != nullptr) {
        zwlr_data_control_device_v1_destroy(device_);
        device_ = nullptr;
    }
}

void WaylandClipboard::releaseOffer(zwlr_data_control_offer_v1* offer) {
    offers_.erase(offer);
    zwlr_data_control_offer_v1_destroy(offer);
    if (selection_ == offer) {
        selection_ = nullptr;
    }
    if (primary_ == offer) {
        primary_ = nullptr;
    }
}

void WaylandClipboard::noteSelection(zwlr_data_control_offer_v1* offer) {
    if (selection_ != nullptr && selection_ != offer && selection_ != primary_) {
        releaseOffer(selection_);
    }
    selection_ = offer;
    ++changeCount_;
    // Queued: this runs inside a dispatch, maybe in the middle of one of our own calls.
    QMetaObject::invokeMethod(this, &Clipboard::changed, Qt::QueuedConnection);
}

void WaylandClipboard::dropSource(zwlr_data_control_source_v1* proxy) {
    for (auto it = sources_.begin(); it != sources_.end(); ++it) {
        if ((*it)->proxy == proxy) {
            if (own_ == it->get()) {
                own_ = nullptr;
            }
            zwlr_data_control_source_v1_destroy(proxy);
            sources_.erase(it);
            return;
        }
    }
}

void WaylandClipboard::serve(Source& source, const QString& mimeType, int fd) {
    for (const ClipboardFormat& item : std::as_const(source.formats)) {
        if (item.format == mimeType) {
            std::function<void()> counted;
            if (source.countsReads && isTextFormat(mimeType)) {
                // A paste is done only once the reader has the text: a toolkit that sees the
                // selection change while it still reads the pipe (GTK) drops what it read and
                // pastes the new selection instead. Written, then a moment to read it.
                counted = [this] {
                    QTimer::singleShot(kReaderDrainMs, this, [this] {
                        ++textReads_;
                        emit textRead();
                    });
                };
            }
            wayland::PipeWriter::start(fd, item.data, this, std::move(counted));
            return;
        }
    }
    ::close(fd);
}

void WaylandClipboard::offer(const ClipboardSnapshot& formats, bool countsReads) {
    if (device_ == nullptr) {
        return;
    }
    auto source = std::make_unique<Source>();
    source->proxy =
        zwlr_data_control_manager_v1_create_data_source(connection_.dataControlManager());
    source->formats = formats;
    source->countsReads = countsReads;
    zwlr_data_control_source_v1_add_listener(source->proxy,
                                             &WaylandClipboardEvents::kSourceListener, this);
    for (const ClipboardFormat& item : formats) {
        zwlr_data_control_source_v1_offer(source->proxy, item.format.toUtf8().constData());
    }
    zwlr_data_control_device_v1_set_selection(device_, source->proxy);
    own_ = source.get();
    sources_.push_back(std::move(source));
    connection_.flush();
}

ClipboardSnapshot WaylandClipboard::snapshot() const {
    // Whatever changed up to now is known before the formats are read.
    connection_.roundtrip();
    if (own_ != nullptr) {
        return own_->formats;
    }
    const auto offer = offers_.find(selection_);
    if (selection_ == nullptr || offer == offers_.end()) {
        return {};
    }
    ClipboardSnapshot out;
    QStringList skipped;
    QElapsedTimer timer;
    timer.start();
    for (const QString& format : offer->second) {
        const auto left = kSnapshotTimeout - std::chrono::milliseconds(timer.elapsed());
        std::optional<QByteArray> data;
        if (left.count() > 0) {
            data = receive(format, std::min(left, kFormatTimeout));
        }
        if (data) {
            out.append(ClipboardFormat{format, *std::move(data)});
        } else {
            skipped.append(format);
        }
    }
    if (!skipped.isEmpty()) {
        qCInfo(lcClipboard,
               "clipboard snapshot: the owner did not deliver %s within %lld ms; left out",
               qUtf8Printable(skipped.join(QStringLiteral(", "))),
               static_cast<long long>(timer.elapsed()));
    }
    return out;
}

void WaylandClipboard::restore(const ClipboardSnapshot& snapshot) {
    if (snapshot.isEmpty()) {
        clear();
        return;
    }
    offer(snapshot, false);
}

void WaylandClipboard::clear() {
    if (device_ == nullptr) {
        return;
    }
    zwlr_data_control_device_v1_set_selection(device_, nullptr);
    own_ = nullptr;
    connection_.flush();
}

void WaylandClipboard::setText(const QString& text, bool secretHint) {
    const QByteArray utf8 = text.toUtf8();
    ClipboardSnapshot formats;
    for (const QString& format : textFormats()) {
        formats.append(ClipboardFormat{format, utf8});
    }
    if (secretHint) {
        formats.append(ClipboardFormat{QString::fromLatin1(kPasswordManagerHintFormat),
                                       QByteArrayLiteral("secret")});
    }
    offer(formats, true);
}

std::optional<QByteArray> WaylandClipboard::receive(const QString& format,
                                                    std::chrono::milliseconds timeout) const {
    int fds[2];
    if (selection_ == nullptr || ::pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    // The request carries a duplicate of the write end: ours is closed so the end of the data
    // shows as the end of the pipe.
    zwlr_data_control_offer_v1_receive(selection_, format.toUtf8().constData(), fds[1]);
    ::close(fds[1]);
    connection_.flush();
    return wayland::readPipe(fds[0], timeout);
}

std::optional<QString> WaylandClipboard::text() const {
    connection_.roundtrip();
    if (own_ != nullptr) {
        for (const ClipboardFormat& item : own_->formats) {
            if (isTextFormat(item.format)) {
                return QString::fromUtf8(item.data);
            }
        }
        return std::nullopt;
    }
    const auto offer = offers_.find(selection_);
    if (selection_ == nullptr || offer == offers_.end()) {
        return std::nullopt;
    }
    for (const QString& wanted : textFormats()) {
        for (const QString& format : offer->second) {
            if (format.compare(wanted, Qt::CaseInsensitive) != 0) {
                continue;
            }
            if (std::optional<QByteArray> data = receive(format, kSnapshotTimeout)) {
                return QString::fromUtf8(*data);
            }
            qCInfo(lcClipboard, "the clipboard's owner did not deliver %s in time",
                   qUtf8Printable(format));
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace ts
