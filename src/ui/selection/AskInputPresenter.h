#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

namespace ts {

class AskInputView;
class FrontmostApp;
class InputMonitor;
class PromptStore;
class ScreenGeometry;

// The instruction panel for a custom instruction on text selected in another application.
// Submitting hands the focus back to that application before the request starts.
class AskInputPresenter final : public QObject {
    Q_OBJECT
public:
    static constexpr int kFocusDelayMs = 50;
    static constexpr int kRefocusDelayMs = 120;

    struct Services {
        InputMonitor& input;
        ScreenGeometry& screens;
        FrontmostApp& frontmost;
        PromptStore& prompts;
    };

    explicit AskInputPresenter(Services services, QObject* parent = nullptr);
    ~AskInputPresenter() override;

    // anchor: where the panel's bottom-left corner goes (global, top left origin); pid 0 when
    // the source application is not known.
    void show(const QString& text, const QString& appName, qint64 pid, QPoint anchor);
    void hide();
    bool isVisible() const;
    AskInputView* view() const { return view_.get(); }

signals:
    // sourcePid: the application the text came from (0 when unknown); only it may get the answer.
    void submitted(const QString& instruction, const QString& capturedText, const QString& appName,
                   qint64 sourcePid);

private:
    void submit(const QString& instruction);
    void onPressed(Qt::MouseButton button, QPoint pos);
    void removeMonitor();

    Services services_;
    std::unique_ptr<AskInputView> view_;
    QString capturedText_;
    QString sourceAppName_;
    qint64 sourcePid_ = 0;
    bool monitoring_ = false;
};

}  // namespace ts
