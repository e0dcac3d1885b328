#pragma once

#include <QObject>
#include <QString>

#include "session/RequestServices.h"

namespace ts {

class ReviewRequest;

// One rewrite of a fixed greeting with the stored provider's default model, to show the key
// works. Starting again or destroying the test drops the one running.
class ConnectionTest final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSampleText = "Hi, hope you're well.";

    explicit ConnectionTest(RequestServices services, QObject* parent = nullptr);
    ~ConnectionTest() override;

    void start();
    void cancel();
    bool isRunning() const { return m_request != nullptr; }

signals:
    void succeeded();
    void failed(const QString& message);

private:
    void end();

    RequestServices m_services;
    ReviewRequest* m_request = nullptr;  // a child: it never outlives the services it uses
};

}  // namespace ts
