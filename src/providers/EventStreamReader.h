#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace ts {

// Splits a response body into lines as it arrives: a line ends at CR, LF or CR LF, also when
// the line, the CR LF pair or a multi-byte character is split across network reads. Lines are
// handed on as bytes, without their ending, the moment they are complete; decoding is left to
// the caller so a character cut between two reads is whole again.
class EventStreamReader final {
public:
    // Returns false to stop: the rest of the data is not looked at.
    // The view is valid only during the call: a line within one read is not copied.
    using LineHandler = std::function<bool(QByteArrayView line)>;

    // No server sends lines this long; one that does is not followed into unbounded memory.
    static constexpr qsizetype kMaxLineBytes = 1024 * 1024;

    // Returns false when the handler asked to stop, or when a line passed kMaxLineBytes (then
    // overflowed() tells, and every later call returns false at once).
    bool feed(QByteArrayView data, const LineHandler& handler);
    // Hands on the last line when the body ended without a line ending.
    bool finish(const LineHandler& handler);
    bool overflowed() const { return m_overflowed; }

private:
    bool overflow();

    QByteArray m_partial;
    bool m_afterCR = false;
    bool m_overflowed = false;
};

}  // namespace ts
