#pragma once

#include <QWidget>
#include <memory>

#include "ui/settings/SettingsServices.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ts {

class LLMProvider;

// The style profile: samples, the switch, the profile with its rebuild and clear, and the
// notice when enough new thumbed-up reviews have gathered.
class StyleTab final : public QWidget {
    Q_OBJECT
public:
    explicit StyleTab(const SettingsServices& services, QWidget* parent = nullptr);
    ~StyleTab() override;
    void reload();
    void refreshProfile();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCounts();

    SettingsServices services_;
    std::unique_ptr<LLMProvider> provider_;
    QFrame* notice_;
    QLabel* noticeTitle_;
    QPushButton* noticeRefresh_;
    QCheckBox* enabled_;
    QLabel* samplesCount_;
    QPlainTextEdit* samples_;
    QLabel* inputsCount_;
    QLabel* profile_;
    QPushButton* refresh_;
    QPushButton* clear_;
    QLabel* error_;
};

}  // namespace ts
