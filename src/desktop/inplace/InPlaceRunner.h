#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "core/Enums.h"
#include "desktop/ToastSink.h"
#include "desktop/platform/Platform.h"
#include "session/RequestServices.h"

namespace ts {

// Rewrites the selection of another application without the main window: checks, capture,
// one whole-answer model request, paste-back, history record; it reports only through toasts.
// One runs at a time: a trigger while one runs is ignored with a toast.
class InPlaceRunner final : public QObject {
    Q_OBJECT
public:
    struct Services {
        Platform platform;
        RequestServices requests;
        ToastSink toast;
        std::function<void()> showAccessibilityAlert;
    };

    enum class Outcome {
        pasted,
        missingKey,
        noDesktopControl,
        captureFailed,
        providerFailed,
        emptyAnswer,
        pasteFailed,
        windowChanged,
        notAccepted  // the application did not take the answer; it is in the history
    };

    explicit InPlaceRunner(Services services, QObject* parent = nullptr);
    ~InPlaceRunner() override;

    // Returns at once; the key is read off this thread and the rest runs in timer steps. A text
    // that is blank after trimming counts as absent: the selection is then copied out of the
    // frontmost app. With a text, sourcePid names the application it came from: the answer goes
    // into it only if it is the active one when the request starts.
    void runInPlace(Mode mode, const std::optional<QString>& instruction = std::nullopt,
                    const std::optional<QString>& text = std::nullopt,
                    const std::optional<QString>& appName = std::nullopt, qint64 sourcePid = 0);

    // Started and not yet finished.
    int runningRequests() const;

signals:
    void requestFinished(ts::InPlaceRunner::Outcome outcome);

private:
    Services services_;
    int running_ = 0;
};

}  // namespace ts
