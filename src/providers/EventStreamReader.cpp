#include "providers/EventStreamReader.h"

#include <algorithm>
#include <utility>

namespace ts {

bool EventStreamReader::feed(QByteArrayView data, const LineHandler& handler) {
    const char* pos = data.data();
    const char* const end = pos + data.size();
    if (pos != end && m_afterCR && *pos == '\n') {
        ++pos;  // the LF of a CR LF pair that was split between two reads
    }
    m_afterCR = false;
    while (pos != end) {
        const char* const stop =
            std::find_if(pos, end, [](char c) { return c == '\n' || c == '\r'; });
        if (stop == end) {
            m_partial.append(pos, end - pos);
            break;
        }
        QByteArray line;
        if (m_partial.isEmpty()) {
            line = QByteArray(pos, stop - pos);
        } else {
            line = std::move(m_partial.append(pos, stop - pos));
            m_partial = QByteArray();
        }
        pos = stop + 1;
        if (*stop == '\r') {
            if (pos == end) {
                m_afterCR = true;
            } else if (*pos == '\n') {
                ++pos;
            }
        }
        if (!handler(line)) {
            return false;
        }
    }
    return true;
}

bool EventStreamReader::finish(const LineHandler& handler) {
    m_afterCR = false;
    if (m_partial.isEmpty()) {
        return true;
    }
    const QByteArray line = std::exchange(m_partial, QByteArray());
    return handler(line);
}

}  // namespace ts
