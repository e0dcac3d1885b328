// What a keyboard and screen-reader user meets in the main window.
#include "MainWindowFixture.h"

using namespace ts;
using namespace ts::test;

TEST_F(MainWindowTest, ScreenReaderFindsTheControlsOfEveryPhase) {
    const auto expectSeen = [](const QSet<QString>& seen, const QStringList& names) {
        for (const QString& name : names) {
            EXPECT_TRUE(seen.contains(name)) << qPrintable(name) << " not in "
                                             << qPrintable(QStringList(seen.values()).join('|'));
        }
    };
    expectSeen(screenReaderSees(),
               {"Rewrite", "Proofread", "Reply", "Custom", "Tone", "Review", "Text", "Context",
                "History", "Settings", "Let's make it sharper."});

    server.on("POST", "/v1/chat/completions",
              ScriptedResponse::eventStream(sseBody({chunk("Could you")}))
                  .withEnding(ScriptedResponse::Ending::stall));
    type("Text", "send it");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !session.streamingImproved().isEmpty(); }));
    expectSeen(screenReaderSees(), {"Reviewing", "IMPROVED", "Cancel", "esc to cancel"});
    key(Qt::Key_Escape);

    server.on("POST", "/v1/chat/completions",
              streamed("Could you send it?\n<<<WHYS>>>\n- clarity: Direct ask"));
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    ToastPresenter::shared().show("Rewrote in Mousepad. Ctrl+Z to undo.", ToastKind::success,
                                  std::chrono::seconds(30));
    expectSeen(screenReaderSees(),
               {"Copy Improved", "SHOW CHANGES", "Regenerate", "Back to edit", "Shorter", "Longer",
                "Simpler", "Casual", "Formal", "Friendlier", "Like", "Dislike",
                "Could you send it?", "Direct ask", "Rewrote in Mousepad. Ctrl+Z to undo."});
    ToastPresenter::shared().hide();
}

// Each phase's controls as a screen reader meets them: named by their labels, of their role,
// reached with Tab; the segments one radio group whose Tab stop is the chosen mode.
TEST_F(MainWindowTest, ControlsAreNamedReachableAndOfTheirRole) {
    key(Qt::Key_2, Qt::ControlModifier);
    type("Text", "Their going home tomorow");
    expectControls(window, {{"Proofread", "radio button"},
                            {"Rewrite", "radio button", false},
                            {"Tone", "radio button", false},
                            {"Fix grammar, keep voice.", "heading", false},
                            {"Text", "text"},
                            {"Tone", "combo box"},
                            {"Context", "combo box"},
                            {"Proofread", "push button"},
                            {"History", "push button"},
                            {"Keyboard Shortcuts", "push button"},
                            {"Settings", "push button"}});
    // Arrows move the choice within the group.
    named<QAbstractButton>(window, "Proofread")->setFocus();
    key(Qt::Key_Right);
    EXPECT_EQ(session.mode(), Mode::reply);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), "Reply");
    key(Qt::Key_Left);
    EXPECT_EQ(session.mode(), Mode::proofread);

    server.on("POST", "/v1/chat/completions", streamed("They're going home tomorrow"));
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    // The view is built a turn later, and takes the focus then.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return QApplication::focusWidget() &&
               QApplication::focusWidget()->accessibleName() == "CORRECTED";
    })) << window.isActiveWindow();
    button(window, "SHOW CHANGES")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button(window, "Undo all") != nullptr; }));
    // One of the two changes dropped, so that both Keep all and Undo all are enabled.
    button(window, "Their → They're")->click();
    expectControls(window, {{"Proofread: Clean", "heading", false},
                            {"CORRECTED", "label"},  // read-only text
                            {"HIDE CHANGES", "push button"},
                            {"Keep all", "push button"},
                            {"Undo all", "push button"},
                            {"Like", "check box"},  // a toggle
                            {"Shorter", "push button"},
                            {"Back to edit", "push button"},
                            {"Regenerate", "push button"},
                            {"Copy Corrected", "push button"}});
}

// The error banner and the toast are alerts a screen reader is told about when they appear or
// change, with their text as the name.
TEST_F(MainWindowTest, ErrorsAndToastsAreAnnouncedAsAlerts) {
    QProcess listener;
    listener.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(TS_ACCESSIBLE_EVENTS_SCRIPT),
                    QString::number(QCoreApplication::applicationPid()), QStringLiteral("60")});
    QByteArray heard;
    const auto hears = [&](const QString& name) {
        return QTest::qWaitFor(
            [&] {
                heard += listener.readAllStandardOutput();
                return heard.contains(name.toUtf8());
            },
            20000);
    };
    ASSERT_TRUE(hears("ready")) << listener.readAllStandardError().toStdString();

    keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai));
    type("Text", "hello there");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::error));
    EXPECT_TRUE(hears("Setup needed: API key is missing. Open Settings and add one."));

    ToastPresenter::shared().show("Rewriting…", ToastKind::info);
    EXPECT_TRUE(hears("Rewriting…"));
    ToastPresenter::shared().show("Rewrote in Mousepad. Ctrl+Z to undo.", ToastKind::success,
                                  std::chrono::seconds(30));
    EXPECT_TRUE(hears("Rewrote in Mousepad. Ctrl+Z to undo."));
    ToastPresenter::shared().hide();
    listener.kill();
    listener.waitForFinished();
}

// Each overlay takes the focus on its first control, keeps Tab and typing inside, closes with
// Esc and gives the focus back to the button that opened it.
TEST_F(MainWindowTest, OverlaysHoldTheFocusUntilTheyClose) {
    history.add(HistoryItem{QUuid::createUuid(), QDateTime::currentDateTimeUtc(),
                            "An earlier text whose first line runs on for longer than a row holds",
                            Review{"Better", {}}, Tone::professional, AppContext::email,
                            ProviderKind::openai, "gpt-4o-mini", std::nullopt, Mode::rewrite});
    type("Text", "draft");
    const struct {
        QString opener;
        const char* firstItem;  // class of the control that takes the focus
    } rows[] = {{"History", "QListWidget"}, {"Keyboard Shortcuts", "QToolButton"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.opener.toStdString());
        auto* opener = named<QAbstractButton>(window, row.opener);
        opener->setFocus();
        key(Qt::Key_Space);
        QWidget* first = QApplication::focusWidget();
        ASSERT_NE(first, opener);
        EXPECT_TRUE(first->inherits(row.firstItem)) << first->metaObject()->className();
        QWidget* overlay = first->parentWidget();
        for (const QString scheme : {"light", "dark"}) {
            Palette::setAppearanceSource([scheme] { return scheme; });
            qApp->setStyleSheet(windowStyleSheet(Palette::current()));
            QTest::qWait(50);
            window.grab().save(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/screenshots/main-overlay-%1-%2.png")
                                   .arg(row.opener.section(' ', -1).toLower(), scheme));
        }
        Palette::setAppearanceSource({});
        for (int i = 0; i < 4; ++i) {
            key(Qt::Key_Tab);
            EXPECT_TRUE(overlay->isAncestorOf(QApplication::focusWidget()));
        }
        key(Qt::Key_X);
        EXPECT_EQ(session.text(), "draft");
        key(Qt::Key_Escape);
        EXPECT_FALSE(overlay->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), opener);
        EXPECT_EQ(session.phase().kind, AppState::Phase::idle);
    }
}

// While a request runs the view names what is being written, and which adjustment.
