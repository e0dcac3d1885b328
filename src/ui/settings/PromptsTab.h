#pragma once

#include <QTimer>
#include <QUuid>
#include <QWidget>

#include "ui/settings/SettingsServices.h"

class QLabel;
class QFileDialog;
class QVBoxLayout;

namespace ts {

struct CustomPrompt;

// The saved prompts: rename, delete, and moving them between machines as a JSON export.
class PromptsTab final : public QWidget {
    Q_OBJECT
public:
    explicit PromptsTab(const SettingsServices& services, QWidget* parent = nullptr);

    // The flows behind the two file dialogs.
    void importFrom(const QString& path);
    void exportTo(const QString& path);
    // "tessarine-prompts-yyyy-MM-dd.json" for today.
    static QString proposedFileName();

    QString transferMessage() const;
    void startRename(const QUuid& id);

private:
    QFileDialog* fileDialog(const QString& title, const QString& path);
    void chooseImport();
    void chooseExport();
    void rebuild();
    QWidget* row(const CustomPrompt& prompt);
    QWidget* editor(const CustomPrompt& prompt);
    QWidget* emptyState();
    void showTransfer(const QString& text, bool error, int clearAfterMs);

    SettingsServices services_;
    QVBoxLayout* list_;
    QWidget* transfer_;
    QLabel* transferIcon_;
    QLabel* transferText_;
    QTimer clearTransfer_;
    QUuid editingID_;
};

}  // namespace ts
