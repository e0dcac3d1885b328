// glib's headers use "signals" as an identifier, so they come before anything from Qt.
#include <libsecret/secret.h>

#include "store/SecretServiceClient.h"

#include <QByteArray>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "store/StoreLogging.h"

namespace ts {
namespace {

using Status = SecretServiceClient::Status;

// Items stored by other tools (secret-tool sets its own xdg:schema) must match too.
const SecretSchema schema = {"io.tessarine.app",
                             SECRET_SCHEMA_DONT_MATCH_NAME,
                             {{"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
                              {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
                              {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                             0,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr};

// Shared by the caller and the worker; outlives a caller that gave up waiting.
struct Call {
    Call() : cancellable(g_cancellable_new()) {}
    ~Call() { g_object_unref(cancellable); }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    GCancellable* cancellable;
    Status status = Status::failed;
    QByteArray secret;
};

Status statusOf(GError* error) {
    if (!error) {
        return Status::ok;
    }
    const bool unreachable = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
                             g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_TIMEOUT) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_TIMED_OUT) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_DISCONNECTED) ||
                             g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_SERVER);
    qCInfo(lcKeyring, "Secret Service call failed: %s", error->message);
    g_error_free(error);
    return unreachable ? Status::unreachable : Status::failed;
}

SecretServiceClient::Answer runBounded(std::function<void(Call&)> work,
                                       std::chrono::milliseconds deadline) {
    auto call = std::make_shared<Call>();
    std::thread worker([call, work = std::move(work)] {
        work(*call);
        std::lock_guard<std::mutex> lock(call->mutex);
        call->finished = true;
        call->done.notify_all();
    });
    std::unique_lock<std::mutex> lock(call->mutex);
    const auto finished = [&call] { return call->finished; };
    if (call->done.wait_for(lock, deadline, finished)) {
        lock.unlock();
        worker.join();
        return {call->status, QString::fromUtf8(call->secret)};
    }
    g_cancellable_cancel(call->cancellable);
    // Cancelling normally ends the call at once; one that ignores it is left to finish alone.
    const bool ended = call->done.wait_for(lock, std::chrono::milliseconds(250), finished);
    lock.unlock();
    if (ended) {
        worker.join();
    } else {
        worker.detach();
    }
    qCWarning(lcKeyring, "the Secret Service did not answer within %lld ms",
              static_cast<long long>(deadline.count()));
    return {Status::unreachable, QString()};
}

}  // namespace

const QString SecretServiceClient::service = QStringLiteral("io.tessarine.app");

SecretServiceClient::Answer SecretServiceClient::lookup(const QString& account,
                                                        std::chrono::milliseconds deadline) {
    const QByteArray accountBytes = account.toUtf8();
    return runBounded(
        [accountBytes](Call& call) {
            GError* error = nullptr;
            gchar* secret = secret_password_lookup_sync(&schema, call.cancellable, &error,
                                                        "service", "io.tessarine.app", "account",
                                                        accountBytes.constData(), nullptr);
            call.status = statusOf(error);
            if (secret) {
                call.secret = QByteArray(secret);
                secret_password_free(secret);
            }
        },
        deadline);
}

SecretServiceClient::Status SecretServiceClient::replace(const QString& account,
                                                         const QString& label, const QString& value,
                                                         std::chrono::milliseconds deadline) {
    const QByteArray accountBytes = account.toUtf8();
    const QByteArray labelBytes = label.toUtf8();
    const QByteArray valueBytes = value.toUtf8();
    return runBounded(
               [accountBytes, labelBytes, valueBytes](Call& call) {
                   GError* error = nullptr;
                   secret_password_clear_sync(&schema, call.cancellable, &error, "service",
                                              "io.tessarine.app", "account",
                                              accountBytes.constData(), nullptr);
                   const Status cleared = statusOf(error);
                   if (cleared == Status::unreachable) {
                       call.status = cleared;
                       return;
                   }
                   error = nullptr;
                   secret_password_store_sync(
                       &schema, SECRET_COLLECTION_DEFAULT, labelBytes.constData(),
                       valueBytes.constData(), call.cancellable, &error, "service",
                       "io.tessarine.app", "account", accountBytes.constData(), nullptr);
                   call.status = statusOf(error);
               },
               deadline)
        .status;
}

SecretServiceClient::Status SecretServiceClient::clear(const QString& account,
                                                       std::chrono::milliseconds deadline) {
    const QByteArray accountBytes = account.toUtf8();
    return runBounded(
               [accountBytes](Call& call) {
                   GError* error = nullptr;
                   secret_password_clear_sync(&schema, call.cancellable, &error, "service",
                                              "io.tessarine.app", "account",
                                              accountBytes.constData(), nullptr);
                   call.status = statusOf(error);
               },
               deadline)
        .status;
}

}  // namespace ts
