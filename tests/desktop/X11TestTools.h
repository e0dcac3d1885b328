#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

namespace ts::test {

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
};

// Runs a command line tool to its end while this process keeps answering X requests (xclip
// reading a clipboard we own needs our event loop).
ToolResult runTool(const QString& program, const QStringList& args, const QByteArray& input = {},
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
bool xdotool(const QStringList& args);

// xclip on the CLIPBOARD selection.
ToolResult readClipboard(const QString& target);
void writeClipboard(const QString& target, const QByteArray& data);
// Bytes no text conversion survives unchanged: NUL, high bytes, CR LF.
QByteArray binaryBytes();

// A long-running program ended (and waited for) when the handle goes.
class RunningProgram {
public:
    RunningProgram(const QString& program, const QStringList& args,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
    ~RunningProgram();
    QProcess& process() { return *process_; }
    qint64 pid() const { return process_->processId(); }

private:
    std::unique_ptr<QProcess> process_;
};

// Another X client holding grabs of the key with each modifier mask until the handle goes.
class HeldGrab {
public:
    HeldGrab(quint32 keysym, const QStringList& masks);
    // "ok", or "refused" when this process held one of them already.
    QByteArray answer() const { return answer_; }

private:
    RunningProgram program_;
    QByteArray answer_;
};

// Another X client owning the clipboard with "owner text", "<i>owner html</i>" and image bytes,
// which never answers a request for `silentTarget`; it lets go when the handle goes.
class SlowClipboardOwner {
public:
    // lateMs >= 0: the first request for the target is answered that late, later ones 100 ms.
    explicit SlowClipboardOwner(const QString& silentTarget, int lateMs = -1);
    bool owns() const { return owned_; }

private:
    RunningProgram program_;
    bool owned_ = false;
};

// The id of the visible window whose title contains the text, 0 after the timeout.
quint64 waitForWindow(const QString& title, int timeoutMs = 15000);
bool activateWindow(quint64 window);

QString helperPath();

}  // namespace ts::test
