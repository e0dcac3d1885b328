#include "ui/main/DiffText.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QThreadPool>
#include <QTimer>
#include <cmath>

#include "core/WordDiff.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {
// Logical pixels, as every size of the style sheet.
constexpr qreal kExtraLineSpacing = 4.0;
}  // namespace

DiffText::DiffText(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("resultText"));
    setOpenLinks(false);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                            Qt::LinksAccessibleByMouse);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (link.scheme() == QLatin1String("change")) {
            emit changeClicked(link.path().toInt());
        }
    });
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &DiffText::fitHeight);
    takePalette();
    fitHeight({});
}

DiffText::~DiffText() {
    // A diff still running finds its generation outdated and its view gone, and is dropped.
    ++*m_generation;
}

void DiffText::showPlain(const QString& text) {
    ++*m_generation;
    m_segments.clear();
    m_dropped.clear();
    begin(cutIntoRuns({DiffSegment{{}, DiffOp::equal, text}}, kSliceChars));
}

void DiffText::showDiff(const QString& original, const QString& improved) {
    const quint64 generation = ++*m_generation;
    ++m_pendingResults;
    // The current text stays until the diff is ready. The answer goes through the application
    // object, since this view may be gone by then.
    QThreadPool::globalInstance()->start(
        [self = QPointer<DiffText>(this), latest = m_generation, generation, original, improved] {
            QList<TextRun> runs;
            QList<DiffSegment> segments;
            if (generation == latest->load()) {
                segments = wordDiff(original, improved);
                runs = cutIntoRuns(segments, kSliceChars);
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, latest, generation, runs = std::move(runs),
                 segments = std::move(segments)]() mutable {
                    if (!self) {
                        return;
                    }
                    --self->m_pendingResults;
                    if (generation == latest->load()) {
                        self->m_segments = std::move(segments);
                        self->m_dropped.clear();
                        self->begin(std::move(runs));
                        emit self->diffShown();
                    } else if (self->isSettled()) {
                        emit self->settled();
                    }
                },
                Qt::QueuedConnection);
        });
}

bool DiffText::isSettled() const {
    return m_pendingResults == 0 && m_next >= m_runs.size();
}

void DiffText::setDropped(const QSet<int>& dropped) {
    m_dropped = dropped;
    begin(m_runs);
}

void DiffText::begin(QList<TextRun> runs) {
    m_runs = std::move(runs);
    m_next = 0;
    document()->clear();
    QTextCursor cursor(document());
    cursor.setBlockFormat(m_formats.block);
    // The first slice goes in now, so a short text is complete in the same turn.
    appendSlice();
}

void DiffText::appendSlice() {
    m_appendScheduled = false;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    qsizetype chars = 0;
    while (m_next < m_runs.size() && chars < kSliceChars) {
        const TextRun& run = m_runs.at(m_next++);
        cursor.insertText(run.text, m_formats.of(run, m_dropped.contains(run.change)));
        chars += run.text.size();
    }
    cursor.endEditBlock();
    if (m_next < m_runs.size()) {
        m_appendScheduled = true;
        QTimer::singleShot(0, this, &DiffText::appendSlice);
    } else if (isSettled()) {
        emit settled();
    }
}

void DiffText::fitHeight(const QSizeF& content) {
    // Frameless and without margins: the view is as high as the laid-out text. The size comes
    // from the layout's own signal, which follows Qt's incremental layout without forcing it.
    const QMargins margins = contentsMargins();
    const int text = std::max(int(std::ceil(content.height())), fontMetrics().lineSpacing());
    setFixedHeight(text + margins.top() + margins.bottom() + 2 * frameWidth());
}

void DiffText::takePalette() {
    m_palette = &Palette::current();
    m_formats = DiffFormats::from(*m_palette, kExtraLineSpacing);
}

void DiffText::changeEvent(QEvent* event) {
    QTextBrowser::changeEvent(event);
    const bool restyled =
        event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange;
    if (restyled && m_palette != &Palette::current()) {
        // Drawn again from the start with the new scheme's formats.
        takePalette();
        begin(m_runs);
    }
}

}  // namespace ts
