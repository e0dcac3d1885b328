#include "ui/settings/ApplicationDefaultsView.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "store/SettingsStore.h"
#include "ui/EnumTexts.h"
#include "ui/settings/SettingsWidgets.h"

namespace ts {

using namespace settings;

namespace {

QString builtInLine() {
    QStringList mail;
    QStringList chat;
    for (const ApplicationDefault& entry : builtInApplicationDefaults()) {
        (entry.context == AppContext::chat ? chat : mail) << entry.app;
    }
    return QCoreApplication::translate(
               "ts::ApplicationDefaultsView",
               "Rewrites in place use the context and tone set here for the application "
               "they come from, else the defaults above. Built in: %1 write Email; %2 "
               "write Chat. Your entries come first.")
        .arg(mail.join(QStringLiteral(", ")), chat.join(QStringLiteral(", ")));
}

QComboBox* picker(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setAccessibleName(name);
    return box;
}

}  // namespace

ApplicationDefaultsView::ApplicationDefaultsView(SettingsStore& settings,
                                                 std::function<QString()> lastApplication,
                                                 QWidget* parent)
    : QWidget(parent), settings_(settings), lastApplication_(std::move(lastApplication)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(label(tr("BY APPLICATION"), "sectionLabel", this));
    layout->addWidget(line(builtInLine(), this));

    list_ = new QTreeWidget(this);
    list_->setAccessibleName(tr("By application"));
    list_->setHeaderLabels({tr("Application"), tr("Context"), tr("Tone")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(110);
    list_->setMaximumHeight(150);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(list_);

    app_ = field(tr("Application"), this);
    app_->setPlaceholderText(tr("Window class, such as Slack"));
    context_ = picker(tr("Context"), this);
    for (AppContext value : EnumCases<AppContext>::all) {
        context_->addItem(displayName(value), rawValue(value));
    }
    tone_ = picker(tr("Tone"), this);
    tone_->addItem(tr("Default tone"));
    for (Tone value : EnumCases<Tone>::all) {
        tone_->addItem(displayName(value), rawValue(value));
    }
    auto* form = new QHBoxLayout;
    for (const auto& [name, control, stretch] :
         {std::tuple<QString, QWidget*, int>{tr("Application"), app_, 2},
          {tr("Context"), context_, 1},
          {tr("Tone"), tone_, 1}}) {
        QVBoxLayout* column = labelled(name, control, this);
        column->addStretch(1);  // captions in one line whatever the control's height
        form->addLayout(column, stretch);
    }
    layout->addLayout(form);

    add_ = button(tr("Add"), this);
    change_ = button(tr("Change"), this);
    remove_ = button(tr("Remove"), this);
    useLast_ = button(tr("Add the application I used last"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, change_, remove_, useLast_}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    status_ = label(QString(), "outcome", this);
    status_->hide();
    layout->addWidget(status_);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &ApplicationDefaultsView::fillForm);
    connect(app_, &QLineEdit::textChanged, this, &ApplicationDefaultsView::updateButtons);
    connect(app_, &QLineEdit::returnPressed, this, &ApplicationDefaultsView::add);
    connect(add_, &QPushButton::clicked, this, &ApplicationDefaultsView::add);
    connect(change_, &QPushButton::clicked, this, &ApplicationDefaultsView::change);
    connect(remove_, &QPushButton::clicked, this, &ApplicationDefaultsView::remove);
    connect(useLast_, &QPushButton::clicked, this, &ApplicationDefaultsView::fillLastApplication);
    reload();
}

void ApplicationDefaultsView::reload() {
    const std::optional<ApplicationDefaults> stored = storedApplicationDefaults(settings_);
    readable_ = stored.has_value();
    entries_ = stored.value_or(ApplicationDefaults{});
    showEntries();
    if (!readable_) {
        const auto parsed = parseApplicationDefaults(settings_.applicationDefaults());
        say(tr("Error: the stored list can't be read (%1). It is kept as it is; fix it "
               "with tessarine-cli config set applicationDefaults.")
                .arg(std::get<QString>(parsed)),
            QStringLiteral("error"));
    } else if (status_->property("tone").toString() == QLatin1String("error")) {
        say({});
    }
    for (QWidget* w : std::initializer_list<QWidget*>{list_, app_, context_, tone_, useLast_}) {
        w->setEnabled(readable_);
    }
    updateButtons();
}

void ApplicationDefaultsView::showEntries() {
    const QSignalBlocker block(list_);
    list_->clear();
    for (const ApplicationDefault& entry : std::as_const(entries_)) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, entry.app);
        item->setText(1, displayName(entry.context));
        item->setText(2, entry.tone ? displayName(*entry.tone) : tr("Default tone"));
    }
}

void ApplicationDefaultsView::fillForm() {
    const int row = selectedRow();
    if (row >= 0) {
        const ApplicationDefault& entry = entries_.at(row);
        app_->setText(entry.app);
        context_->setCurrentIndex(context_->findData(rawValue(entry.context)));
        tone_->setCurrentIndex(entry.tone ? tone_->findData(rawValue(*entry.tone)) : 0);
    }
    updateButtons();
}

void ApplicationDefaultsView::updateButtons() {
    const bool named = !app_->text().trimmed().isEmpty();
    add_->setEnabled(readable_ && named);
    change_->setEnabled(readable_ && named && selectedRow() >= 0);
    remove_->setEnabled(readable_ && selectedRow() >= 0);
}

ApplicationDefault ApplicationDefaultsView::formEntry() const {
    ApplicationDefault entry{app_->text().trimmed(),
                             *fromRawValue<AppContext>(context_->currentData().toString()),
                             std::nullopt};
    if (const QString tone = tone_->currentData().toString(); !tone.isEmpty()) {
        entry.tone = fromRawValue<Tone>(tone);
    }
    return entry;
}

void ApplicationDefaultsView::add() {
    if (!add_->isEnabled()) {
        return;
    }
    const ApplicationDefault entry = formEntry();
    // One entry per application: adding a name already listed changes that entry.
    int row = rowNamed(entry.app);
    if (row >= 0) {
        entries_[row] = entry;
    } else {
        entries_.append(entry);
        row = static_cast<int>(entries_.size()) - 1;
    }
    store(row);
    say(QStringLiteral("%1: %2.").arg(entry.app, displayName(entry.context)));
}

void ApplicationDefaultsView::change() {
    const int row = selectedRow();
    if (!change_->isEnabled() || row < 0) {
        return;
    }
    const ApplicationDefault entry = formEntry();
    const int other = rowNamed(entry.app);
    if (other >= 0 && other != row) {
        say(tr("Error: %1 is listed already.").arg(entry.app), QStringLiteral("error"));
        return;
    }
    entries_[row] = entry;
    store(row);
    say(QStringLiteral("%1: %2.").arg(entry.app, displayName(entry.context)));
}

void ApplicationDefaultsView::remove() {
    const int row = selectedRow();
    if (!remove_->isEnabled() || row < 0) {
        return;
    }
    const QString app = entries_.takeAt(row).app;
    app_->clear();
    store(std::min(row, static_cast<int>(entries_.size()) - 1));
    say(tr("%1 removed.").arg(app));
}

void ApplicationDefaultsView::fillLastApplication() {
    const QString app = lastApplication_ ? lastApplication_() : QString();
    if (app.isEmpty()) {
        say(tr("Error: no other application has been active since Tessarine started."),
            QStringLiteral("error"));
        return;
    }
    list_->clearSelection();
    app_->setText(app);
    if (const int row = rowNamed(app); row >= 0) {
        list_->setCurrentItem(list_->topLevelItem(row));
    }
    say({});
    context_->setFocus();
}

void ApplicationDefaultsView::store(int selectRow) {
    settings_.setApplicationDefaults(serializeApplicationDefaults(entries_));
    showEntries();
    if (selectRow >= 0) {
        list_->setCurrentItem(list_->topLevelItem(selectRow));
    }
    updateButtons();
}

int ApplicationDefaultsView::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
}

int ApplicationDefaultsView::rowNamed(const QString& app) const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].app.compare(app.trimmed(), Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ApplicationDefaultsView::say(const QString& text, const QString& tone) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    setTone(status_, tone.isEmpty() ? QStringLiteral("success") : tone);
    if (!text.isEmpty()) {
        QAccessibleEvent event(status_, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace ts
