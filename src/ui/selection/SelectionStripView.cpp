#include "ui/selection/SelectionStripView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

#include "desktop/platform/Workspaces.h"
#include "ui/selection/StripPlacement.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"

namespace ts {

namespace {

constexpr qreal kCorner = 8;

struct ButtonRow {
    Mode mode;
    const char* symbol;
    const char* label;
    const char* help;
};

constexpr ButtonRow kButtons[] = {
    {Mode::rewrite, "sparkle", QT_TRANSLATE_NOOP("ts::SelectionStripView", "Rewrite"),
     QT_TRANSLATE_NOOP("ts::SelectionStripView", "Rewrite the selection in place")},
    {Mode::proofread, "checkmark.seal", QT_TRANSLATE_NOOP("ts::SelectionStripView", "Proofread"),
     QT_TRANSLATE_NOOP("ts::SelectionStripView", "Fix grammar; preserve voice")},
    {Mode::reply, "arrowshape.turn.up.left", QT_TRANSLATE_NOOP("ts::SelectionStripView", "Reply"),
     QT_TRANSLATE_NOOP("ts::SelectionStripView", "Draft a reply in place")},
    {Mode::ask, "wand.and.stars", QT_TRANSLATE_NOOP("ts::SelectionStripView", "Custom"),
     QT_TRANSLATE_NOOP("ts::SelectionStripView", "Custom instruction in place")},
};

}  // namespace

SelectionStripView::SelectionStripView(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("selectionStrip"));
    setWindowTitle(tr(kTitle));
    setAccessibleName(tr(kTitle));
    setAttribute(Qt::WA_ShowWithoutActivating);
    makeFloatingWindow(*this);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(placement::kStripSize);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
    for (const ButtonRow& entry : kButtons) {
        if (!buttons_.isEmpty()) {
            auto* divider = new QFrame(this);
            divider->setProperty("role", QStringLiteral("stripDivider"));
            divider->setFixedSize(1, 16);
            row->addWidget(divider, 0, Qt::AlignVCenter);
        }
        auto* button = new QToolButton(this);
        const QString label = tr(entry.label);
        const QString help = tr(entry.help);
        button->setProperty("role", QStringLiteral("stripButton"));
        button->setProperty("symbol", QString::fromLatin1(entry.symbol));
        button->setText(label);
        button->setAccessibleName(label);
        button->setToolTip(help);
        button->setAccessibleDescription(help);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(13, 13));
        // A focusable button would pull the keyboard away from the application below.
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        const Mode mode = entry.mode;
        connect(button, &QToolButton::clicked, this, [this, mode] { emit modeClicked(mode); });
        row->addWidget(button);
        buttons_.append(button);
    }
    refreshIcons();
}

QToolButton* SelectionStripView::button(Mode mode) const {
    for (int i = 0; i < buttons_.size(); ++i) {
        if (kButtons[i].mode == mode) {
            return buttons_[i];
        }
    }
    return nullptr;
}

void SelectionStripView::refreshIcons() {
    const QColor tint = Palette::current().text;
    for (QToolButton* button : buttons_) {
        button->setIcon(icons::symbol(button->property("symbol").toString(), tint));
    }
}

void SelectionStripView::present() {
    refreshIcons();  // the colour scheme may have changed since the last show
    if (!isVisible()) {
        winId();
        showOnAllWorkspaces(windowHandle());
    }
    show();
    raise();
}

void SelectionStripView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFloatingCard(painter, *this, kCorner);
}

}  // namespace ts
