#include "cli/ChangeReviewer.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <cerrno>

#include "core/WordDiff.h"

namespace ts::cli {

namespace {

// The change's own words in the user's language: the windows read its English labels, so only
// what is shown here is translated.
QString described(const Change& change) {
    static const char* const labels[] = {QT_TRANSLATE_NOOP("ts::cli::ChangeReviewer", "insert: "),
                                         QT_TRANSLATE_NOOP("ts::cli::ChangeReviewer", "delete: ")};
    QString text = change.describe();
    for (const char* label : labels) {
        const QLatin1String english(label);
        if (text.startsWith(english)) {
            return QCoreApplication::translate("ts::cli::ChangeReviewer", label) +
                   text.mid(english.size());
        }
    }
    return text;
}

constexpr int kContextWords = 6;

QString lastWords(const QString& text, int count) {
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words.mid(std::max<qsizetype>(0, words.size() - count)).join(QLatin1Char(' '));
}

QString firstWords(const QString& text, int count) {
    return text.simplified()
        .split(QLatin1Char(' '), Qt::SkipEmptyParts)
        .mid(0, count)
        .join(QLatin1Char(' '));
}

}  // namespace

std::unique_ptr<ChangeReviewer> ChangeReviewer::open(QTextStream& questions, QString* error) {
    const int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios saved{};
    if (terminal < 0 || ::tcgetattr(terminal, &saved) != 0) {
        if (terminal >= 0) {
            ::close(terminal);
        }
        *error = tr("--interactive needs a terminal to ask on, and this process has none");
        return nullptr;
    }
    // One key at a time without echo; Ctrl+C still interrupts.
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    ::tcsetattr(terminal, TCSANOW, &raw);
    return std::unique_ptr<ChangeReviewer>(new ChangeReviewer(terminal, saved, questions));
}

ChangeReviewer::ChangeReviewer(int terminal, const termios& saved, QTextStream& questions)
    : m_terminal(terminal), m_saved(saved), m_questions(questions) {}

ChangeReviewer::~ChangeReviewer() {
    m_keys.reset();
    ::tcsetattr(m_terminal, TCSANOW, &m_saved);
    ::close(m_terminal);
}

void ChangeReviewer::start(const QString& original, const QString& improved) {
    m_segments = wordDiff(original, improved);
    m_changes = changesOf(m_segments);
    m_keys = std::make_unique<QSocketNotifier>(m_terminal, QSocketNotifier::Read);
    connect(m_keys.get(), &QSocketNotifier::activated, this, [this] {
        char key = 0;
        const ssize_t count = ::read(m_terminal, &key, 1);
        if (count == 1) {
            answer(key);
        } else if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN)) {
            // The terminal went away: what was not decided stays as the model wrote it.
            m_current = static_cast<int>(m_changes.size());
            ask();
        }
    });
    ask();
}

QString ChangeReviewer::context(const Change& change) const {
    QString before;
    QString after;
    if (change.first > 0) {
        before = lastWords(m_segments[change.first - 1].text, kContextWords);
    }
    if (change.end < m_segments.size()) {
        after = firstWords(m_segments[change.end].text, kContextWords);
    }
    QString line = before.isEmpty() ? QString() : QStringLiteral("…") + before + QLatin1Char(' ');
    if (!change.removed.trimmed().isEmpty()) {
        line += QStringLiteral("[-") + change.removed.simplified() + QStringLiteral("-]");
    }
    if (!change.inserted.trimmed().isEmpty()) {
        line += QStringLiteral("{+") + change.inserted.simplified() + QStringLiteral("+}");
    }
    if (!after.isEmpty()) {
        line += QLatin1Char(' ') + after + QStringLiteral("…");
    }
    return line;
}

void ChangeReviewer::ask() {
    if (m_current >= m_changes.size()) {
        m_keys.reset();
        const int total = static_cast<int>(m_changes.size());
        m_questions << tr("%1 of %n changes kept.", nullptr, total)
                           .arg(total - static_cast<int>(m_dropped.size()))
                    << Qt::endl;
        emit finished(keptText(m_segments, m_dropped));
        return;
    }
    const Change& change = m_changes[m_current];
    m_questions << tr("Change %1 of %2: ").arg(m_current + 1).arg(m_changes.size())
                << described(change) << "\n  " << context(change) << "\n"
                << tr("Keep it? y keep, n drop, a keep the rest, d drop the rest: ") << Qt::flush;
}

void ChangeReviewer::answer(char key) {
    const int total = static_cast<int>(m_changes.size());
    switch (key) {
        case 'y':
        case 'Y':
            m_questions << tr("kept") << Qt::endl;
            ++m_current;
            break;
        case 'n':
        case 'N':
            m_questions << tr("dropped") << Qt::endl;
            m_dropped.insert(m_current++);
            break;
        case 'a':
        case 'A':
            m_questions << tr("kept, with the rest") << Qt::endl;
            m_current = total;
            break;
        case 'd':
        case 'D':
            m_questions << tr("dropped, with the rest") << Qt::endl;
            while (m_current < total) {
                m_dropped.insert(m_current++);
            }
            break;
        default:
            return;  // any other key asks nothing new
    }
    ask();
}

}  // namespace ts::cli
