#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "core/Enums.h"
#include "core/Review.h"
#include "desktop/inplace/InPlaceRunner.h"
#include "desktop/inplace/InPlaceService.h"

namespace ts {

class ReviewRequest;

// One in-place request from the key check to the last toast. Emits finished once, then the
// runner deletes it; deleting it earlier stops every pending step and the model request.
class InPlaceRequest final : public QObject {
    Q_OBJECT
public:
    InPlaceRequest(const InPlaceRunner::Services& services, Mode mode, QString instruction,
                   QObject* parent = nullptr);
    ~InPlaceRequest() override;

    void start(const std::optional<QString>& text, const std::optional<QString>& appName,
               qint64 sourcePid = 0);

signals:
    void finished(ts::InPlaceRunner::Outcome outcome);

private:
    void ready();
    // Starts the request with the focused element's selection; false when there is none to use.
    bool readFocused(bool needEditable, qint64 requiredPid = 0);
    void replaceFocused(const QString& text);
    void notAccepted(const char* message);
    // `snapshot`: the clipboard as it was, when this request took it over.
    void sourceReady(const QString& text, std::optional<ClipboardSnapshot> snapshot);
    void reviewed(const Review& review);
    void failedWith(const QString& message, InPlaceRunner::Outcome outcome);
    void pasted(InPlaceService::PasteResult result);
    void toast(const QString& macText, ToastKind kind);
    void finish(InPlaceRunner::Outcome outcome);

    const InPlaceRunner::Services& services_;
    InPlaceService service_;
    Mode mode_;
    QString instruction_;
    Tone tone_ = Tone::professional;
    AppContext context_ = AppContext::email;
    std::optional<QString> passedText_;
    std::optional<QString> passedApp_;
    qint64 passedPid_ = 0;
    bool passedSourceGone_ = false;    // the passed text's application was not the active one
    ReviewRequest* review_ = nullptr;  // a child: goes with this request
    QString app_;
    QString sourceClass_;  // looked up in the application defaults
    QString contextName_;  // "Chat" when the context is not the default one
    bool terminal_ = false;
    std::optional<AppInfo> source_;
    std::optional<ClipboardSnapshot> snapshot_;  // only when the clipboard was taken
    std::optional<TextSelection> focused_;       // the selection came through the focused text
    bool pastingRefused_ = false;                // pasting what the focused element did not take
    bool finished_ = false;
};

}  // namespace ts
