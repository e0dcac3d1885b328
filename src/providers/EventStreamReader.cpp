#include "providers/EventStreamReader.h"

#include <cstring>
#include <utility>

namespace ts {
namespace {

// The first CR or LF; memchr scans a whole line at once where a loop goes byte by byte. Most
// streams use LF alone, so CR is only looked for where the data holds one.
const char* lineEnd(const char* pos, const char* end, const char* firstCR) {
    const auto* lf = static_cast<const char*>(std::memchr(pos, '\n', size_t(end - pos)));
    const char* const limit = lf ? lf : end;
    if (!firstCR || firstCR >= limit) {
        return limit;
    }
    const auto* cr = static_cast<const char*>(std::memchr(pos, '\r', size_t(limit - pos)));
    return cr ? cr : limit;
}

}  // namespace

bool EventStreamReader::overflow() {
    m_overflowed = true;
    m_partial = QByteArray();
    return false;
}

bool EventStreamReader::feed(QByteArrayView data, const LineHandler& handler) {
    if (m_overflowed) {
        return false;
    }
    if (data.isEmpty()) {
        return true;
    }
    const char* pos = data.data();
    const char* const end = pos + data.size();
    if (pos != end && m_afterCR && *pos == '\n') {
        ++pos;  // the LF of a CR LF pair that was split between two reads
    }
    m_afterCR = false;
    const auto* firstCR = static_cast<const char*>(std::memchr(pos, '\r', size_t(end - pos)));
    while (pos != end) {
        const char* const stop = lineEnd(pos, end, firstCR);
        if (stop == end) {
            if (m_partial.size() + (end - pos) > kMaxLineBytes) {
                return overflow();
            }
            m_partial.append(pos, end - pos);
            break;
        }
        // The same bound whether the line came in one read or several, so what is handed on
        // never depends on how the body was cut.
        if (m_partial.size() + (stop - pos) > kMaxLineBytes) {
            return overflow();
        }
        const bool joined = !m_partial.isEmpty();
        if (joined) {
            m_partial.append(pos, stop - pos);
        }
        const QByteArrayView line = joined ? QByteArrayView(m_partial) : QByteArrayView(pos, stop);
        pos = stop + 1;
        if (*stop == '\r') {
            if (pos == end) {
                m_afterCR = true;
            } else if (*pos == '\n') {
                ++pos;
            }
        }
        if (!handler(line)) {
            return false;  // this reader may be gone with its owner
        }
        if (joined) {
            m_partial.resize(0);  // keeps its capacity for the next line cut between reads
        }
    }
    return true;
}

bool EventStreamReader::finish(const LineHandler& handler) {
    if (m_overflowed) {
        return false;
    }
    m_afterCR = false;
    if (m_partial.isEmpty()) {
        return true;
    }
    const QByteArray line = std::exchange(m_partial, QByteArray());
    return handler(QByteArrayView(line));
}

}  // namespace ts
