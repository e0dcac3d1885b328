#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "cli/CliEnvironment.h"
#include "cli/CommandLine.h"
#include "core/LLMProvider.h"

namespace ts {
class StyleAnalyzer;
}

namespace ts::cli {

// `style show | refresh | clear`: the style profile that rewrites follow. A refresh asks the
// current provider and shows progress on a terminal while it waits.
class StyleCommand final : public QObject {
    Q_OBJECT

public:
    StyleCommand(CliEnvironment& env, Command command, QObject* parent = nullptr);
    ~StyleCommand() override;

    // `finished` follows, possibly before start() returns.
    void start();
    void interrupt(int signalNumber);

signals:
    void finished(int exitStatus);

private:
    void show();
    void refresh();
    void stopProgress();

    CliEnvironment& m_env;
    Command m_command;
    std::unique_ptr<StyleAnalyzer> m_analyzer;
    std::unique_ptr<LLMProvider> m_provider;
    QTimer m_progress;
    int m_frame = 0;
};

}  // namespace ts::cli
