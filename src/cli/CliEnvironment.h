#pragma once

#include <QByteArray>
#include <QTextStream>
#include <functional>

namespace ts {
class HistoryStore;
class KeyStore;
class PromptStore;
class SettingsStore;
}  // namespace ts

namespace ts::cli {

enum ExitStatus { exitSuccess = 0, exitFailure = 1, exitUsage = 2, exitInterrupted = 130 };

// Everything a command touches, so commands never reach for globals themselves.
struct CliEnvironment {
    QTextStream& out;
    QTextStream& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
    bool inIsTerminal = false;
    std::function<QByteArray()> readStandardInput;
    // Reads one line from the terminal without echoing it.
    std::function<QByteArray()> readSecretLine;
    std::function<SettingsStore&()> settings;
    std::function<KeyStore&()> keys;  // opened only when a key is needed
    std::function<HistoryStore&()> history;
    std::function<PromptStore&()> prompts;
};

}  // namespace ts::cli
