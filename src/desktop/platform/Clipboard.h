#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace ts {

// One format of the clipboard with its bytes.
struct ClipboardFormat {
    QString format;
    QByteArray data;

    friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};

// Every format the clipboard gave, in the order it offered them (one its owner did not deliver is
// left out). Empty = empty clipboard.
using ClipboardSnapshot = QList<ClipboardFormat>;

// The desktop clipboard (the CLIPBOARD selection on X11).
class Clipboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Clipboard() override = default;

    virtual ClipboardSnapshot snapshot() const = 0;
    // Replaces the clipboard with the snapshot's formats; an empty snapshot leaves it empty.
    virtual void restore(const ClipboardSnapshot& snapshot) = 0;
    virtual void clear() = 0;
    // Replaces the clipboard with plain text. secretHint marks it for clipboard managers
    // ("x-kde-passwordManagerHint: secret") so they do not keep it in their history.
    virtual void setText(const QString& text, bool secretHint) = 0;
    // The plain text, or nothing when the clipboard holds no text.
    virtual std::optional<QString> text() const = 0;
    // Grows on every clipboard change by any process, this one included. Only compare it.
    virtual quint64 changeCount() const = 0;
    // Grows each time another program reads a text format of text this process put there with
    // setText: the sign that a paste really happened. Only compare it.
    virtual quint64 textReads() const = 0;

signals:
    void changed();
    // Another program read a text format of text this process put there (textReads grew).
    void textRead();
};

inline constexpr const char* kPasswordManagerHintFormat = "x-kde-passwordManagerHint";

}  // namespace ts
