#include "ui/settings/SettingsWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "store/SettingsStore.h"
#include "store/SettingsWatcher.h"
#include "ui/AccessibleRoles.h"
#include "ui/settings/DefaultsTab.h"
#include "ui/settings/GeneralTab.h"
#include "ui/settings/PromptsTab.h"
#include "ui/settings/ProviderTab.h"
#include "ui/settings/SettingsWidgets.h"
#include "ui/settings/ShortcutTab.h"
#include "ui/settings/StyleTab.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"

namespace ts {

namespace {

constexpr int kSidebarWidth = 168;
constexpr int kSidebarSlack = 8;  // the focus frame and a little air beside the longest name

struct TabInfo {
    const char* label;
    const char* symbol;
};

constexpr std::array<TabInfo, 6> kTabs{{
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "Provider"), "cube.transparent"},
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "Defaults"), "slider.horizontal.3"},
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "Style"), "sparkles"},
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "Prompts"), "text.bubble"},
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "Shortcut"), "keyboard"},
    {QT_TRANSLATE_NOOP("ts::SettingsWindow", "General"), "gearshape"},
}};

QScrollArea* scrolled(QWidget* page, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("settingsPage"));
    area->setWidgetResizable(true);
    // The controls inside take Tab; the area itself would be a stop with nothing to show.
    area->setFocusPolicy(Qt::NoFocus);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(page);
    return area;
}

}  // namespace

QString SettingsWindow::label(Tab tab) {
    return tr(kTabs[static_cast<size_t>(tab)].label);
}

QString SettingsWindow::symbol(Tab tab) {
    return QString::fromLatin1(kTabs[static_cast<size_t>(tab)].symbol);
}

SettingsWindow::SettingsWindow(const SettingsServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("settingsWindow"));
    accessible::install();
    accessible::setRole(this, QAccessible::Window);
    setWindowTitle(tr("Tessarine Settings"));
    // A recorder that is listening takes these keys first (it accepts their overrides).
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    resize(kWidth, kHeight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* background = new PopoverBackground(this);
    outer->addWidget(background);
    auto* row = new QHBoxLayout(background);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* side = new QWidget(background);
    side->setObjectName(QStringLiteral("settingsSidebar"));
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(10, 16, 10, 10);
    sideLayout->addWidget(settings::label(QStringLiteral("Tessarine"), "appName", side));
    sidebar_ = new QListWidget(side);
    sidebar_->setObjectName(QStringLiteral("settingsTabs"));
    sidebar_->setAccessibleName(tr("Settings sections"));
    sidebar_->setIconSize(QSize(18, 18));
    sidebar_->setFrameShape(QFrame::NoFrame);
    for (const TabInfo& tab : kTabs) {
        auto* item = new QListWidgetItem(tr(tab.label), sidebar_);
        item->setData(Qt::AccessibleTextRole, tr(tab.label));
    }
    tintSidebar();
    sideLayout->addWidget(sidebar_, 1);
    // A longer language's section names widen the sidebar rather than make it scroll.
    sidebar_->ensurePolished();
    const QMargins margins = sideLayout->contentsMargins();
    side->setFixedWidth(std::max(kSidebarWidth, sidebar_->sizeHintForColumn(0) + margins.left() +
                                                    margins.right() + kSidebarSlack));
    row->addWidget(side);

    pages_ = new QStackedWidget(background);
    provider_ = new ProviderTab(services_);
    defaults_ = new DefaultsTab(services_);
    style_ = new StyleTab(services_);
    prompts_ = new PromptsTab(services_);
    shortcut_ = new ShortcutTab(services_);
    general_ = new GeneralTab(services_);
    for (QWidget* page : std::initializer_list<QWidget*>{provider_, defaults_, style_, prompts_,
                                                         shortcut_, general_}) {
        page->setObjectName(QStringLiteral("settingsContent"));
        pages_->addWidget(scrolled(page, pages_));
    }
    row->addWidget(pages_, 1);

    connect(sidebar_, &QListWidget::currentRowChanged, pages_, &QStackedWidget::setCurrentIndex);
    sidebar_->setCurrentRow(0);
    setTabOrder(sidebar_, pages_);

    SettingsStore& settings = services_.settings;
    if (services_.watcher != nullptr) {
        connect(services_.watcher, &SettingsWatcher::changedElsewhere, this,
                &SettingsWindow::reloadAll);
    }
    // The alert's "Turn Off In-Place Rewrite" and the tray write these too.
    connect(&settings, &SettingsStore::hotkeysChanged, shortcut_, &ShortcutTab::reload);
    connect(&settings, &SettingsStore::appearanceChanged, general_, &GeneralTab::reload);
}

void SettingsWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::StyleChange) {
        tintSidebar();
        settings::retint(this);
    }
}

void SettingsWindow::tintSidebar() {
    for (int row = 0; row < sidebar_->count(); ++row) {
        const QString name = symbol(static_cast<Tab>(row));
        // The selected row is drawn on the inverted pill.
        QIcon icon = icons::symbol(name);
        const QIcon selected = icons::symbol(name, Palette::current().pillSelectedText);
        for (const int size : {18, 36}) {
            icon.addPixmap(selected.pixmap(size, size), QIcon::Selected);
        }
        sidebar_->item(row)->setIcon(icon);
    }
}

void SettingsWindow::showKeyField() {
    select(Tab::provider);
    provider_->focusKeyField();
}

void SettingsWindow::select(Tab tab) {
    sidebar_->setCurrentRow(static_cast<int>(tab));
}

SettingsWindow::Tab SettingsWindow::selection() const {
    return static_cast<Tab>(sidebar_->currentRow());
}

void SettingsWindow::reloadAll() {
    provider_->reload();
    defaults_->reload();
    style_->reload();
    shortcut_->reload();
    general_->reload();
}

}  // namespace ts
