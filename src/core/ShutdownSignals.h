#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace ts {

// Turns SIGTERM and SIGINT into a Qt signal on the main thread (self-pipe), so the event loop
// ends normally and every owner's destructor runs. One instance per process.
class ShutdownSignals final : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    // False when the pipe could not be made: the signals then keep their default action.
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void shutdownRequested(int signalNumber);

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ts
