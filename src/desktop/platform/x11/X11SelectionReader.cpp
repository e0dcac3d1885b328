#include "desktop/platform/x11/X11SelectionReader.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QStringDecoder>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace ts::x11 {

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
struct FreeDeleter {
    void operator()(T* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter<T>>;

// The names Qt's QMimeData uses for the X targets, so a snapshot reads the same either way.
QString mimeName(const QByteArray& atomName) {
    if (atomName == "UTF8_STRING" || atomName == "STRING" || atomName == "TEXT") {
        return QStringLiteral("text/plain");
    }
    if (atomName == "text/x-moz-url") {
        return QStringLiteral("text/uri-list");
    }
    return QString::fromLatin1(atomName);
}

// Browsers offer HTML as UTF-16; restored, it is offered as UTF-8 like Qt's own reads give it.
QByteArray normalizedHtml(const QByteArray& data) {
    if (data.size() < 2) {
        return data;
    }
    const auto b0 = static_cast<quint8>(data[0]);
    const auto b1 = static_cast<quint8>(data[1]);
    const bool utf16 = (b0 == 0xff && b1 == 0xfe) || (b0 == 0xfe && b1 == 0xff) ||
                       (b0 != 0 && b1 == 0) || (b0 == 0 && b1 != 0);
    if (!utf16) {
        return data;
    }
    QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless);
    const QString text = decoder(data);
    return text.toUtf8();
}

}  // namespace

bool isProtocolTarget(const QByteArray& name) {
    return name == "TARGETS" || name == "MULTIPLE" || name == "TIMESTAMP" ||
           name == "SAVE_TARGETS" || name == "DELETE" || name == "INCR";
}

struct X11SelectionReader::Connection {
    xcb_connection_t* c = nullptr;
    xcb_window_t window = XCB_NONE;
    xcb_atom_t clipboard = XCB_NONE;
    xcb_atom_t targets = XCB_NONE;
    xcb_atom_t incr = XCB_NONE;
    xcb_atom_t utf8 = XCB_NONE;
    xcb_atom_t pixmap = XCB_ATOM_PIXMAP;
    xcb_atom_t bitmap = XCB_ATOM_BITMAP;
    // Each request gets the next of these properties, so an owner's late answer to an
    // abandoned request lands in a property nobody waits on.
    std::vector<xcb_atom_t> properties;
    mutable std::size_t nextProperty = 0;

    Connection() {
        c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c) != 0) {
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        window = xcb_generate_id(c);
        // Property changes tell of each chunk of an incremental transfer.
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, XCB_CW_EVENT_MASK,
                          &mask);
        clipboard = intern("CLIPBOARD");
        targets = intern("TARGETS");
        incr = intern("INCR");
        utf8 = intern("UTF8_STRING");
        for (int i = 0; i < 16; ++i) {
            properties.push_back(
                intern(QByteArray("TESSARINE_SELECTION_" + QByteArray::number(i)).constData()));
        }
    }
    ~Connection() { xcb_disconnect(c); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool usable() const { return xcb_connection_has_error(c) == 0 && window != XCB_NONE; }

    xcb_atom_t intern(const char* name) const {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(qstrlen(name)), name), nullptr));
        return reply ? reply->atom : XCB_NONE;
    }

    std::vector<QByteArray> atomNames(const std::vector<xcb_atom_t>& atoms) const {
        std::vector<xcb_get_atom_name_cookie_t> cookies;
        cookies.reserve(atoms.size());
        for (const xcb_atom_t atom : atoms) {
            cookies.push_back(xcb_get_atom_name(c, atom));
        }
        std::vector<QByteArray> names;
        for (const auto& cookie : cookies) {
            const Reply<xcb_get_atom_name_reply_t> reply(
                xcb_get_atom_name_reply(c, cookie, nullptr));
            names.push_back(reply ? QByteArray(xcb_get_atom_name_name(reply.get()),
                                               xcb_get_atom_name_name_length(reply.get()))
                                  : QByteArray());
        }
        return names;
    }

    // The next event, or null once the deadline passed.
    Reply<xcb_generic_event_t> nextEvent(Clock::time_point deadline) const {
        for (;;) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
                return Reply<xcb_generic_event_t>(event);
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || xcb_connection_has_error(c) != 0) {
                return nullptr;
            }
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(left.count()) + 1);
        }
    }

    // The property's whole value, deleted from our window as it is read.
    std::optional<std::pair<xcb_atom_t, QByteArray>> takeProperty(xcb_atom_t property) const {
        QByteArray bytes;
        xcb_atom_t type = XCB_NONE;
        uint32_t offset = 0;
        for (;;) {
            // Length and offset count 32-bit units; the last request deletes the property.
            const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
                c,
                xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, offset,
                                 0x100000),
                nullptr));
            if (!reply) {
                return std::nullopt;
            }
            type = reply->type;
            const int length = xcb_get_property_value_length(reply.get());
            bytes.append(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
            offset += static_cast<uint32_t>(length) / 4;
            if (reply->bytes_after == 0) {
                return std::make_pair(type, bytes);
            }
        }
    }

    // One target converted by the owner, or nothing when it refused or missed the deadline.
    // An incremental transfer may run on past the format's deadline while chunks keep coming,
    // up to `end`.
    std::optional<QByteArray> convert(xcb_atom_t selection, xcb_atom_t target,
                                      Clock::time_point deadline, Clock::time_point end,
                                      Clock::duration perChunk) const {
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        // Whatever is queued answers requests given up on: it must not pass for this one's.
        while (xcb_generic_event_t* stale = xcb_poll_for_event(c)) {
            std::free(stale);
        }
        const xcb_atom_t property = properties[nextProperty++ % properties.size()];
        xcb_delete_property(c, window, property);
        xcb_convert_selection(c, window, selection, target, property, XCB_CURRENT_TIME);
        xcb_flush(c);
        for (;;) {
            const Reply<xcb_generic_event_t> event = nextEvent(deadline);
            if (!event) {
                return std::nullopt;
            }
            if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY) {
                continue;
            }
            const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
            if (notify->requestor != window || notify->selection != selection ||
                notify->target != target) {
                continue;  // a late answer to an earlier request
            }
            if (notify->property == XCB_NONE) {
                return std::nullopt;  // refused
            }
            if (notify->property != property) {
                continue;
            }
            const auto value = takeProperty(notify->property);
            // A property without a type was never written: nothing was delivered.
            if (!value || value->first == XCB_NONE) {
                return std::nullopt;
            }
            if (value->first != incr) {
                return value->second;
            }
            return incremental(notify->property, end, perChunk);
        }
    }

    // Large values come in chunks, each announced by a new value of the property; an empty
    // chunk ends the transfer.
    std::optional<QByteArray> incremental(xcb_atom_t property, Clock::time_point end,
                                          Clock::duration perChunk) const {
        xcb_flush(c);
        QByteArray bytes;
        for (;;) {
            const Reply<xcb_generic_event_t> event =
                nextEvent(std::min(end, Clock::now() + perChunk));
            if (!event) {
                return std::nullopt;
            }
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
                continue;
            }
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window != window || notify->atom != property ||
                notify->state != XCB_PROPERTY_NEW_VALUE) {
                continue;
            }
            const auto chunk = takeProperty(property);
            xcb_flush(c);
            if (!chunk) {
                return std::nullopt;
            }
            if (chunk->second.isEmpty()) {
                return bytes;
            }
            bytes.append(chunk->second);
        }
    }
};

X11SelectionReader::X11SelectionReader() = default;
X11SelectionReader::~X11SelectionReader() = default;

bool X11SelectionReader::connect() {
    if (!connection_ || !connection_->usable()) {
        connection_ = std::make_unique<Connection>();
        if (!connection_->usable()) {
            connection_.reset();
            return false;
        }
    }
    return true;
}

std::optional<QString> X11SelectionReader::readPrimaryText(std::chrono::milliseconds bound) {
    if (!connect()) {
        return std::nullopt;
    }
    const Connection& x = *connection_;
    const Clock::time_point end = Clock::now() + bound;
    if (const auto utf8 = x.convert(XCB_ATOM_PRIMARY, x.utf8, end, end, bound)) {
        return QString::fromUtf8(*utf8);
    }
    if (const auto latin1 = x.convert(XCB_ATOM_PRIMARY, XCB_ATOM_STRING, end, end, bound)) {
        return QString::fromLatin1(*latin1);
    }
    return std::nullopt;
}

SelectionRead X11SelectionReader::readClipboard(Bounds bounds) {
    SelectionRead out;
    if (!connect()) {
        return out;
    }
    const Connection& x = *connection_;
    const Clock::time_point end = Clock::now() + bounds.overall;
    const auto deadline = [&] { return std::min(end, Clock::now() + bounds.perFormat); };

    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x.c, xcb_get_selection_owner(x.c, x.clipboard), nullptr));
    if (!owner || owner->owner == XCB_NONE) {
        return out;
    }
    const std::optional<QByteArray> list =
        x.convert(x.clipboard, x.targets, deadline(), end, bounds.perFormat);
    if (!list) {
        out.skipped.append(QStringLiteral("TARGETS"));
        return out;
    }
    std::vector<xcb_atom_t> atoms;
    for (qsizetype i = 0; i + 4 <= list->size(); i += 4) {
        xcb_atom_t atom = 0;
        std::memcpy(&atom, list->constData() + i, 4);
        // Pixmaps are server resources, not bytes that could be offered again.
        if (atom != XCB_NONE && atom != x.pixmap && atom != x.bitmap) {
            atoms.push_back(atom);
        }
    }
    const std::vector<QByteArray> names = x.atomNames(atoms);
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        if (names[i].isEmpty() || isProtocolTarget(names[i])) {
            continue;
        }
        const QString format = mimeName(names[i]);
        const bool seen = std::any_of(out.formats.cbegin(), out.formats.cend(),
                                      [&](const ClipboardFormat& f) { return f.format == format; });
        if (seen || out.skipped.contains(format)) {
            continue;
        }
        // Text as Qt reads it: UTF-8 when offered, else Latin-1 made UTF-8.
        const bool plain = format == QLatin1String("text/plain");
        const bool hasUtf8 = std::find(atoms.cbegin(), atoms.cend(), x.utf8) != atoms.cend();
        const xcb_atom_t target = plain && hasUtf8 ? x.utf8 : atoms[i];
        if (Clock::now() >= end) {
            out.skipped.append(format);
            continue;
        }
        std::optional<QByteArray> data =
            x.convert(x.clipboard, target, deadline(), end, bounds.perFormat);
        if (!data) {
            out.skipped.append(format);
            continue;
        }
        if (plain && target != x.utf8) {
            data = QString::fromLatin1(*data).toUtf8();
        } else if (format == QLatin1String("text/html")) {
            data = normalizedHtml(*data);
        }
        out.formats.append(ClipboardFormat{format, *data});
    }
    return out;
}

}  // namespace ts::x11
