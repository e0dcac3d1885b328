#include "desktop/services/ServiceCall.h"

#include <QCoreApplication>

#include "desktop/PlatformTexts.h"
#include "desktop/services/ServicesLogging.h"
#include "session/ReviewRequest.h"
#include "store/SettingsStore.h"

namespace ts {

namespace {

const QString kMissingKey = QStringLiteral("API key is missing. Open Tessarine and add one.");

QString progressText(Mode mode) {
    switch (mode) {
        case Mode::proofread:
            return QCoreApplication::translate("ts::ServiceCall", "Proofreading…");
        case Mode::reply:
            return QCoreApplication::translate("ts::ServiceCall", "Drafting reply…");
        default:
            return QCoreApplication::translate("ts::ServiceCall", "Rewriting…");
    }
}

QString doneText(Mode mode) {
    switch (mode) {
        case Mode::proofread:
            return QCoreApplication::translate("ts::ServiceCall", "Proofread. ⌘Z to undo.");
        case Mode::reply:
            return QCoreApplication::translate("ts::ServiceCall", "Drafted reply. ⌘Z to undo.");
        default:
            return QCoreApplication::translate("ts::ServiceCall", "Rewrote selection. ⌘Z to undo.");
    }
}

}  // namespace

ServiceCall::ServiceCall(ServicesHandler& handler, Mode mode, QDBusMessage message,
                         QDBusConnection connection)
    : QObject(&handler),
      handler_(handler),
      mode_(mode),
      message_(std::move(message)),
      connection_(std::move(connection)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &ServiceCall::timedOut);
}

void ServiceCall::start(const QString& text) {
    text_ = text;
    ReviewRequest::Options options;
    options.delivery = ReviewRequest::Delivery::whole;
    review_ = new ReviewRequest(handler_.requests(), options, this);
    connect(review_, &ReviewRequest::missingKey, this, [this] {
        qCInfo(lcServices, "%s: no API key", qUtf8Printable(message_.member()));
        replied_ = true;
        connection_.send(message_.createErrorReply(QLatin1String(ServicesHandler::kMissingKeyError),
                                                   kMissingKey));
        done();
    });
    connect(review_, &ReviewRequest::ready, this, &ServiceCall::ready);
    connect(review_, &ReviewRequest::answered, this, &ServiceCall::answered);
    connect(review_, &ReviewRequest::failed, this, &ServiceCall::failed);
    review_->prepare();
}

void ServiceCall::ready() {
    const SettingsStore& settings = handler_.requests().settings;
    toast(progressText(mode_), ToastKind::info);
    deadline_.start(handler_.timeout());
    if (mode_ == Mode::reply) {
        review_->send(ReviewInput::reply(text_, QString(), settings.defaultTone(),
                                         settings.defaultContext()));
    } else {
        review_->send(
            ReviewInput::review(mode_, text_, settings.defaultTone(), settings.defaultContext()));
    }
}

void ServiceCall::answered(const Review& review) {
    review_->record();
    if (review.improved.trimmed().isEmpty()) {
        if (reply(text_)) {
            toast(QCoreApplication::translate("ts::ReviewRequest", kEmptyAnswerMessage),
                  ToastKind::error);
        }
    } else if (reply(review.improved)) {
        toast(doneText(mode_), ToastKind::success);
    } else {
        qCInfo(lcServices, "%s: late answer recorded in the history",
               qUtf8Printable(message_.member()));
    }
    done();
}

void ServiceCall::failed(const QString& description) {
    qCInfo(lcServices, "%s failed: %s", qUtf8Printable(message_.member()),
           qUtf8Printable(description));
    if (reply(text_)) {
        toast(description, ToastKind::error);
    }
    done();
}

void ServiceCall::timedOut() {
    qCInfo(lcServices, "%s: no answer within %lld ms", qUtf8Printable(message_.member()),
           static_cast<long long>(handler_.timeout().count()));
    if (reply(text_)) {
        toast(tr("Request cancelled."), ToastKind::error);
    }
}

bool ServiceCall::reply(const QString& result) {
    if (replied_) {
        return false;
    }
    replied_ = true;
    deadline_.stop();
    connection_.send(message_.createReply(result));
    return true;
}

void ServiceCall::toast(const QString& macText, ToastKind kind) {
    const QString text = linuxText(macText);
    const ToastSink& sink = handler_.hooks().toast;
    if (!sink) {
        qCInfo(lcServices, "toast (no window yet): %s", qUtf8Printable(text));
        return;
    }
    sink(text, kind,
         kind == ToastKind::info ? std::nullopt
                                 : std::optional<std::chrono::milliseconds>(kOutcomeToastDuration));
}

void ServiceCall::done() {
    deadline_.stop();
    // The review request may be emitting the signal that brought us here.
    deleteLater();
}

}  // namespace ts
