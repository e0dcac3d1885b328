#pragma once

#include <QByteArray>
#include <QObject>
#include <chrono>
#include <functional>
#include <optional>

class QSocketNotifier;

namespace ts::wayland {

// Reads the pipe to its end unless that takes longer than `timeout`; closes the fd either way.
std::optional<QByteArray> readPipe(int fd, std::chrono::milliseconds timeout);

// Writes the bytes into a pipe a reader on the other end takes at its own pace, from the event
// loop, then closes it. A reader that stalls for 5 s or closes early is given up on. Deletes
// itself when done; the parent ends it (and closes the fd) earlier.
class PipeWriter final : public QObject {
    Q_OBJECT
public:
    // `written` runs once every byte is in the pipe and it is closed.
    static void start(int fd, QByteArray data, QObject* parent, std::function<void()> written = {});
    ~PipeWriter() override;

private:
    PipeWriter(int fd, QByteArray data, QObject* parent);
    bool writeSome();  // true when finished, written or failed

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray data_;
    qsizetype written_ = 0;
    std::function<void()> done_;
};

}  // namespace ts::wayland
