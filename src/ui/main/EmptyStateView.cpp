#include "ui/main/EmptyStateView.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <array>

#include "session/AppState.h"
#include "store/PromptStore.h"
#include "ui/AccessibleRoles.h"
#include "ui/EnumTexts.h"
#include "ui/main/SavedPromptChip.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts {

namespace {

const std::array<const char*, 4> kInstructionExamples{
    QT_TRANSLATE_NOOP("ts::EmptyStateView",
                      "e.g. \"Turn this into a Jira ticket with acceptance criteria\""),
    QT_TRANSLATE_NOOP("ts::EmptyStateView", "e.g. \"Summarize in 3 bullets\""),
    QT_TRANSLATE_NOOP("ts::EmptyStateView", "e.g. \"Convert to a formal email with a greeting\""),
    QT_TRANSLATE_NOOP("ts::EmptyStateView", "e.g. \"Extract action items as a numbered list\""),
};

QLabel* sectionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QStringLiteral("sectionLabel"));
    return label;
}

QPlainTextEdit* textField(QWidget* parent) {
    auto* field = new QPlainTextEdit(parent);
    field->setProperty("role", QStringLiteral("field"));
    field->setTabChangesFocus(true);
    return field;
}

// Writes a session value into a field only when it differs, so typing keeps the cursor.
void showText(QPlainTextEdit* field, const QString& value) {
    if (field->toPlainText() != value) {
        field->setPlainText(value);
        field->moveCursor(QTextCursor::End);
    }
}

}  // namespace

EmptyStateView::ModeTexts EmptyStateView::texts(Mode mode) {
    switch (mode) {
        case Mode::rewrite:
            //: The heading's two lines read as one sentence: "Let's make it sharper."
            return {tr("Let's make it"),
                    //: Second line of "Let's make it sharper."
                    tr("sharper."),
                    //: The button that sends the text for review; keep it short.
                    tr("Review"), tr("Paste your text…")};
        case Mode::proofread:
            return {tr("Fix grammar,"), tr("keep voice."), tr("Proofread"),
                    tr("Paste the text to proofread…")};
        case Mode::reply:
            return {tr("Draft a reply"), tr("in your voice."), tr("Draft Reply"),
                    tr("What do you want to say? e.g. \"Yes, Thursday works. Ask for the Q2 "
                       "deck.\"")};
        case Mode::ask:
            return {tr("Tell me"), tr("what to do."), tr("Run"),
                    tr("Paste the text you want to transform…")};
        case Mode::toneCheck:
            return {tr("How does this"), tr("come across?"), tr("Check Tone"),
                    tr("Paste the text. I'll tell you how it reads…")};
    }
    return {};
}

EmptyStateView::EmptyStateView(AppState& session, PromptStore& prompts, QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_prompts(prompts),
      m_heading(new QWidget(this)),
      m_headingLead(new QLabel(m_heading)),
      m_headingAccent(new QLabel(m_heading)),
      m_receivedLabel(sectionLabel(tr("MESSAGE RECEIVED"), this)),
      m_received(textField(this)),
      m_intentLabel(sectionLabel(tr("YOUR INTENT  (OPTIONAL)"), this)),
      m_instruction(new QLineEdit(this)),
      m_chipScroller(new QScrollArea(this)),
      m_chips(new QWidget(this)),
      m_chipRow(new QHBoxLayout(m_chips)),
      m_savePrompt(new QPushButton(this)),
      m_text(textField(this)),
      m_clipboardBadge(new QWidget(this)),
      m_clipboardIcon(new QLabel(m_clipboardBadge)),
      m_tone(new QComboBox(this)),
      m_context(new QComboBox(this)),
      m_run(new QPushButton(this)) {
    m_exampleIndex = static_cast<int>(QRandomGenerator::global()->bounded(4));
    m_headingLead->setProperty("role", QStringLiteral("heading"));
    m_headingAccent->setProperty("role", QStringLiteral("headingAccent"));
    m_received->setPlaceholderText(tr("Paste the email / DM you got…"));
    m_received->setAccessibleName(tr("MESSAGE RECEIVED"));
    m_instruction->setProperty("role", QStringLiteral("field"));
    m_instruction->setAccessibleName(tr("Instruction"));
    m_chipRow->setContentsMargins(0, 0, 0, 0);
    m_chipRow->setSpacing(6);
    m_savePrompt->setProperty("role", QStringLiteral("link"));
    m_savePrompt->setToolTip(tr("Save this instruction to reuse later"));
    m_savePrompt->setAccessibleDescription(m_savePrompt->toolTip());
    {
        m_clipboardBadge->setProperty("role", QStringLiteral("badge"));
        m_clipboardBadge->setAttribute(Qt::WA_StyledBackground);
        auto* badgeText = new QLabel(tr("From clipboard"), m_clipboardBadge);
        badgeText->setProperty("role", QStringLiteral("badgeText"));
        auto* badgeRow = new QHBoxLayout(m_clipboardBadge);
        badgeRow->setContentsMargins(6, 2, 8, 2);
        badgeRow->setSpacing(4);
        badgeRow->addWidget(m_clipboardIcon);
        badgeRow->addWidget(badgeText);
    }
    m_tone->setAccessibleName(tr("Tone"));
    m_context->setAccessibleName(tr("Context"));
    for (const Tone tone : EnumCases<Tone>::all) {
        m_tone->addItem(displayName(tone));
    }
    for (const AppContext context : EnumCases<AppContext>::all) {
        m_context->addItem(displayName(context));
    }
    m_tone->setToolTip(tr("Tone"));
    m_context->setToolTip(tr("Context"));
    m_run->setProperty("role", QStringLiteral("primary"));
    m_run->setDefault(false);

    QScrollArea* chipScroller = m_chipScroller;
    chipScroller->setObjectName(QStringLiteral("chipScroller"));
    chipScroller->setWidget(m_chips);
    chipScroller->setWidgetResizable(true);
    chipScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    chipScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chipScroller->setFrameShape(QFrame::NoFrame);
    chipScroller->setFixedHeight(34);
    chipScroller->setFocusPolicy(Qt::NoFocus);

    auto* heading = new QVBoxLayout(m_heading);
    heading->setContentsMargins(0, 0, 0, 0);
    heading->setSpacing(0);
    heading->addWidget(m_headingLead);
    heading->addWidget(m_headingAccent);

    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    saveRow->addWidget(m_savePrompt);

    auto* badgeRow = new QHBoxLayout;
    badgeRow->addWidget(m_clipboardBadge);
    badgeRow->addStretch(1);

    auto* toneLabel = new QLabel(tr("Tone"), this);
    auto* contextLabel = new QLabel(tr("Context"), this);
    toneLabel->setBuddy(m_tone);
    contextLabel->setBuddy(m_context);
    for (QLabel* label : {toneLabel, contextLabel}) {
        label->setProperty("role", QStringLiteral("pickerLabel"));
    }
    auto* actionRow = new QHBoxLayout;
    actionRow->setSpacing(6);
    actionRow->addWidget(toneLabel);
    actionRow->addWidget(m_tone);
    actionRow->addSpacing(6);
    actionRow->addWidget(contextLabel);
    actionRow->addWidget(m_context);
    actionRow->addStretch(1);
    actionRow->addWidget(m_run);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(m_heading);
    column->addSpacing(4);
    column->addWidget(m_receivedLabel);
    column->addWidget(m_received, 1);
    column->addWidget(m_instruction);
    column->addWidget(chipScroller);
    column->addLayout(saveRow);
    column->addWidget(m_intentLabel);
    column->addWidget(m_text, 2);
    column->addLayout(badgeRow);
    column->addLayout(actionRow);

    // Session → fields.
    connect(&m_session, &AppState::modeChanged, this, &EmptyStateView::applyMode);
    connect(&m_session, &AppState::textChanged, this, [this] {
        showText(m_text, m_session.text());
        refreshRunButton();
    });
    connect(&m_session, &AppState::replyReceivedChanged, this, [this] {
        showText(m_received, m_session.replyReceived());
        refreshRunButton();
    });
    connect(&m_session, &AppState::askInstructionChanged, this, [this] {
        if (m_instruction->text() != m_session.askInstruction()) {
            m_instruction->setText(m_session.askInstruction());
        }
        refreshSaveButton();
        refreshActiveChip();
        refreshRunButton();
    });
    connect(&m_session, &AppState::fromClipboardChanged, this,
            [this] { m_clipboardBadge->setVisible(m_session.fromClipboard()); });
    connect(&m_session, &AppState::toneChanged, this,
            [this] { m_tone->setCurrentIndex(static_cast<int>(m_session.tone())); });
    connect(&m_session, &AppState::contextChanged, this,
            [this] { m_context->setCurrentIndex(static_cast<int>(m_session.context())); });
    connect(&m_prompts, &PromptStore::changed, this, [this] {
        rebuildChips();
        refreshSaveButton();
    });

    // Fields → session.
    connect(m_text, &QPlainTextEdit::textChanged, this,
            [this] { m_session.setText(m_text->toPlainText()); });
    connect(m_received, &QPlainTextEdit::textChanged, this,
            [this] { m_session.setReplyReceived(m_received->toPlainText()); });
    connect(m_instruction, &QLineEdit::textEdited, this,
            [this](const QString& value) { m_session.setAskInstruction(value); });
    connect(m_tone, &QComboBox::activated, this, [this](int index) {
        m_session.setTone(EnumCases<Tone>::all[static_cast<std::size_t>(index)]);
    });
    connect(m_context, &QComboBox::activated, this, [this](int index) {
        m_session.setContext(EnumCases<AppContext>::all[static_cast<std::size_t>(index)]);
    });
    connect(m_savePrompt, &QPushButton::clicked, this,
            [this] { m_prompts.save(m_session.askInstruction()); });
    connect(m_run, &QPushButton::clicked, this, [this] { m_session.run(); });

    showText(m_text, m_session.text());
    showText(m_received, m_session.replyReceived());
    m_instruction->setText(m_session.askInstruction());
    m_tone->setCurrentIndex(static_cast<int>(m_session.tone()));
    m_context->setCurrentIndex(static_cast<int>(m_session.context()));
    m_clipboardBadge->setVisible(m_session.fromClipboard());
    applyMode();
}

QWidget* EmptyStateView::firstInput() const {
    switch (m_session.mode()) {
        case Mode::reply:
            return m_received;
        case Mode::ask:
            return m_instruction;
        default:
            return m_text;
    }
}

void EmptyStateView::applyMode() {
    const Mode mode = m_session.mode();
    const ModeTexts modeTexts = texts(mode);
    m_headingLead->setText(modeTexts.headingLead);
    m_headingAccent->setText(modeTexts.headingAccent);
    accessible::setHeading(m_heading,
                           modeTexts.headingLead + QLatin1Char(' ') + modeTexts.headingAccent);
    m_run->setText(modeTexts.button);
    m_run->setAccessibleName(modeTexts.button);
    m_text->setPlaceholderText(modeTexts.placeholder);
    m_text->setAccessibleName(mode == Mode::reply ? tr("YOUR INTENT  (OPTIONAL)") : tr("Text"));
    m_text->setAccessibleDescription(modeTexts.placeholder);

    const bool reply = mode == Mode::reply;
    const bool ask = mode == Mode::ask;
    m_receivedLabel->setVisible(reply);
    m_received->setVisible(reply);
    m_intentLabel->setVisible(reply);
    m_instruction->setVisible(ask);
    m_chipScroller->setVisible(ask && !m_prompts.items().isEmpty());
    if (ask) {
        nextInstructionExample();
        rebuildChips();
    }
    refreshSaveButton();
    refreshRunButton();
    refreshIcons();
}

void EmptyStateView::nextInstructionExample() {
    m_instruction->setPlaceholderText(
        tr(kInstructionExamples[static_cast<std::size_t>(m_exampleIndex)]));
    m_instruction->setAccessibleDescription(m_instruction->placeholderText());
    m_exampleIndex = (m_exampleIndex + 1) % static_cast<int>(kInstructionExamples.size());
}

void EmptyStateView::rebuildChips() {
    while (QLayoutItem* item = m_chipRow->takeAt(0)) {
        // Later: the chip being deleted may be the one whose button is still in its click.
        if (QWidget* chip = item->widget()) {
            chip->hide();
            chip->setParent(nullptr);
            chip->deleteLater();
        }
        delete item;
    }
    const QString active = m_session.askInstruction().trimmed();
    const QList<CustomPrompt> prompts = m_prompts.items();
    for (const CustomPrompt& prompt : prompts) {
        auto* chip = new SavedPromptChip(prompt, prompt.instruction == active, m_chips);
        connect(chip, &SavedPromptChip::tapped, this, [this](const CustomPrompt& chosen) {
            m_session.setAskInstruction(chosen.instruction);
            m_text->setFocus();
        });
        connect(chip, &SavedPromptChip::deleteRequested, this,
                [this](const CustomPrompt& chosen) { m_prompts.remove(chosen.id); });
        m_chipRow->addWidget(chip);
        chip->show();
    }
    m_chipRow->addStretch(1);
    m_chipScroller->setVisible(m_session.mode() == Mode::ask && !prompts.isEmpty());
}

void EmptyStateView::refreshActiveChip() {
    const QString active = m_session.askInstruction().trimmed();
    for (SavedPromptChip* chip : m_chips->findChildren<SavedPromptChip*>()) {
        const bool isActive = chip->prompt().instruction == active;
        if (chip->property("active").toBool() != isActive) {
            chip->setProperty("active", isActive);
            chip->style()->unpolish(chip);
            chip->style()->polish(chip);
        }
    }
}

void EmptyStateView::refreshSaveButton() {
    const QString instruction = m_session.askInstruction().trimmed();
    const bool saved = !instruction.isEmpty() && m_prompts.isSaved(instruction);
    m_savePrompt->setVisible(m_session.mode() == Mode::ask && !instruction.isEmpty());
    //: Shown instead of "Save prompt" once the instruction is saved.
    m_savePrompt->setText(saved ? tr("Saved") : tr("Save prompt"));
    m_savePrompt->setAccessibleName(m_savePrompt->text());
    m_savePrompt->setIcon(icons::symbol(
        saved ? QStringLiteral("checkmark") : QStringLiteral("plus"), Palette::current().cyan));
}

void EmptyStateView::refreshRunButton() {
    const QString& input =
        m_session.mode() == Mode::reply ? m_session.replyReceived() : m_session.text();
    bool ready = !input.trimmed().isEmpty();
    if (m_session.mode() == Mode::ask) {
        ready = ready && !m_session.askInstruction().trimmed().isEmpty();
    }
    m_run->setEnabled(ready);
}

void EmptyStateView::refreshIcons() {
    const Palette& palette = Palette::current();
    m_run->setIcon(icons::symbol(symbolName(m_session.mode()), palette.ctaText));
    m_clipboardIcon->setPixmap(
        icons::symbol(QStringLiteral("sparkle"), palette.cyan).pixmap(11, 11));
    refreshSaveButton();
}

void EmptyStateView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) {
        refreshIcons();
    }
    QWidget::changeEvent(event);
}

}  // namespace ts
