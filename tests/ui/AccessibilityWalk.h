#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QWidget>

namespace ts::test {

// What a screen reader finds showing in this process (see accessible_names.py).
inline QJsonArray accessibilityNodes() {
    QProcess walker;
    walker.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(TS_ACCESSIBLE_NAMES_SCRIPT),
                  QString::number(QCoreApplication::applicationPid())});
    // The walk queries this process, so its event loop must keep running meanwhile.
    EXPECT_TRUE(QTest::qWaitFor([&] { return walker.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(walker.exitCode(), 0) << walker.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(walker.readAllStandardOutput()).array();
}

// Every name and text a screen reader finds showing in this process.
inline QSet<QString> screenReaderSees() {
    QSet<QString> seen;
    for (const QJsonValue& node : accessibilityNodes()) {
        seen.insert(node[QStringLiteral("name")].toString());
        seen.insert(node[QStringLiteral("text")].toString());
    }
    return seen;
}

// A control as a screen reader should meet it: its visible label as its name, and its role.
struct Control {
    QString name;
    QString role;
    bool tabStop = true;  // reached with Tab
};

// The names of the widgets Tab visits, once round the window from its focused widget.
inline QSet<QString> tabStops(QWidget& window) {
    QSet<QString> names;
    QWidget* first = nullptr;
    for (int i = 0; i < 200; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            focus = &window;
        }
        if (focus == first) {
            break;
        }
        if (first == nullptr) {
            first = focus;
        }
        QString name = focus->accessibleName();
        if (auto* button = qobject_cast<QAbstractButton*>(focus); button && name.isEmpty()) {
            name = button->text();
        }
        names.insert(name);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return names;
}

// Every listed control is found by its name with its role and, when it is one, as a Tab stop;
// no control of the window is unnamed or of a role a screen reader cannot use as a control;
// every button's name is its visible text; the window itself is a frame.
inline void expectControls(QWidget& window, const QList<Control>& controls) {
    static const QSet<QString> allowed{
        "push button",   "toggle button", "check box", "radio button", "combo box", "text",
        "password text", "list",          "page tab",  "heading",      "alert"};
    static const QSet<QString> controlRoles{
        "push button", "toggle button", "check box",  "radio button", "combo box",
        "text",        "password text", "entry",      "spin button",  "slider",
        "page tab",    "list",          "scroll pane"};
    QMultiHash<QString, QString> roles;
    for (const QJsonValue& node : accessibilityNodes()) {
        const QString role = node["role"].toString();
        const QString name = node["name"].toString();
        roles.insert(name, role);
        if (controlRoles.contains(role)) {
            EXPECT_FALSE(name.isEmpty())
                << "unnamed " << qPrintable(role) << " " << qPrintable(node["text"].toString());
            EXPECT_TRUE(allowed.contains(role)) << qPrintable(name) << ": " << qPrintable(role);
        }
    }
    EXPECT_TRUE(roles.values(window.windowTitle()).contains("frame"))
        << qPrintable(roles.values(window.windowTitle()).join(','));
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window) && !button->text().isEmpty() &&
            !button->accessibleName().isEmpty()) {
            EXPECT_EQ(button->accessibleName(), QString(button->text()).remove(u'&'));
        }
    }
    const QSet<QString> stops = tabStops(window);
    for (const Control& control : controls) {
        EXPECT_TRUE(roles.values(control.name).contains(control.role))
            << qPrintable(control.name) << " is "
            << qPrintable(roles.values(control.name).join(',')) << ", not "
            << qPrintable(control.role);
        if (control.tabStop) {
            EXPECT_TRUE(stops.contains(control.name)) << qPrintable(control.name) << " not in Tab";
        }
    }
}

}  // namespace ts::test
