#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "core/Enums.h"
#include "core/LLMProvider.h"
#include "desktop/inplace/ToastSink.h"
#include "desktop/platform/Platform.h"

namespace ts {

class HistoryStore;
class KeyStore;
class SettingsStore;
struct ProviderConfig;

// Rewrites the selection of another application without the main window: checks, capture,
// one whole-answer model request, paste-back, history record; it reports only through toasts.
// Requests are independent: a second one may start while the first waits for the model.
class InPlaceRunner final : public QObject {
    Q_OBJECT
public:
    using ProviderBuilder = std::function<std::unique_ptr<LLMProvider>(const ProviderConfig&)>;
    using Clock = std::function<QDateTime()>;

    struct Services {
        Platform platform;
        SettingsStore& settings;
        KeyStore& keys;
        HistoryStore& history;
        ToastSink toast;
        std::function<void()> showAccessibilityAlert;
        ProviderBuilder buildProvider = {};  // makeProvider when empty
        Clock now = {};                      // the current time when empty
    };

    enum class Outcome { pasted, captureFailed, providerFailed, emptyAnswer, pasteFailed };

    explicit InPlaceRunner(Services services, QObject* parent = nullptr);
    ~InPlaceRunner() override;

    // Returns after the checks; the rest runs in timer steps. A text that is blank after
    // trimming counts as absent: the selection is then copied out of the frontmost app.
    void runInPlace(Mode mode, const std::optional<QString>& instruction = std::nullopt,
                    const std::optional<QString>& text = std::nullopt,
                    const std::optional<QString>& appName = std::nullopt);

    // Started and not yet finished.
    int runningRequests() const;

signals:
    void requestFinished(ts::InPlaceRunner::Outcome outcome);

private:
    Services services_;
    int running_ = 0;
};

}  // namespace ts
