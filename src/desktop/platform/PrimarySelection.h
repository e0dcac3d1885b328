#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace ts {

// The text selected right now in any application (PRIMARY on X11) and who holds it.
class PrimarySelection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PrimarySelection() override = default;

    // The selected text when the selection's owner window belongs to process pid; nothing when
    // another process owns it, nobody does, or the owner does not answer within a short bound.
    virtual std::optional<QString> selectedText(qint64 pid) const = 0;

signals:
    // Some application took (or gave up) the selection: its text may have changed.
    void changed();
};

}  // namespace ts
