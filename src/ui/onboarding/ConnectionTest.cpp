#include "ui/onboarding/ConnectionTest.h"

#include "session/ReviewRequest.h"
#include "store/SettingsStore.h"

namespace ts {

ConnectionTest::ConnectionTest(RequestServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {}

ConnectionTest::~ConnectionTest() = default;

void ConnectionTest::start() {
    end();
    ReviewRequest::Options options;
    options.delivery = ReviewRequest::Delivery::whole;
    // The default model, not the stored one: a test must not fail on a model typed elsewhere.
    options.overrides.model = defaultModel(m_services.settings.provider());
    options.overrides.noStyle = true;
    m_request = new ReviewRequest(m_services, options, this);
    ReviewRequest& request = *m_request;
    connect(&request, &ReviewRequest::ready, this, [this] {
        m_request->send(ReviewInput::review(Mode::rewrite, QString::fromUtf8(kSampleText),
                                            Tone::professional, AppContext::email));
    });
    connect(&request, &ReviewRequest::missingKey, this, [this] {
        end();
        emit failed(missingKeyMessage());
    });
    connect(&request, &ReviewRequest::answered, this, [this] {
        end();
        emit succeeded();
    });
    connect(&request, &ReviewRequest::failed, this, [this](const QString& description) {
        end();
        emit failed(description);
    });
    request.prepare();
}

void ConnectionTest::cancel() {
    end();
}

void ConnectionTest::end() {
    // Called from the request's own signals: it goes once they return.
    if (m_request) {
        m_request->disconnect(this);
        m_request->deleteLater();
        m_request = nullptr;
    }
}

}  // namespace ts
