#pragma once

#include <termios.h>
#include <QObject>
#include <QSet>
#include <QSocketNotifier>
#include <QTextStream>
#include <memory>

#include "core/ChangeSet.h"

namespace ts::cli {

// Asks, change by change, whether to keep each change of an answer: the question on standard
// error, the answer one key on the controlling terminal (no Enter), so the text itself can come
// from a pipe and go to a file. The terminal's settings are given back when it is destroyed.
class ChangeReviewer final : public QObject {
    Q_OBJECT
public:
    // Null, with `error` set, when there is no terminal to ask on.
    static std::unique_ptr<ChangeReviewer> open(QTextStream& questions, QString* error);
    ~ChangeReviewer() override;

    void start(const QString& original, const QString& improved);

signals:
    void finished(const QString& keptText);

private:
    ChangeReviewer(int terminal, const termios& saved, QTextStream& questions);
    void ask();
    void answer(char key);
    QString context(const Change& change) const;

    int m_terminal;
    termios m_saved;
    QTextStream& m_questions;
    std::unique_ptr<QSocketNotifier> m_keys;
    QList<DiffSegment> m_segments;
    QList<Change> m_changes;
    QSet<int> m_dropped;
    int m_current = 0;
};

}  // namespace ts::cli
