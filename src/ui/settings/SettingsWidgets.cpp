#include "ui/settings/SettingsWidgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"

namespace ts::settings {

QVBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);
    return layout;
}

QLabel* label(const QString& text, const char* role, QWidget* parent) {
    auto* out = new QLabel(text, parent);
    out->setProperty("role", QString::fromLatin1(role));
    // Captions stay on one line; sentences wrap.
    out->setWordWrap(qstrcmp(role, "fieldLabel") != 0);
    out->setTextFormat(Qt::PlainText);
    return out;
}

QLabel* title(const QString& text, QWidget* parent) {
    return label(text, "title", parent);
}

QLabel* line(const QString& text, QWidget* parent) {
    return label(text, "line", parent);
}

QCheckBox* toggle(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setProperty("role", QStringLiteral("switch"));
    box->setAccessibleName(text);
    return box;
}

QPushButton* button(const QString& text, QWidget* parent, const QString& symbol) {
    auto* out = new QPushButton(text, parent);
    out->setProperty("role", QStringLiteral("secondary"));
    out->setAccessibleName(text);
    out->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    if (!symbol.isEmpty()) {
        setSymbol(out, symbol);
    }
    return out;
}

QToolButton* iconButton(const QString& symbol, const QString& tooltip, QWidget* parent) {
    auto* out = new QToolButton(parent);
    out->setProperty("role", QStringLiteral("toolbar"));
    setSymbol(out, symbol);
    out->setIconSize(QSize(16, 16));
    out->setToolTip(tooltip);
    out->setAccessibleName(tooltip);
    out->setFocusPolicy(Qt::StrongFocus);
    return out;
}

QLineEdit* field(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setProperty("role", QStringLiteral("field"));
    edit->setAccessibleName(name);
    return edit;
}

QVBoxLayout* labelled(const QString& name, QWidget* fieldWidget, QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    QLabel* caption = label(name, "fieldLabel", parent);
    caption->setBuddy(fieldWidget);
    column->addWidget(caption);
    // Pickers keep their own width; text fields take the row.
    column->addWidget(fieldWidget, 0,
                      qobject_cast<QLineEdit*>(fieldWidget) ? Qt::Alignment() : Qt::AlignLeft);
    return column;
}

namespace {

QColor tintColour(const QString& tint) {
    const Palette& palette = Palette::current();
    if (tint == QLatin1String("textDimmer")) {
        return palette.textDimmer;
    }
    if (tint == QLatin1String("green")) {
        return palette.green;
    }
    if (tint == QLatin1String("red")) {
        return palette.red;
    }
    return palette.text;
}

}  // namespace

void setSymbol(QAbstractButton* button, const QString& symbol) {
    button->setProperty("symbol", symbol);
    button->setIcon(icons::symbol(symbol, tintColour({})));
}

void setSymbol(QLabel* label, const QString& symbol, int size, const QString& tint) {
    label->setProperty("symbol", symbol);
    label->setProperty("symbolSize", size);
    label->setProperty("tint", tint);
    label->setPixmap(icons::symbol(symbol, tintColour(tint)).pixmap(size, size));
}

void retint(QWidget* root) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (const QString symbol = button->property("symbol").toString(); !symbol.isEmpty()) {
            setSymbol(button, symbol);
        }
    }
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (const QString symbol = label->property("symbol").toString(); !symbol.isEmpty()) {
            setSymbol(label, symbol, label->property("symbolSize").toInt(),
                      label->property("tint").toString());
        }
    }
}

void setTone(QLabel* label, const QString& tone) {
    label->setProperty("tone", tone);
    label->style()->unpolish(label);
    label->style()->polish(label);
}

void showOutcome(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
    setTone(label, text.startsWith(QLatin1String("Error")) ? QStringLiteral("error")
                                                           : QStringLiteral("success"));
}

}  // namespace ts::settings
