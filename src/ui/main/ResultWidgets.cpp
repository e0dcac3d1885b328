#include "ui/main/ResultWidgets.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "ui/AccessibleRoles.h"
#include "ui/main/RatingButtons.h"

namespace ts {

namespace {

class EnterActivates final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button == nullptr || (key != Qt::Key_Return && key != Qt::Key_Enter)) {
            return false;
        }
        button->click();
        return true;
    }
};

}  // namespace

void activateOnEnter(QAbstractButton* button) {
    button->installEventFilter(new EnterActivates(button));
}

QLabel* makeLabel(const QString& text, const char* role, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QString::fromLatin1(role));
    return label;
}

QPushButton* makeButton(const QString& text, const char* role, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setProperty("role", QString::fromLatin1(role));
    button->setCursor(Qt::PointingHandCursor);
    activateOnEnter(button);
    return button;
}

QScrollArea* makeScrollArea(QWidget* content, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("resultScroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    // The text views inside take Tab; the area itself needs no focus stop.
    area->setFocusPolicy(Qt::NoFocus);
    content->setObjectName(QStringLiteral("resultContent"));
    area->setWidget(content);
    return area;
}

ResultHeading::ResultHeading(QWidget* parent)
    : QWidget(parent),
      m_lead(makeLabel({}, "headingLead", this)),
      m_accent(makeLabel({}, "headingAccent", this)),
      m_rating(new RatingButtons(this)) {
    auto* words = new QWidget(this);
    m_lead->setParent(words);
    m_accent->setParent(words);
    auto* pair = new QHBoxLayout(words);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->setSpacing(6);
    pair->addWidget(m_lead);
    pair->addWidget(m_accent);
    m_words = words;
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(words);
    row->addStretch(1);
    row->addWidget(m_rating);
}

void ResultHeading::setTexts(const QString& lead, const QString& accent) {
    m_lead->setText(lead);
    m_accent->setText(accent);
    accessible::setHeading(m_words, lead + QLatin1Char(' ') + accent);
}

}  // namespace ts
