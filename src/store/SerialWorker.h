#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace ts {

// One thread of its own that runs jobs in the order they were posted and hands their results to
// the application's thread. It starts with the first job and closes when the application object
// goes away or the worker is destroyed, whichever comes first: jobs still queued then start
// only within a bound, learn that nobody waits for their result, and their results are dropped.
// Closing waits for the job under way, which must bound its own time.
class SerialWorker final {
public:
    // Runs on the application's thread.
    using Delivery = std::function<void()>;
    // Runs on the worker; `closing` says that its result will be dropped. Returns the delivery,
    // or nothing.
    using Job = std::function<Delivery(bool closing)>;

    explicit SerialWorker(std::chrono::milliseconds closeBound);
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // From the application's thread while a QCoreApplication exists. Once closed, the job runs
    // on the caller's thread at once, closing.
    void post(Job job);
    void close();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace ts
