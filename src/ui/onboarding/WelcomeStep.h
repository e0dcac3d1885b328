#pragma once

#include <QWidget>

class QPushButton;

namespace ts {

// "Welcome to Tessarine": the choice between a cloud model and a local one.
class WelcomeStep final : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeStep(QWidget* parent = nullptr);

    QWidget* firstFocus() const;
    // "Continue" chooses the card that had the focus last (the first one until another has).
    void chooseFocusedCard();

signals:
    void cloudChosen();
    void localChosen();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshIcons();

    QPushButton* m_cloud;
    QPushButton* m_local;
    QPushButton* m_focusedCard = nullptr;
};

}  // namespace ts
