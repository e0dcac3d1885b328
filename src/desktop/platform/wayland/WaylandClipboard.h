#pragma once

#include <QStringList>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "desktop/platform/Clipboard.h"

struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;

namespace ts {

class WaylandConnection;
struct WaylandClipboardEvents;

// The seat's clipboard through the wlr data-control protocol, which sees and sets it from the
// background, where QClipboard on Wayland sees nothing until the program is focused.
class WaylandClipboard final : public Clipboard {
    Q_OBJECT
public:
    // The connection must offer a seat and data control, and outlive the clipboard.
    explicit WaylandClipboard(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandClipboard() override;

    // Another client's formats are read within bounds (300 ms each, 1 s in all); the ones it
    // does not deliver are left out and logged.
    ClipboardSnapshot snapshot() const override;
    void restore(const ClipboardSnapshot& snapshot) override;
    void clear() override;
    void setText(const QString& text, bool secretHint) override;
    std::optional<QString> text() const override;
    quint64 changeCount() const override { return changeCount_; }
    quint64 textReads() const override { return textReads_; }

private:
    friend struct WaylandClipboardEvents;
    struct Source {
        zwlr_data_control_source_v1* proxy = nullptr;
        ClipboardSnapshot formats;
        bool countsReads = false;  // text from setText: its reads are pastes
    };

    void offer(const ClipboardSnapshot& formats, bool countsReads);
    void releaseOffer(zwlr_data_control_offer_v1* offer);
    void dropSource(zwlr_data_control_source_v1* proxy);
    std::optional<QByteArray> receive(const QString& format,
                                      std::chrono::milliseconds timeout) const;
    void serve(Source& source, const QString& mimeType, int fd);
    void noteSelection(zwlr_data_control_offer_v1* offer);
    void releaseDevice();

    WaylandConnection& connection_;
    zwlr_data_control_device_v1* device_ = nullptr;
    std::map<zwlr_data_control_offer_v1*, QStringList> offers_;  // with their MIME types
    zwlr_data_control_offer_v1* selection_ = nullptr;
    zwlr_data_control_offer_v1* primary_ = nullptr;
    std::vector<std::unique_ptr<Source>> sources_;
    Source* own_ = nullptr;  // the source holding the clipboard now, if ours
    quint64 changeCount_ = 0;
    quint64 textReads_ = 0;
};

}  // namespace ts
