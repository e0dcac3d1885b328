#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace ts {

struct ServerSentEvent {
    QByteArray type;  // the "event:" field; empty for the default "message"
    QByteArray data;  // the "data:" lines of the event, joined with LF
};

// Assembles event-stream lines into events the way browsers and the services' own client
// libraries do: "data:" with or without the space, several data lines joined, comments and
// "id:"/"retry:" lines skipped, an event ending at a blank line. An event still open when the
// body ends is dispatched too, since some servers omit the last blank line.
class ServerSentEvents final {
public:
    // Returns false to stop. The event is valid only during the call.
    using Handler = std::function<bool(const ServerSentEvent& event)>;

    // Data lines without the blank line that ends an event are not gathered without end.
    static constexpr qsizetype kMaxEventBytes = 16 * 1024 * 1024;

    // Both return false when the handler asked to stop, or when an event's data passed
    // kMaxEventBytes (then overflowed() tells, and every later call returns false at once).
    bool line(QByteArrayView line, const Handler& handler);
    bool finish(const Handler& handler);
    bool overflowed() const { return m_overflowed; }

private:
    bool dispatch(const Handler& handler);

    ServerSentEvent m_event;
    bool m_hasData = false;
    bool m_overflowed = false;
};

}  // namespace ts
