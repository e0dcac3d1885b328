#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace ts {

class ModelCard;
class OllamaInstaller;
struct OnboardingServices;

// The local runtime's setup: a status line, a card when the runtime needs installing or
// starting, and the recommended models. Polls the installer while it is visible.
class OllamaSetupPanel final : public QWidget {
    Q_OBJECT
public:
    OllamaSetupPanel(const OnboardingServices& services, QWidget* parent = nullptr);

    static const QUrl& downloadPage();
    QString statusLine() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showState();

    const OnboardingServices& m_services;
    OllamaInstaller& m_installer;
    QLabel* m_status;
    QWidget* m_installCard;
    QWidget* m_startCard;
    QLabel* m_modelsHeading;
    QList<ModelCard*> m_cards;
};

}  // namespace ts
