#pragma once

#include <QWidget>
#include <functional>

#include "store/ApplicationDefaults.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace ts {

class SettingsStore;

// The "By application" list of the defaults tab: the context and tone rewrites in place use in
// one application, with a small form to add, change and remove entries. A stored list that does
// not parse is shown as such and never overwritten from here.
class ApplicationDefaultsView final : public QWidget {
    Q_OBJECT
public:
    // `lastApplication`: the application that was active before Tessarine, empty when none.
    ApplicationDefaultsView(SettingsStore& settings, std::function<QString()> lastApplication,
                            QWidget* parent = nullptr);

    void reload();

private:
    void showEntries();
    void fillForm();
    void updateButtons();
    ApplicationDefault formEntry() const;
    void add();
    void change();
    void remove();
    void fillLastApplication();
    void store(int selectRow);
    int selectedRow() const;
    int rowNamed(const QString& app) const;
    void say(const QString& text, const QString& tone = {});

    SettingsStore& settings_;
    std::function<QString()> lastApplication_;
    ApplicationDefaults entries_;
    bool readable_ = true;
    QTreeWidget* list_;
    QLineEdit* app_;
    QComboBox* context_;
    QComboBox* tone_;
    QPushButton* add_;
    QPushButton* change_;
    QPushButton* remove_;
    QPushButton* useLast_;
    QLabel* status_;
};

}  // namespace ts
