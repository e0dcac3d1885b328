#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "cli/StreamPrinter.h"
#include "core/Review.h"
#include "session/RequestServices.h"
#include "session/RequestSetup.h"
#include "session/ReviewInput.h"

namespace ts {
class ReviewRequest;
}

namespace ts::cli {

// One review from the command line: compose, send (or print with --dry-run), stream the text
// to standard output, record the result in the history.
class ReviewCommand final : public QObject {
    Q_OBJECT

public:
    ReviewCommand(CliEnvironment& environment, Invocation invocation, QObject* parent = nullptr);
    ~ReviewCommand() override;

    // Starts the work; `finished` follows, possibly before start() returns.
    void start();
    // Ctrl+C: stops the request at once.
    void interrupt();

signals:
    void finished(int exitStatus);

private:
    std::optional<ReviewInput> readInput();
    RequestOverrides overrides() const;
    void printDryRun(const ReviewInput& input);
    void send(const ReviewInput& input);
    void onPiece();
    void onAnswered(const Review& review);
    void onFailed(const QString& description);
    void stopSpinner();
    void end(int status);

    CliEnvironment& m_env;
    Invocation m_invocation;
    RequestServices m_services;
    std::unique_ptr<ReviewRequest> m_request;
    StreamPrinter m_printer;
    QTimer m_spinner;
    int m_spinnerFrame = 0;
    bool m_ended = false;
};

}  // namespace ts::cli
