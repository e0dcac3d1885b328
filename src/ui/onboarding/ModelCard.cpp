#include "ui/onboarding/ModelCard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/onboarding/OnboardingWidgets.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

constexpr int kBarSteps = 1000;

}  // namespace

ModelCard::ModelCard(OllamaInstaller& installer, OllamaInstaller::RecommendedModel model,
                     QWidget* parent)
    : QFrame(parent),
      m_installer(installer),
      m_model(std::move(model)),
      m_installedIcon(new QLabel(this)),
      m_installed(roleLabel(tr("Installed"), "installed", this)),
      m_progressBox(new QWidget(this)),
      m_status(roleLabel(QString(), "cardText", m_progressBox)),
      m_bytes(roleLabel(QString(), "cardDim", m_progressBox)),
      m_bar(new QProgressBar(m_progressBox)),
      m_cancel(roleButton(tr("Cancel"), "secondary", m_progressBox)),
      m_install(roleButton(tr("Install"), "secondary", this)),
      m_error(roleLabel(QString(), "error", this)) {
    setProperty("role", QStringLiteral("card"));
    setObjectName(QStringLiteral("modelCard"));
    auto* name = roleLabel(m_model.displayName, "cardTitle", this);
    auto* detail = roleLabel(m_model.approxSize + QStringLiteral(" \u00b7 ") + m_model.tagline,
                             "cardText", this);
    m_installed->setWordWrap(false);
    m_installedIcon->setFixedSize(16, 16);
    m_installedIcon->setAccessibleName(tr("Installed"));
    m_status->setWordWrap(false);
    m_bytes->setWordWrap(false);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(6);
    m_bar->setAccessibleName(tr("Download of %1").arg(m_model.displayName));
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Four cards share these labels: the model tells a screen reader which one it is.
    m_install->setAccessibleDescription(m_model.displayName);
    m_cancel->setAccessibleDescription(m_model.displayName);

    auto* progressTexts = new QHBoxLayout;
    progressTexts->setSpacing(8);
    progressTexts->addWidget(m_status, 1);
    progressTexts->addWidget(m_bytes);
    auto* progressColumn = new QVBoxLayout;
    progressColumn->setSpacing(4);
    progressColumn->addLayout(progressTexts);
    progressColumn->addWidget(m_bar);
    auto* progress = new QHBoxLayout(m_progressBox);
    progress->setContentsMargins(0, 0, 0, 0);
    progress->addLayout(progressColumn, 1);
    progress->addWidget(m_cancel);
    m_progressBox->setMinimumWidth(230);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(name);
    texts->addWidget(detail);
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addLayout(texts, 1);
    row->addWidget(m_installedIcon);
    row->addWidget(m_installed);
    row->addWidget(m_progressBox);
    row->addWidget(m_install);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);
    column->addLayout(row);
    column->addWidget(m_error);

    connect(m_install, &QPushButton::clicked, this, [this] { m_installer.pull(m_model.id); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_installer.cancelPull(m_model.id); });
    refreshIcons();
    refresh();
}

QString ModelCard::capitalisedWords(const QString& status) {
    QString out = status;
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}

void ModelCard::refresh() {
    const bool installed = m_installer.isModelInstalled(m_model.id);
    const auto pulling = m_installer.pulling().constFind(m_model.id);
    const bool isPulling = pulling != m_installer.pulling().constEnd();
    m_installedIcon->setVisible(installed && !isPulling);
    m_installed->setVisible(installed && !isPulling);
    m_progressBox->setVisible(isPulling);
    m_install->setVisible(!installed && !isPulling);
    if (isPulling) {
        m_status->setText(capitalisedWords(pulling->status));
        m_bytes->setText(byteSize(pulling->completedBytes) + QStringLiteral(" / ") +
                         byteSize(pulling->totalBytes));
        if (pulling->totalBytes > 0) {
            m_bar->setRange(0, kBarSteps);
            const double done = static_cast<double>(pulling->completedBytes) /
                                static_cast<double>(pulling->totalBytes);
            m_bar->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * kBarSteps));
        } else {
            m_bar->setRange(0, 0);  // indeterminate
        }
    }
    const QString error = m_installer.pullErrors().value(m_model.id);
    m_error->setText(error);
    m_error->setVisible(!error.isEmpty() && !isPulling);
}

void ModelCard::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QFrame::changeEvent(event);
}

void ModelCard::refreshIcons() {
    const Palette& palette = Palette::current();
    m_installedIcon->setPixmap(
        icons::symbol(QStringLiteral("checkmark"), palette.green).pixmap(16, 16));
    m_install->setIcon(icons::symbol(QStringLiteral("arrow.down.circle"), palette.cyan));
}

}  // namespace ts
