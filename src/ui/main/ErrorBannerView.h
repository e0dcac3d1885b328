#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace ts {

// A failed request above the editor: what went wrong, and the way out ("Open Settings" when a
// key is missing, "Retry").
class ErrorBannerView final : public QFrame {
    Q_OBJECT
public:
    explicit ErrorBannerView(QWidget* parent = nullptr);

    void show(const QString& message, bool isMissingKey);
    // The first of its buttons shown, where the focus goes when the banner appears.
    QWidget* firstButton() const;

signals:
    void openSettingsClicked();
    void retryClicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    void refreshIcons();

    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_message;
    QPushButton* m_openSettings;
    QPushButton* m_retry;
};

}  // namespace ts
