#pragma once

#include <QWidget>
#include <optional>

#include "core/Enums.h"
#include "ui/onboarding/OnboardingServices.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ts {

class ButtonSpinner;
class ConnectionTest;

// "Connect your cloud provider": provider pills, the key (saved as it is typed), where the key
// is kept, the provider's key page, and a connection test whose success lets the user go on.
class CloudSetupStep final : public QWidget {
    Q_OBJECT
public:
    struct TestResult {
        bool success = false;
        QString message;  // the failure's text
    };

    CloudSetupStep(const OnboardingServices& services, QWidget* parent = nullptr);
    ~CloudSetupStep() override;

    // Coming from the welcome step: the stored provider and its key.
    void enter();
    QWidget* firstFocus() const;

    ProviderKind selectedProvider() const { return m_selected; }
    const std::optional<TestResult>& testResult() const { return m_result; }
    bool isTesting() const;

    // The key page each provider's "Get a … key" link opens.
    static QUrl keyPage(ProviderKind kind);

signals:
    void testResultChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    void choose(ProviderKind kind);
    void fillKey();
    void keyEdited(const QString& text);
    void runTest();
    void setResult(std::optional<TestResult> result);
    void showProvider();
    void showResult();
    void refreshIcons();

    const OnboardingServices& m_services;
    ProviderKind m_selected = ProviderKind::openai;
    std::optional<TestResult> m_result;
    quint64 m_keyGeneration = 0;

    QList<std::pair<ProviderKind, QPushButton*>> m_pills;
    QLineEdit* m_key;
    QLabel* m_note;
    QPushButton* m_keyPage;
    QPushButton* m_test;
    ButtonSpinner* m_spinner;
    QLabel* m_resultIcon;
    QLabel* m_resultText;
    ConnectionTest* m_connection;
};

}  // namespace ts
