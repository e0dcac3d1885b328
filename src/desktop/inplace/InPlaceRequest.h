#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "core/Compositions.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/inplace/InPlaceService.h"

namespace ts {

// One in-place request from the source text to the last toast. Emits finished once, then the
// runner deletes it; deleting it earlier stops every pending step and the model request.
class InPlaceRequest final : public QObject {
    Q_OBJECT
public:
    struct Settings {
        Mode mode = Mode::rewrite;
        QString instruction;
        Tone tone = Tone::professional;
        AppContext context = AppContext::email;
        QString model;
        QString styleProfile;
    };

    InPlaceRequest(const InPlaceRunner::Services& services, Settings settings,
                   std::unique_ptr<LLMProvider> provider, QObject* parent = nullptr);
    ~InPlaceRequest() override;

    void start(const std::optional<QString>& text, const std::optional<QString>& appName);

signals:
    void finished(ts::InPlaceRunner::Outcome outcome);

private:
    void sourceReady(const QString& text, const std::optional<QString>& appName,
                     ClipboardSnapshot snapshot);
    void reviewed(const Review& review);
    void failedWith(const QString& message, InPlaceRunner::Outcome outcome);
    void pasted(const Review& review, bool succeeded);
    void toast(const QString& macText, ToastKind kind);
    void finish(InPlaceRunner::Outcome outcome);

    const InPlaceRunner::Services& services_;
    InPlaceService service_;
    Settings settings_;
    std::unique_ptr<LLMProvider> provider_;
    std::unique_ptr<ReviewCall> call_;
    QString source_;
    QString app_;
    ClipboardSnapshot snapshot_;
    bool finished_ = false;
};

}  // namespace ts
