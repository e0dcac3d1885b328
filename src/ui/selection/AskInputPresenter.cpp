#include "ui/selection/AskInputPresenter.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "desktop/platform/FrontmostApp.h"
#include "desktop/platform/InputMonitor.h"
#include "desktop/platform/ScreenGeometry.h"
#include "desktop/platform/Workspaces.h"
#include "store/PromptStore.h"
#include "ui/selection/AskInputView.h"
#include "ui/selection/StripPlacement.h"

namespace ts {

AskInputPresenter::AskInputPresenter(Services services, QObject* parent)
    : QObject(parent), services_(services) {}

AskInputPresenter::~AskInputPresenter() {
    removeMonitor();
}

void AskInputPresenter::show(const QString& text, const QString& appName, qint64 pid,
                             QPoint anchor) {
    const std::optional<ScreenArea> screen =
        placement::screenFor(services_.screens.screens(), anchor);
    if (!screen) {
        return;
    }
    if (!view_) {
        view_ = std::make_unique<AskInputView>();
        connect(view_.get(), &AskInputView::submitRequested, this, &AskInputPresenter::submit);
        connect(view_.get(), &AskInputView::dismissRequested, this, &AskInputPresenter::hide);
        connect(view_.get(), &AskInputView::deleteRequested, this,
                [this](const CustomPrompt& prompt) {
                    services_.prompts.remove(prompt.id);
                    view_->setPrompts(services_.prompts.items());
                });
    }
    capturedText_ = text;
    sourceAppName_ = appName;
    sourcePid_ = pid;
    view_->field()->clear();
    view_->setPrompts(services_.prompts.items());
    view_->move(placement::panelAtAnchor(*screen, anchor, view_->preferredHeight()));
    if (!view_->isVisible()) {
        view_->winId();
        showOnAllWorkspaces(view_->windowHandle());
    }
    view_->show();
    view_->raise();
    view_->activateWindow();
    QTimer::singleShot(kFocusDelayMs, view_.get(), [this] {
        view_->activateWindow();
        view_->field()->setFocus(Qt::OtherFocusReason);
    });

    if (!monitoring_) {
        monitoring_ = true;
        services_.input.acquire(InputKind::buttons);
        connect(&services_.input, &InputMonitor::mousePressed, this, &AskInputPresenter::onPressed);
    }
}

void AskInputPresenter::hide() {
    if (view_) {
        view_->hide();
    }
    removeMonitor();
}

bool AskInputPresenter::isVisible() const {
    return view_ && view_->isVisible();
}

void AskInputPresenter::removeMonitor() {
    if (!monitoring_) {
        return;
    }
    monitoring_ = false;
    disconnect(&services_.input, nullptr, this, nullptr);
    services_.input.release(InputKind::buttons);
}

void AskInputPresenter::onPressed(Qt::MouseButton, QPoint pos) {
    if (view_ && view_->frameGeometry().contains(pos)) {
        return;
    }
    hide();
}

void AskInputPresenter::submit(const QString& instruction) {
    const QString trimmed = instruction.trimmed();
    if (trimmed.isEmpty() || capturedText_.trimmed().isEmpty()) {
        return;
    }
    hide();
    if (sourcePid_ > 0) {
        services_.frontmost.activate(sourcePid_);
    }
    // The source application needs a moment to take the focus back before keys go to it.
    QTimer::singleShot(kRefocusDelayMs, this,
                       [this, trimmed, text = capturedText_, app = sourceAppName_,
                        pid = sourcePid_] { emit submitted(trimmed, text, app, pid); });
}

}  // namespace ts
