#pragma once

#include <QDBusVirtualObject>
#include <QList>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "core/Enums.h"
#include "desktop/ToastSink.h"
#include "session/RequestServices.h"

namespace ts {

// The desktop's door for selected text: io.tessarine.Services at /io/tessarine/Services, as
// data/io.tessarine.Services.xml defines it (that file is also what introspection returns).
// Every call is answered later, by its own request object, so the main thread never waits and
// several callers may wait at once.
class ServicesHandler final : public QDBusVirtualObject {
    Q_OBJECT
public:
    static constexpr const char* kObjectPath = "/io/tessarine/Services";
    static constexpr const char* kInterface = "io.tessarine.Services";
    static constexpr const char* kNoTextError = "io.tessarine.Error.NoText";
    static constexpr const char* kMissingKeyError = "io.tessarine.Error.MissingKey";
    static constexpr const char* kNotReadyError = "io.tessarine.Error.NotReady";
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};

    // What the shell supplies once it exists; until then toasts go to the log only and the
    // tone check answers NotReady.
    struct Hooks {
        ToastSink toast;
        std::function<void(const QString& text)> openToneCheck;
    };

    struct Method {
        QString name;
        Mode mode;
        bool answersText;
    };

    explicit ServicesHandler(RequestServices requests,
                             std::chrono::milliseconds timeout = kDefaultTimeout,
                             QObject* parent = nullptr);
    ~ServicesHandler() override;

    void setHooks(Hooks hooks);
    const Hooks& hooks() const { return hooks_; }
    const RequestServices& requests() const { return requests_; }
    std::chrono::milliseconds timeout() const { return timeout_; }

    // The methods the interface file declares that this handler serves.
    const QList<Method>& methods() const { return methods_; }
    // Calls whose reply or late answer is still due.
    int pendingCalls() const;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void dispatch(const QDBusMessage& message, const QDBusConnection& connection);

    RequestServices requests_;
    std::chrono::milliseconds timeout_;
    Hooks hooks_;
    QString interfaceXml_;
    QList<Method> methods_;
};

}  // namespace ts
