#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "session/AppEvents.h"
#include "session/AppState.h"
#include "session/RequestSetup.h"
#include "store/HistoryStore.h"
#include "ui/AccessibleRoles.h"
#include "ui/main/EmptyStateView.h"
#include "ui/main/ErrorBannerView.h"
#include "ui/main/LoadingStateView.h"
#include "ui/main/MainKeyCommands.h"
#include "ui/main/ModeSelector.h"
#include "ui/main/Overlays.h"
#include "ui/main/ResultView.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"

namespace ts {

struct MainWindow::Views {
    AppState& session;
    ModeSelector* modes = nullptr;
    QToolButton* history = nullptr;
    QToolButton* shortcuts = nullptr;
    QToolButton* settings = nullptr;
    QWidget* tools = nullptr;
    QStackedWidget* pages = nullptr;
    QWidget* editorPage = nullptr;
    ErrorBannerView* banner = nullptr;
    EmptyStateView* editor = nullptr;
    LoadingStateView* loading = nullptr;
    ResultView* result = nullptr;
    HistoryOverlay* historyOverlay = nullptr;
    ShortcutsOverlay* shortcutsOverlay = nullptr;
};

namespace {

QToolButton* toolButton(const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setProperty("role", QStringLiteral("toolbar"));
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

KeyContext::Phase keyPhase(AppState::Phase::Kind kind) {
    switch (kind) {
        case AppState::Phase::idle:
            return KeyContext::Phase::idle;
        case AppState::Phase::reviewing:
            return KeyContext::Phase::reviewing;
        case AppState::Phase::result:
            return KeyContext::Phase::result;
        case AppState::Phase::error:
            return KeyContext::Phase::error;
    }
    return KeyContext::Phase::idle;
}

}  // namespace

MainWindow::MainWindow(Services services, QWidget* parent)
    : QWidget(parent), m_views(std::make_unique<Views>(Views{services.session})) {
    Views& v = *m_views;
    setObjectName(QStringLiteral("mainWindow"));
    accessible::install();
    accessible::setRole(this, QAccessible::Window);
    setWindowTitle(QStringLiteral("Tessarine"));
    setWindowIcon(icons::appIcon());
    resize(kWidth, kHeight);

    auto* background = new PopoverBackground(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);

    v.modes = new ModeSelector(background);
    v.history = toolButton(tr("History"), background);
    v.shortcuts = toolButton(tr("Keyboard Shortcuts"), background);
    v.settings = toolButton(tr("Settings"), background);
    v.pages = new QStackedWidget(background);
    v.editorPage = new QWidget(v.pages);
    v.banner = new ErrorBannerView(v.editorPage);
    v.editor = new EmptyStateView(v.session, services.prompts, v.editorPage);
    v.loading = new LoadingStateView(v.session, v.pages);
    v.result = new ResultView(v.session, services.style, v.pages);
    v.historyOverlay = new HistoryOverlay(this);
    v.shortcutsOverlay = new ShortcutsOverlay(this);

    auto* editorColumn = new QVBoxLayout(v.editorPage);
    editorColumn->setContentsMargins(0, 0, 0, 0);
    editorColumn->addWidget(v.banner);
    editorColumn->addWidget(v.editor, 1);
    v.banner->hide();
    v.pages->addWidget(v.editorPage);
    v.pages->addWidget(v.loading);
    v.pages->addWidget(v.result);

    // The mode selector gets the full width; the window's tools share the editor's heading row
    // (same grid cell, top right), where the two-line heading leaves room.
    v.tools = new QWidget(background);
    auto* tools = new QHBoxLayout(v.tools);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(v.history);
    tools->addWidget(v.shortcuts);
    tools->addWidget(v.settings);
    auto* grid = new QGridLayout(background);
    grid->setContentsMargins(18, 14, 18, 16);
    grid->setVerticalSpacing(16);
    grid->addWidget(v.modes, 0, 0);
    grid->addWidget(v.pages, 1, 0);
    grid->addWidget(v.tools, 1, 0, Qt::AlignTop | Qt::AlignRight);
    grid->setRowStretch(1, 1);

    AppState& session = v.session;
    connect(v.modes, &ModeSelector::modeChosen, &session, &AppState::setMode);
    connect(&session, &AppState::modeChanged, this,
            [this] { m_views->modes->setMode(m_views->session.mode()); });
    connect(&session, &AppState::phaseChanged, this, &MainWindow::showPhase);
    connect(v.banner, &ErrorBannerView::openSettingsClicked, this, &MainWindow::keySetupRequested);
    connect(v.banner, &ErrorBannerView::retryClicked, this, [this] {
        // A request stopped for a missing key was never sent: retrying the last sent text
        // would replace what the user has typed since, so the editor's input runs instead.
        AppState& s = m_views->session;
        if (s.phase().message == missingKeyMessage()) {
            s.run();
        } else {
            s.retry();
        }
    });
    connect(v.settings, &QToolButton::clicked, this, &MainWindow::settingsRequested);
    connect(v.shortcuts, &QToolButton::clicked, v.shortcutsOverlay, &Overlay::open);
    connect(v.history, &QToolButton::clicked, this, &MainWindow::showHistory);
    connect(v.historyOverlay, &HistoryOverlay::chosen, &session, &AppState::restoreHistoryItem);
    connect(&AppEvents::shared(), &AppEvents::openPopover, this, [this] {
        m_views->session.prefillFromClipboard();
        if (m_views->session.phase().kind == AppState::Phase::idle) {
            m_views->editor->firstInput()->setFocus();
        }
    });
    qApp->installEventFilter(this);

    v.modes->setMode(session.mode());
    refreshIcons();
    showPhase();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::showPhase() {
    Views& v = *m_views;
    const AppState::Phase& phase = v.session.phase();
    v.loading->setActive(phase.kind == AppState::Phase::reviewing);
    const bool editing =
        phase.kind == AppState::Phase::idle || phase.kind == AppState::Phase::error;
    v.modes->setEnabled(editing);
    v.tools->setVisible(phase.kind == AppState::Phase::idle);  // the banner takes that row
    switch (phase.kind) {
        case AppState::Phase::idle:
        case AppState::Phase::error:
            v.pages->setCurrentWidget(v.editorPage);
            // After the page turns, so that the banner is showing when it is announced.
            if (phase.kind == AppState::Phase::error) {
                v.banner->show(phase.message, phase.message == missingKeyMessage());
            } else {
                v.banner->hide();
            }
            if (isActiveWindow()) {
                if (phase.kind == AppState::Phase::error) {
                    v.banner->firstButton()->setFocus();
                } else {
                    v.editor->firstInput()->setFocus();
                }
            }
            break;
        case AppState::Phase::reviewing:
            v.pages->setCurrentWidget(v.loading);
            break;
        case AppState::Phase::result:
            v.pages->setCurrentWidget(v.result);
            break;
    }
}

void MainWindow::showHistory() {
    m_views->historyOverlay->showItems(m_views->session.requestServices().history().items());
    m_views->historyOverlay->open();
}

void MainWindow::refreshIcons() {
    const Palette& palette = Palette::current();
    m_views->history->setIcon(icons::symbol(QStringLiteral("clock"), palette.textDim));
    m_views->shortcuts->setIcon(icons::symbol(QStringLiteral("keyboard"), palette.textDim));
    m_views->settings->setIcon(icons::symbol(QStringLiteral("gearshape"), palette.textDim));
    // Placeholders and selections are palette colours the style sheet cannot reach.
    QPalette colours = QApplication::palette();
    colours.setColor(QPalette::PlaceholderText, palette.placeholder);
    colours.setColor(QPalette::Text, palette.text);
    colours.setColor(QPalette::WindowText, palette.text);
    colours.setColor(QPalette::Highlight, palette.cyan);
    colours.setColor(QPalette::HighlightedText, palette.ctaText);
    setPalette(colours);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    Views& v = *m_views;
    if (key->key() == Qt::Key_Escape && v.historyOverlay->isVisible()) {
        v.historyOverlay->hide();
        return true;
    }
    const AppState& session = v.session;
    const QString& input = session.mode() == Mode::reply ? session.replyReceived() : session.text();
    const KeyContext context{keyPhase(session.phase().kind), v.shortcutsOverlay->isVisible(),
                             input.trimmed().isEmpty()};
    const std::optional<KeyDecision> decision =
        keyCommandFor(key->key(), key->modifiers(), context);
    if (!decision) {
        return QWidget::eventFilter(watched, event);
    }
    switch (decision->command) {
        case KeyCommand::run:
            v.session.run();
            break;
        case KeyCommand::copy:
            v.session.copyImproved();
            break;
        case KeyCommand::regenerate:
            v.session.retry();
            break;
        case KeyCommand::backToEditor:
            v.session.returnToEditor();
            break;
        case KeyCommand::openSettings:
            emit settingsRequested();
            break;
        case KeyCommand::cancel:
            v.session.cancel();
            break;
        case KeyCommand::selectMode:
            v.session.setMode(*decision->mode);
            break;
        case KeyCommand::hideShortcuts:
            v.shortcutsOverlay->hide();
            break;
        case KeyCommand::closeWindow:
            emit AppEvents::shared().dismissPopover();
            break;
        case KeyCommand::nothing:
            break;
    }
    return true;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
        update();
    }
    QWidget::changeEvent(event);
}

}  // namespace ts
