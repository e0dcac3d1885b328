#pragma once

#include "desktop/platform/Clipboard.h"

namespace ts {

// The CLIPBOARD selection through QClipboard, which follows other owners through XFixes.
class X11Clipboard final : public Clipboard {
    Q_OBJECT
public:
    explicit X11Clipboard(QObject* parent = nullptr);

    ClipboardSnapshot snapshot() const override;
    void restore(const ClipboardSnapshot& snapshot) override;
    void clear() override;
    void setText(const QString& text, bool secretHint) override;
    std::optional<QString> text() const override;
    quint64 changeCount() const override { return changeCount_; }

private:
    quint64 changeCount_ = 0;
};

}  // namespace ts
