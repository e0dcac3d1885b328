#pragma once

#include <QFrame>

#include "providers/OllamaInstaller.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ts {

// One recommended model: what it is, and on the right whether it is installed, its download
// with live progress and a way to cancel it, or the button that starts one.
class ModelCard final : public QFrame {
    Q_OBJECT
public:
    ModelCard(OllamaInstaller& installer, OllamaInstaller::RecommendedModel model,
              QWidget* parent = nullptr);

    const QString& modelId() const { return m_model.id; }
    void refresh();

    // "pulling manifest" → "Pulling Manifest".
    static QString capitalisedWords(const QString& status);

protected:
    void changeEvent(QEvent* event) override;

private:
    void refreshIcons();

    OllamaInstaller& m_installer;
    OllamaInstaller::RecommendedModel m_model;
    QLabel* m_installedIcon;
    QLabel* m_installed;
    QWidget* m_progressBox;
    QLabel* m_status;
    QLabel* m_bytes;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    QPushButton* m_install;
    QLabel* m_error;
};

}  // namespace ts
