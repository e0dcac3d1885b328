#pragma once

#include <QWidget>
#include <memory>

namespace ts {

class AppState;
class PromptStore;
class StyleAnalyzer;

// The main window: one review session shown as the mode selector and the editor, the loading
// view, the result view or the error banner, with the history and shortcuts overlays and the
// window's keyboard commands. It only assembles the views and wires them to the session.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    struct Services {
        AppState& session;
        PromptStore& prompts;
        StyleAnalyzer* style = nullptr;  // the status line under results; none when null
    };

    static constexpr const char* kFrameName = "io.tessarine.mainWindow";
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 620;

    explicit MainWindow(Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

signals:
    // Ctrl+, and the Settings button.
    void settingsRequested();
    // The error banner's "Open Settings" for a missing key: the key field is what it needs.
    void keySetupRequested();

protected:
    // The keyboard commands act on every key press inside this window, before the focused
    // field sees it (Ctrl+C in a result copies the answer, not a text selection).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showPhase();
    void showHistory();
    void refreshIcons();

    struct Views;
    std::unique_ptr<Views> m_views;
};

}  // namespace ts
