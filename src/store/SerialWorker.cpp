#include "store/SerialWorker.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ts {

struct SerialWorker::State {
    using Clock = std::chrono::steady_clock;

    std::chrono::milliseconds closeBound;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    std::thread thread;
    std::condition_variable ended;
    bool started = false;
    bool finished = false;
    bool closing = false;
    Clock::time_point deadline;
    // A child of the application object, alive while deliveries can be handled; only touched
    // with the mutex held, so it cannot go away while a delivery is posted to it.
    QObject* receiver = nullptr;
    QMetaObject::Connection receiverGone;

    void run() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return !jobs.empty() || closing; });
            if (jobs.empty()) {
                finished = true;
                ended.notify_all();
                return;
            }
            Job job = std::move(jobs.front());
            jobs.pop_front();
            const bool late = closing;
            if (late && Clock::now() > deadline) {
                continue;
            }
            lock.unlock();
            Delivery delivery = job(late);
            job = nullptr;
            lock.lock();
            if (delivery && receiver && !closing) {
                QMetaObject::invokeMethod(receiver, std::move(delivery), Qt::QueuedConnection);
            } else if (delivery) {
                // Its captures may do anything when they go: not under the lock.
                lock.unlock();
                delivery = nullptr;
                lock.lock();
            }
        }
    }

    void close() {
        std::thread running;
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (!closing) {
                closing = true;
                deadline = Clock::now() + closeBound;
            }
            running = std::move(thread);
            wake.notify_all();
            if (!running.joinable()) {
                // Another thread closes it too: return only once the thread is done.
                ended.wait(lock, [this] { return !started || finished; });
                return;
            }
        }
        running.join();
    }
};

SerialWorker::SerialWorker(std::chrono::milliseconds closeBound)
    : m_state(std::make_shared<State>()) {
    m_state->closeBound = closeBound;
}

SerialWorker::~SerialWorker() {
    QObject* receiver = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        std::swap(receiver, m_state->receiver);
        QObject::disconnect(m_state->receiverGone);
    }
    m_state->close();
    if (receiver) {
        if (receiver->thread() == QThread::currentThread()) {
            delete receiver;
        } else {
            receiver->deleteLater();
        }
    }
}

void SerialWorker::post(Job job) {
    State& state = *m_state;
    std::unique_lock<std::mutex> lock(state.mutex);
    if (state.closing) {
        lock.unlock();
        job(true);
        return;
    }
    if (!state.started) {
        state.started = true;
        QCoreApplication* app = QCoreApplication::instance();
        Q_ASSERT(app && QThread::currentThread() == app->thread());
        if (app) {
            state.receiver = new QObject(app);
            const std::weak_ptr<State> weak = m_state;
            state.receiverGone = QObject::connect(state.receiver, &QObject::destroyed, [weak] {
                if (const std::shared_ptr<State> gone = weak.lock()) {
                    {
                        std::lock_guard<std::mutex> guard(gone->mutex);
                        gone->receiver = nullptr;
                    }
                    gone->close();
                }
            });
        }
        state.thread = std::thread([keep = m_state] { keep->run(); });
    }
    state.jobs.push_back(std::move(job));
    lock.unlock();
    state.wake.notify_one();
}

void SerialWorker::close() {
    m_state->close();
}

}  // namespace ts
