#include "providers/ServerSentEvents.h"

#include <utility>

namespace ts {

bool ServerSentEvents::line(QByteArrayView line, const Handler& handler) {
    if (m_overflowed) {
        return false;
    }
    if (line.isEmpty()) {
        return dispatch(handler);
    }
    if (line.startsWith(':')) {
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView field = colon < 0 ? line : line.first(colon);
    QByteArrayView value = colon < 0 ? QByteArrayView() : line.sliced(colon + 1);
    if (value.startsWith(' ')) {
        value = value.sliced(1);
    }
    if (field == "data") {
        if (m_event.data.size() + value.size() + 1 > kMaxEventBytes) {
            m_overflowed = true;
            m_event = ServerSentEvent();
            return false;
        }
        if (m_hasData) {
            m_event.data += '\n';
        }
        m_event.data += value;
        m_hasData = true;
    } else if (field == "event") {
        m_event.type.resize(0);
        m_event.type.append(value);
    }
    return true;
}

bool ServerSentEvents::finish(const Handler& handler) {
    return !m_overflowed && dispatch(handler);
}

bool ServerSentEvents::dispatch(const Handler& handler) {
    const bool hasData = std::exchange(m_hasData, false);
    if (hasData && !handler(m_event)) {
        // The handler may have destroyed this object (a call's owner may drop it from its own
        // signal): nothing here may be touched any more.
        return false;
    }
    // Emptied in place, so the next event reuses the buffers.
    m_event.type.resize(0);
    m_event.data.resize(0);
    return true;
}

}  // namespace ts
