#pragma once

#include <QByteArray>
#include <QString>

#include "LoopbackModelServer.h"

namespace ts::test {

// The text a test puts in an editor, and what the loopback model rewrites it to.
inline const QString kOriginal = QStringLiteral("so could you maybe send the numbers");
inline const QString kImproved = QStringLiteral("Could you send the numbers by Thursday?");

// A chat-completions answer giving the improved text with one why line.
ScriptedResponse rewriteAnswer(const QString& improved = kImproved);
// The model requests among everything the server saw (the local runtime is also asked to load
// the model ahead of them).
QList<RecordedRequest> chatRequests(const LoopbackModelServer& server);
bool waitForChatRequests(const LoopbackModelServer& server, qsizetype count, int timeoutMs = 10000);
// The text of the last model request's user message.
QString lastUserMessage(const LoopbackModelServer& server);

QByteArray fileText(const QString& path);
// Presses Ctrl+S in the active editor until the file holds the expected text (editors paste
// asynchronously).
bool saveUntil(const QString& path, const QString& expected);

}  // namespace ts::test
