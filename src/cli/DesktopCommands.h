#pragma once

#include <QObject>
#include <memory>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace ts::cli {

// `shortcuts status | install | remove`: the global hotkeys through this desktop's door.
int runShortcuts(CliEnvironment& env, const Invocation& invocation);

// `doctor`: what works in this session and why not. Asks the provider's base URL, so it ends
// through finished(), with 0 when the in-place rewrite can work here and 1 when it cannot.
class DoctorCommand final : public QObject {
    Q_OBJECT
public:
    DoctorCommand(CliEnvironment& env, bool json, QObject* parent = nullptr);
    ~DoctorCommand() override;

    void start();
    void interrupt();

signals:
    void finished(int status);

private:
    void report(bool reachable);

    CliEnvironment& env_;
    bool json_;
    std::unique_ptr<QNetworkAccessManager> network_;
    QNetworkReply* reply_ = nullptr;
};

}  // namespace ts::cli
