#include "core/Logging.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace ts {
namespace {

void writeLine(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const QByteArray line = "[Tessarine] " + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
    if (type == QtFatalMsg) {
        std::abort();
    }
}

}  // namespace

void installLogHandler() {
    qInstallMessageHandler(writeLine);
}

}  // namespace ts
