#pragma once

#include <functional>
#include <memory>

#include "desktop/platform/Clipboard.h"

class QMimeData;
class QWindow;

namespace ts::x11 {
class X11SelectionReader;
}

namespace ts {

// The CLIPBOARD selection through QClipboard, which follows other owners through XFixes.
class X11Clipboard final : public Clipboard {
    Q_OBJECT
public:
    explicit X11Clipboard(QObject* parent = nullptr);
    ~X11Clipboard() override;

    // Another owner's formats are read within bounds (300 ms each, 1 s in all); the ones it does
    // not deliver are left out and logged.
    ClipboardSnapshot snapshot() const override;
    void restore(const ClipboardSnapshot& snapshot) override;
    void clear() override;
    void setText(const QString& text, bool secretHint) override;
    std::optional<QString> text() const override;
    quint64 changeCount() const override { return changeCount_; }
    quint64 textReads() const override { return textReads_; }

    // Called by the text this process put on the clipboard whenever one of its formats is read.
    void noteRead(const QString& format);

private:
    void claim(const std::function<QMimeData*()>& make);

    std::unique_ptr<QWindow> timeStamp_;
    quint64 changeCount_ = 0;
    quint64 textReads_ = 0;
    mutable int selfReads_ = 0;  // reads of our own, which are no paste
    mutable std::unique_ptr<x11::X11SelectionReader> reader_;
};

}  // namespace ts
