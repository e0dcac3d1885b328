#include "ui/settings/PromptsTab.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/CustomPrompt.h"
#include "store/PromptStore.h"
#include "ui/settings/SettingsWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

using namespace settings;

namespace {

const QString kJsonFilter = QStringLiteral("JSON (*.json)");
constexpr int kExportedClearMs = 4000;
constexpr int kImportedClearMs = 5000;
constexpr int kWriteFailedClearMs = 5000;
constexpr int kImportFailedClearMs = 6000;

}  // namespace

PromptsTab::PromptsTab(const SettingsServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    QVBoxLayout* layout = pageLayout(this);
    layout->addWidget(title(tr("Prompts"), this));
    layout->addWidget(line(tr("Saved Custom-mode instructions. Save new ones from the "
                              "Custom tab; rename or delete existing ones here. Up "
                              "to 30."),
                           this));
    auto* buttons = new QHBoxLayout;
    QPushButton* importButton =
        button(tr("Import\u2026"), this, QStringLiteral("square.and.arrow.down"));
    importButton->setToolTip(tr("Load prompts from a JSON export"));
    QPushButton* exportButton =
        button(tr("Export\u2026"), this, QStringLiteral("square.and.arrow.up"));
    exportButton->setToolTip(tr("Save all prompts to a JSON file"));
    buttons->addWidget(importButton);
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(importButton, &QPushButton::clicked, this, &PromptsTab::chooseImport);
    connect(exportButton, &QPushButton::clicked, this, &PromptsTab::chooseExport);

    transfer_ = new QWidget(this);
    auto* transferRow = new QHBoxLayout(transfer_);
    transferRow->setContentsMargins(0, 0, 0, 0);
    transferIcon_ = new QLabel(transfer_);
    transferText_ = label(QString(), "outcome", transfer_);
    transferRow->addWidget(transferIcon_);
    transferRow->addWidget(transferText_, 1);
    transfer_->hide();
    layout->addWidget(transfer_);
    clearTransfer_.setSingleShot(true);
    connect(&clearTransfer_, &QTimer::timeout, transfer_, &QWidget::hide);

    list_ = new QVBoxLayout;
    list_->setSpacing(6);
    layout->addLayout(list_);
    layout->addStretch(1);
    connect(&services_.prompts, &PromptStore::changed, this, &PromptsTab::rebuild);
    rebuild();
}

QString PromptsTab::proposedFileName() {
    return QStringLiteral("tessarine-prompts-%1.json")
        .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

// Without a parent: the window's style sheet colours its descendants, and a file dialog under
// the settings window would get its light text on the dialog's own light background. Qt uses
// the desktop's dialog (portal or platform theme) where there is one.
QFileDialog* PromptsTab::fileDialog(const QString& title, const QString& path) {
    auto* dialog = new QFileDialog(nullptr, title, path, kJsonFilter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(this, &QObject::destroyed, dialog, &QWidget::close);
    return dialog;
}

void PromptsTab::chooseImport() {
    QFileDialog* dialog = fileDialog(tr("Import Prompts"), QDir::homePath());
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, &PromptsTab::importFrom);
    dialog->open();
}

void PromptsTab::chooseExport() {
    if (!services_.prompts.exportData()) {
        showTransfer(tr("Couldn't encode prompts."), true, 0);
        return;
    }
    QFileDialog* dialog =
        fileDialog(tr("Export Saved Prompts"), QDir::home().filePath(proposedFileName()));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("json"));
    connect(dialog, &QFileDialog::fileSelected, this, &PromptsTab::exportTo);
    dialog->open();
}

void PromptsTab::importFrom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showTransfer(file.errorString(), true, kImportFailedClearMs);
        return;
    }
    try {
        const PromptStore::ImportResult result = services_.prompts.importData(file.readAll());
        showTransfer(PromptStore::importedText(result), false, kImportedClearMs);
    } catch (const PromptStore::ImportError& error) {
        showTransfer(error.description(), true, kImportFailedClearMs);
    }
}

void PromptsTab::exportTo(const QString& path) {
    const std::optional<QByteArray> bytes = services_.prompts.exportData();
    if (!bytes) {
        showTransfer(tr("Couldn't encode prompts."), true, 0);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        showTransfer(tr("Couldn't write file: %1").arg(file.errorString()), true,
                     kWriteFailedClearMs);
        return;
    }
    showTransfer(PromptStore::exportedText(static_cast<int>(services_.prompts.items().size())),
                 false, kExportedClearMs);
}

void PromptsTab::showTransfer(const QString& text, bool error, int clearAfterMs) {
    setSymbol(transferIcon_,
              error ? QStringLiteral("exclamationmark.triangle.fill")
                    : QStringLiteral("checkmark.circle.fill"),
              16, error ? QStringLiteral("red") : QStringLiteral("green"));
    transferText_->setText(text);
    setTone(transferText_, error ? QStringLiteral("error") : QStringLiteral("success"));
    transfer_->show();
    if (clearAfterMs > 0) {
        clearTransfer_.start(clearAfterMs);
    } else {
        clearTransfer_.stop();
    }
}

QString PromptsTab::transferMessage() const {
    return transfer_->isVisibleTo(this) ? transferText_->text() : QString();
}

void PromptsTab::startRename(const QUuid& id) {
    editingID_ = id;
    rebuild();
}

void PromptsTab::rebuild() {
    while (QLayoutItem* item = list_->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    const QList<CustomPrompt> items = services_.prompts.items();
    if (items.isEmpty()) {
        list_->addWidget(emptyState());
        return;
    }
    for (const CustomPrompt& prompt : items) {
        list_->addWidget(prompt.id == editingID_ ? editor(prompt) : row(prompt));
    }
}

QWidget* PromptsTab::row(const CustomPrompt& prompt) {
    auto* card = new QFrame(this);
    card->setProperty("role", QStringLiteral("card"));
    auto* layout = new QHBoxLayout(card);
    auto* text = new QVBoxLayout;
    text->addWidget(label(prompt.name, "strong", card));
    QLabel* instruction = label(prompt.instruction, "hint", card);
    instruction->setMaximumHeight(instruction->fontMetrics().lineSpacing() * 3);
    text->addWidget(instruction);
    layout->addLayout(text, 1);
    QToolButton* rename = iconButton(QStringLiteral("pencil"), tr("Rename"), card);
    QToolButton* remove = iconButton(QStringLiteral("trash"), tr("Delete"), card);
    // The names say which prompt, for a screen reader going down the list.
    rename->setAccessibleName(tr("Rename %1").arg(prompt.name));
    remove->setAccessibleName(tr("Delete %1").arg(prompt.name));
    layout->addWidget(rename, 0, Qt::AlignTop);
    layout->addWidget(remove, 0, Qt::AlignTop);
    const QUuid id = prompt.id;
    connect(rename, &QToolButton::clicked, this, [this, id] { startRename(id); });
    // Deleting rebuilds the list, this button included: later, from the loop.
    connect(remove, &QToolButton::clicked, this, [this, id] {
        QTimer::singleShot(0, this, [this, id] { services_.prompts.remove(id); });
    });
    return card;
}

QWidget* PromptsTab::editor(const CustomPrompt& prompt) {
    auto* card = new QFrame(this);
    card->setProperty("role", QStringLiteral("card"));
    auto* layout = new QHBoxLayout(card);
    QLineEdit* name = field(tr("Prompt name"), card);
    name->setText(prompt.name);
    QPushButton* save = button(tr("Save"), card);
    QPushButton* cancel = button(tr("Cancel"), card);
    layout->addWidget(name, 1);
    layout->addWidget(save);
    layout->addWidget(cancel);
    const QUuid id = prompt.id;
    const auto finish = [this, id, name](bool keep) {
        const QString text = name->text();
        QTimer::singleShot(0, this, [this, id, text, keep] {
            editingID_ = QUuid();
            if (keep) {
                services_.prompts.rename(id, text);
            }
            rebuild();
            // The pressed button went with the editor: the focus goes to its row's Rename.
            for (const CustomPrompt& prompt : services_.prompts.items()) {
                if (prompt.id != id) {
                    continue;
                }
                for (QToolButton* button : findChildren<QToolButton*>()) {
                    if (button->accessibleName() == tr("Rename %1").arg(prompt.name) &&
                        !button->isHidden()) {
                        button->setFocus();
                    }
                }
            }
        });
    };
    connect(save, &QPushButton::clicked, this, [finish] { finish(true); });
    connect(name, &QLineEdit::returnPressed, this, [finish] { finish(true); });
    connect(cancel, &QPushButton::clicked, this, [finish] { finish(false); });
    QTimer::singleShot(0, name, [name] {
        name->setFocus();
        name->selectAll();
    });
    return card;
}

QWidget* PromptsTab::emptyState() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 24, 0, 0);
    auto* icon = new QLabel(box);
    setSymbol(icon, QStringLiteral("text.bubble"), 32, QStringLiteral("textDimmer"));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    QLabel* heading = label(tr("No saved prompts yet."), "strong", box);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);
    QLabel* how = line(tr("Open the main window, pick the Custom tab, type an "
                          "instruction, then click Save prompt."),
                       box);
    how->setAlignment(Qt::AlignCenter);
    layout->addWidget(how);
    return box;
}

}  // namespace ts
