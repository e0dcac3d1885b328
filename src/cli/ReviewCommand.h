#pragma once

#include <QObject>
#include <QSocketNotifier>
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

class ChangeReviewer;

// One review from the command line: compose, send (or print with --dry-run), stream the text
// to standard output, record the result in the history.
class ReviewCommand final : public QObject {
    Q_OBJECT

public:
    ReviewCommand(CliEnvironment& environment, Invocation invocation, QObject* parent = nullptr);
    ~ReviewCommand() override;

    // Starts the work; `finished` follows, possibly before start() returns.
    void start();
    // Ctrl+C or another ending signal: stops reading or the request at once; the exit status is
    // 128 plus the signal's number.
    void interrupt(int signalNumber);

signals:
    void finished(int exitStatus);

private:
    // The text typed on a terminal arrives through the event loop, so Ctrl+C still ends it.
    void readTerminal();
    void proceed(const QByteArray& standardInput);
    std::optional<ReviewInput> readInput(const QByteArray& standardInput);
    RequestOverrides overrides() const;
    void printDryRun(const ReviewInput& input);
    void send(const ReviewInput& input);
    void onPiece();
    void printPreview();
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
    bool m_printScheduled = false;
    std::unique_ptr<QSocketNotifier> m_terminal;
    QByteArray m_typed;
    QString m_original;
    std::unique_ptr<ChangeReviewer> m_reviewer;
};

}  // namespace ts::cli
