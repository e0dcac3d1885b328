#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/Enums.h"
#include "ui/settings/SettingsServices.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QPushButton;

namespace ts {

class LLMProvider;

// The provider, its key (saved to the key store on every edit), base URLs, the model with the
// fetched list, and the connection test.
class ProviderTab final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kKeyDebounceMs = 500;

    explicit ProviderTab(const SettingsServices& services, QWidget* parent = nullptr);
    ~ProviderTab() override;

    void reload();
    void selectProvider(ProviderKind kind);
    void refreshModels();
    void testConnection();
    void focusKeyField();

    const QStringList& fetchedModels() const { return fetched_; }
    bool isLoadingModels() const { return pendingLists_ > 0; }
    QString modelsError() const { return modelsError_; }
    QString testResult() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Request;

    QWidget* buildCards();
    QWidget* buildKeyRows();
    QWidget* buildUrlRows();
    QWidget* buildModelRow();
    void loadKeyThenRefresh();
    void onKeyEdited(const QString& text);
    std::unique_ptr<LLMProvider> buildProvider() const;
    void showModelsState();
    void updateVisibility();

    SettingsServices services_;
    QButtonGroup* cards_ = nullptr;
    QList<QLabel*> cardModels_;
    QWidget* keyRow_ = nullptr;
    QLineEdit* keyField_ = nullptr;
    QLabel* keyLocation_ = nullptr;
    QWidget* localRow_ = nullptr;
    QWidget* customRow_ = nullptr;
    QLineEdit* customUrl_ = nullptr;
    QWidget* ollamaRow_ = nullptr;
    QLineEdit* ollamaUrl_ = nullptr;
    QToolButton* advanced_ = nullptr;
    QWidget* advancedRow_ = nullptr;
    QLabel* advancedLabel_ = nullptr;
    QLineEdit* publicUrl_ = nullptr;
    QLineEdit* modelField_ = nullptr;
    QToolButton* modelMenuButton_ = nullptr;
    QMenu* modelMenu_ = nullptr;
    QLabel* modelsLine_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QLabel* testLine_ = nullptr;
    QTimer keyDebounce_;
    QStringList fetched_;
    QString modelsError_;
    int pendingLists_ = 0;
    int keyGeneration_ = 0;
    QPointer<Request> test_;
};

}  // namespace ts
