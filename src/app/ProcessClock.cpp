#include "app/ProcessClock.h"

#include <time.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QList>

namespace ts {

qint64 msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold spaces; the fields after it do not.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) {
        return -1;
    }
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // starttime is field 22 of the line, the 20th after the name.
    constexpr qsizetype kStartTime = 22 - 3;
    if (fields.size() <= kStartTime) {
        return -1;
    }
    bool ok = false;
    const qint64 ticks = fields.at(kStartTime).toLongLong(&ok);
    const long perSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!ok || perSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const qint64 nowMs = qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - ticks * 1000 / perSecond;
}

}  // namespace ts
