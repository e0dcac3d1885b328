#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "cli/StreamPrinter.h"
#include "core/Compositions.h"
#include "core/LLMProvider.h"
#include "core/StreamAccumulator.h"

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
    struct Prepared {
        ComposedRequest request;
        ProviderKind kind;
        QString model;
        QString original;  // what the history records
        Tone tone;
        AppContext context;
    };
    std::optional<Prepared> prepare();
    void send(const Prepared& prepared);
    void onPiece(const QString& piece);
    void onCompleted();
    void onFailed(const RequestError& error);
    void stopSpinner();
    void end(int status);

    CliEnvironment& m_env;
    Invocation m_invocation;
    std::optional<Prepared> m_prepared;
    std::unique_ptr<LLMProvider> m_provider;
    std::unique_ptr<ProviderCall> m_call;
    StreamAccumulator m_accumulator;
    StreamPrinter m_printer;
    QTimer m_spinner;
    int m_spinnerFrame = 0;
    bool m_ended = false;
};

}  // namespace ts::cli
