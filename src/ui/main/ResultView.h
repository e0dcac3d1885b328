#pragma once

#include <QWidget>
#include <memory>

namespace ts {

class AppState;
class StyleAnalyzer;

// The finished request: heading, the answer (or its word diff against the text that was sent),
// the why bullets, the adjust chips, copy, regenerate, back and the thumbs. A finished tone
// check shows the tone view instead (observations, the user's text, "Rewrite with these").
// It reads the session and calls its operations; it is rebuilt from the session whenever the
// session's phase becomes result.
class ResultView final : public QWidget {
    Q_OBJECT
public:
    // `style` supplies the status line under the result; null shows none.
    ResultView(AppState& session, StyleAnalyzer* style, QWidget* parent = nullptr);
    ~ResultView() override;

private:
    void refresh();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace ts
