#pragma once

#include <QList>
#include <QSet>
#include <QTextBrowser>
#include <atomic>
#include <memory>

#include "ui/main/DiffFormat.h"

namespace ts {

struct Palette;

// Read-only, selectable text that grows to the height of its content (the page around it
// scrolls). It shows a text as it stands or the word diff of two texts. The diff is computed
// on a worker thread and only the newest request is shown; long content is appended a slice
// per event-loop turn, so that neither blocks the main thread however long the texts are.
class DiffText final : public QTextBrowser {
    Q_OBJECT
public:
    // About 4 ms of layout per slice on a desktop machine.
    static constexpr qsizetype kSliceChars = 4000;

    explicit DiffText(QWidget* parent = nullptr);
    ~DiffText() override;

    void showPlain(const QString& text);
    void showDiff(const QString& original, const QString& improved);
    // The segments of the diff shown (empty for a plain text), and which changes are dropped.
    const QList<DiffSegment>& segments() const { return m_segments; }
    void setDropped(const QSet<int>& dropped);
    // Nothing is being computed or is left to append.
    bool isSettled() const;

signals:
    void settled();
    // A new diff is in (its segments are readable now).
    void diffShown();
    // A click on the words of a change.
    void changeClicked(int change);

protected:
    void changeEvent(QEvent* event) override;

private:
    void begin(QList<TextRun> runs);
    void appendSlice();
    void fitHeight(const QSizeF& content);
    void takePalette();

    // Read by the worker to skip a diff that a newer request has replaced before it started;
    // shared, because a worker may outlive this view (closing it never waits for a diff).
    std::shared_ptr<std::atomic<quint64>> m_generation = std::make_shared<std::atomic<quint64>>(0);
    int m_pendingResults = 0;
    QList<TextRun> m_runs;
    QList<DiffSegment> m_segments;
    QSet<int> m_dropped;
    qsizetype m_next = 0;
    bool m_appendScheduled = false;
    const Palette* m_palette = nullptr;
    DiffFormats m_formats;
};

}  // namespace ts
