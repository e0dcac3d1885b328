#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

#include "desktop/ToastSink.h"

namespace ts {

class ToastPanel;

// Reports of work done without the main window: one small panel at the bottom right, one
// toast at a time; a newer toast replaces text, kind and timer of the current one.
class ToastPresenter final : public QObject {
    Q_OBJECT
public:
    using Kind = ToastKind;

    struct State {
        QString text;
        Kind kind = Kind::info;
        friend bool operator==(const State&, const State&) = default;
    };

    explicit ToastPresenter(QObject* parent = nullptr);
    ~ToastPresenter() override;

    // The one presenter of the process, created on first use.
    static ToastPresenter& shared();

    // Without a duration the toast stays until the next show replaces it.
    void show(const QString& text, Kind kind,
              std::optional<std::chrono::milliseconds> duration = std::nullopt);
    void hide();

    const State& state() const { return state_; }
    bool isVisible() const;
    bool isDismissPending() const { return dismissTask_ != nullptr; }
    ToastPanel* panel() const { return panel_.get(); }

signals:
    void stateChanged();

private:
    void cancelDismiss();

    std::unique_ptr<ToastPanel> panel_;
    QPointer<QTimer> dismissTask_;
    State state_;
};

}  // namespace ts
