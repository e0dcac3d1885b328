#include "providers/ServerSentEvents.h"

#include <utility>

namespace ts {

bool ServerSentEvents::line(const QByteArray& line, const Handler& handler) {
    if (line.isEmpty()) {
        return dispatch(handler);
    }
    if (line.startsWith(':')) {
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView field =
        colon < 0 ? QByteArrayView(line) : QByteArrayView(line).first(colon);
    QByteArrayView value = colon < 0 ? QByteArrayView() : QByteArrayView(line).sliced(colon + 1);
    if (value.startsWith(' ')) {
        value = value.sliced(1);
    }
    if (field == "data") {
        if (m_hasData) {
            m_event.data += '\n';
        }
        m_event.data += value;
        m_hasData = true;
    } else if (field == "event") {
        m_event.type = value.toByteArray();
    }
    return true;
}

bool ServerSentEvents::finish(const Handler& handler) {
    return dispatch(handler);
}

bool ServerSentEvents::dispatch(const Handler& handler) {
    ServerSentEvent event = std::exchange(m_event, ServerSentEvent());
    if (!std::exchange(m_hasData, false)) {
        return true;
    }
    return handler(event);
}

}  // namespace ts
