#include "desktop/platform/wayland/WaylandPipes.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <ctime>

namespace ts::wayland {

namespace {

constexpr int kWriterPatienceMs = 5000;

// A reader that closes its end early must not end this process with SIGPIPE, and the signal
// disposition is the application's: block it around the write and take back a pending one.
ssize_t writeWithoutSigpipe(int fd, const char* data, size_t size) {
    sigset_t pipeSet;
    sigset_t previous;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &previous);
    const ssize_t n = ::write(fd, data, size);
    const int error = errno;
    if (n < 0 && error == EPIPE) {
        const timespec zero{0, 0};
        sigtimedwait(&pipeSet, nullptr, &zero);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return n;
}

}  // namespace

std::optional<QByteArray> readPipe(int fd, std::chrono::milliseconds timeout) {
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    char buffer[16384];
    bool complete = false;
    while (true) {
        const qint64 left = timeout.count() - timer.elapsed();
        if (left <= 0) {
            break;
        }
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, n);
        } else if (n == 0) {
            complete = true;
            break;
        } else if (errno != EINTR && errno != EAGAIN) {
            break;
        }
    }
    ::close(fd);
    return complete ? std::optional<QByteArray>(std::move(out)) : std::nullopt;
}

void PipeWriter::start(int fd, QByteArray data, QObject* parent, std::function<void()> written) {
    auto* writer = new PipeWriter(fd, std::move(data), parent);
    writer->done_ = std::move(written);
    if (writer->writeSome()) {
        delete writer;
        return;
    }
    writer->notifier_ = new QSocketNotifier(fd, QSocketNotifier::Write, writer);
    connect(writer->notifier_, &QSocketNotifier::activated, writer, [writer] {
        if (writer->writeSome()) {
            writer->deleteLater();
        }
    });
    QTimer::singleShot(kWriterPatienceMs, writer, &QObject::deleteLater);
}

PipeWriter::PipeWriter(int fd, QByteArray data, QObject* parent)
    : QObject(parent), fd_(fd), data_(std::move(data)) {
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
}

PipeWriter::~PipeWriter() {
    delete notifier_;
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PipeWriter::writeSome() {
    if (fd_ < 0) {
        return true;
    }
    while (written_ < data_.size()) {
        const ssize_t n = writeWithoutSigpipe(fd_, data_.constData() + written_,
                                              static_cast<size_t>(data_.size() - written_));
        if (n > 0) {
            written_ += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            return false;
        } else {
            break;
        }
    }
    if (notifier_ != nullptr) {
        notifier_->setEnabled(false);
    }
    ::close(fd_);
    fd_ = -1;
    if (written_ == data_.size() && done_) {
        std::exchange(done_, {})();
    }
    return true;
}

}  // namespace ts::wayland
