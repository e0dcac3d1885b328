#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

namespace ts::test {

// The real tessarine program in its own config folder, its log collected. It is ended (and
// waited for) when the handle goes, also when a test assertion failed.
class AppUnderTest {
public:
    explicit AppUnderTest(const QString& configHome,
                          QProcessEnvironment env = QProcessEnvironment::systemEnvironment());
    ~AppUnderTest();

    // Until a log line contains the text.
    bool waitForLog(const QString& text, int timeoutMs = 20000);
    QString log();
    QStringList logLines(const QString& containing);
    // SIGTERM, then the exit status (-1 when it did not end normally).
    int terminate();

private:
    std::unique_ptr<QProcess> process_;
    QString log_;
};

}  // namespace ts::test
