#pragma once

#include <QString>
#include <chrono>

namespace ts {

// Synchronous Secret Service calls for one schema ("io.tessarine.app": service + account), each
// bounded by a deadline. A call runs on its own thread; when the deadline passes it is cancelled
// and reported unreachable, so a service that is activatable but never starts costs the caller
// the deadline, not the bus's 25-second activation timeout.
class SecretServiceClient final {
public:
    enum class Status { ok, failed, unreachable };

    struct Answer {
        Status status = Status::failed;
        QString value;  // empty when there is no item or it holds no text
    };

    static const QString service;  // "io.tessarine.app"

    static Answer lookup(const QString& account, std::chrono::milliseconds deadline);
    // Deletes every item of the account, then stores one with the value.
    static Status replace(const QString& account, const QString& label, const QString& value,
                          std::chrono::milliseconds deadline);
    static Status clear(const QString& account, std::chrono::milliseconds deadline);
};

}  // namespace ts
