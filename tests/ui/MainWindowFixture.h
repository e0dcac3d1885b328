#pragma once

// The main window over a loopback model server, shared by the window's test files.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "AccessibilityWalk.h"
#include "LoopbackModelServer.h"
#include "WidgetLookup.h"
#include "desktop/SessionClipboard.h"
#include "desktop/platform/x11/X11Clipboard.h"
#include "session/AppEvents.h"
#include "session/AppState.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/PromptStore.h"
#include "store/SettingsStore.h"
#include "ui/main/ErrorBannerView.h"
#include "ui/main/MainWindow.h"
#include "ui/theme/Palette.h"
#include "ui/theme/StyleSheet.h"
#include "ui/theme/ThemeController.h"
#include "ui/toast/ToastPresenter.h"

namespace ts::test {

// Set before the test's main creates the application, so its windows join the accessibility
// bus that scripts/test-env.sh starts.
inline const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

inline QByteArray chunk(const QString& text) {
    QJsonObject delta{{"content", text}};
    QJsonObject choice{{"index", 0}, {"delta", delta}};
    return QJsonDocument(QJsonObject{{"choices", QJsonArray{choice}}})
        .toJson(QJsonDocument::Compact);
}

// The answer of a chat-completions stream, one piece per word.
inline ScriptedResponse streamed(const QString& answer, int delayMs = 0) {
    QList<QByteArray> payloads;
    for (const QString& word : answer.split(QLatin1Char(' '))) {
        payloads << chunk(payloads.isEmpty() ? word : QLatin1Char(' ') + word);
    }
    payloads << "[DONE]";
    ScriptedResponse response = ScriptedResponse::eventStream(sseBody(payloads));
    if (delayMs > 0) {
        response.splitEvery(40, delayMs);
    }
    return response;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        settings.setOpenaiBaseURL(server.url("/v1").toString());
        keys.saveAPIKey("sk-loopback", apiKeyAccount(ProviderKind::openai));
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
    }
    void type(const QString& field, const QString& text) {
        QWidget* input = named<QWidget>(window, field);
        ASSERT_NE(input, nullptr) << qPrintable(field);
        input->setFocus();
        QTest::keyClicks(input, text);
    }
    bool waitForPhase(AppState::Phase::Kind kind) {
        return QTest::qWaitFor([&] { return session.phase().kind == kind; }, 15000);
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    PromptStore prompts{dir.filePath("prompts.json")};
    MemoryKeyStore keys;
    LoopbackModelServer server;
    X11Clipboard clipboard;
    SessionClipboard sessionClipboard{clipboard};
    AppState session{AppState::Services{
        RequestServices{settings, keys, [this]() -> HistoryStore& { return history; }},
        sessionClipboard}};
    MainWindow window{MainWindow::Services{session, prompts}};
};

}  // namespace ts::test
