#include "MainWindowFixture.h"

using namespace ts;
using namespace ts::test;

struct ModeCase {
    const char* name;
    int digit;  // Ctrl+digit selects the mode
    Mode mode;
    QList<std::pair<QString, QString>> fields;  // accessible name, typed text
    QString sentText;                           // what the request must carry
    QString resultLabel;                        // shown once the answer is in
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.name;
}

class MainWindowModes : public MainWindowTest, public ::testing::WithParamInterface<ModeCase> {};

// Each editor runs its own request through the real provider protocol and shows its result.
TEST_P(MainWindowModes, EditorRunsItsRequestAndShowsTheResult) {
    const ModeCase& c = GetParam();
    server.on("POST", "/v1/chat/completions",
              streamed("Thanks, see you Thursday.\n<<<WHYS>>>\n- clarity: Shorter"));
    key(Qt::Key_0 + c.digit, Qt::ControlModifier);
    ASSERT_EQ(session.mode(), c.mode);
    for (const auto& [field, text] : c.fields) {
        type(field, text);
    }
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result)) << session.phase().message.toStdString();
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(QString::fromUtf8(server.requests()[0].body).contains(c.sentText));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mentions(window, c.resultLabel); }, 2000))
        << qPrintable(c.resultLabel);
    EXPECT_EQ(history.items().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    , MainWindowModes,
    ::testing::Values(
        ModeCase{"rewrite",
                 1,
                 Mode::rewrite,
                 {{"Text", "so can u send it"}},
                 "so can u send it",
                 "Copy Improved"},
        ModeCase{
            "proofread", 2, Mode::proofread, {{"Text", "teh plan"}}, "teh plan", "Copy Corrected"},
        ModeCase{"reply",
                 3,
                 Mode::reply,
                 {{"MESSAGE RECEIVED", "Lunch Thursday?"}, {"YOUR INTENT  (OPTIONAL)", "yes"}},
                 "Lunch Thursday?",
                 "Copy Reply"},
        ModeCase{"ask",
                 4,
                 Mode::ask,
                 {{"Instruction", "Make it a haiku"}, {"Text", "the sea is wide"}},
                 "Make it a haiku",
                 "Copy Result"},
        ModeCase{"tone",
                 5,
                 Mode::toneCheck,
                 {{"Text", "Per my last email"}},
                 "Per my last email",
                 "YOUR TEXT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, KeyboardCommandsFollowThePhase) {
    // Esc during a request cancels it and keeps the inputs; no history record is left.
    server.on("POST", "/v1/chat/completions", ScriptedResponse::stalled());
    type("Text", "keep me");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::reviewing));
    EXPECT_NE(button(window, "Cancel"), nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(session.phase().kind, AppState::Phase::idle);
    EXPECT_EQ(named<QPlainTextEdit>(window, "Text")->toPlainText(), "keep me");
    EXPECT_TRUE(history.items().isEmpty());

    // In a result Ctrl+3 does nothing; Esc goes back to the editor.
    server.on("POST", "/v1/chat/completions", streamed("Keep me, please."));
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(session.mode(), Mode::rewrite);
    key(Qt::Key_Escape);
    EXPECT_EQ(session.phase().kind, AppState::Phase::idle);

    // Reply looks at the received message, not at the intent (which holds "keep me" now).
    key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(session.mode(), Mode::reply);
    type("MESSAGE RECEIVED", "   ");
    const qsizetype sent = server.requests().size();
    key(Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(100);
    EXPECT_EQ(session.phase().kind, AppState::Phase::idle);
    EXPECT_EQ(server.requests().size(), sent);

    // Esc in the editor asks the shell to close the window.
    QSignalSpy dismiss(&AppEvents::shared(), &AppEvents::dismissPopover);
    key(Qt::Key_Escape);
    EXPECT_EQ(dismiss.size(), 1);
}

// Where the focus lands after each phase change, and what Ctrl+Return does there.
TEST_F(MainWindowTest, FocusFollowsThePhaseAndCtrlReturnOnlyRunsAnEditor) {
    const auto focused = [] {
        QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget->accessibleName() : QString("<none>");
    };
    server.on("POST", "/v1/chat/completions", streamed("Could you send it today?"));
    type("Text", "send it");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    EXPECT_TRUE(QTest::qWaitFor([&] { return focused() == "IMPROVED"; }, 2000))
        << qPrintable(focused());
    key(Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(100);
    EXPECT_EQ(session.phase().kind, AppState::Phase::result);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(session.currentRating(), std::nullopt);

    key(Qt::Key_Escape);
    EXPECT_EQ(focused(), "Text");
    keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai));
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::error));
    EXPECT_EQ(focused(), "Open Settings");

    // In the error phase Ctrl+Return runs what the editor shows.
    keys.saveAPIKey("sk-loopback", apiKeyAccount(ProviderKind::openai));
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(MainWindowTest, CopyPutsTheAnswerOnTheClipboardAndDismissesAfterAPause) {
    server.on("POST", "/v1/chat/completions", streamed("Could you send it today?"));
    type("Text", "send it");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    QSignalSpy dismiss(&AppEvents::shared(), &AppEvents::dismissPopover);
    QElapsedTimer clock;
    clock.start();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return clipboard.text() == std::optional<QString>("Could you send it today?"); }));
    EXPECT_TRUE(mentions(window, "Copied"));
    ASSERT_TRUE(dismiss.wait(3000));
    EXPECT_GE(clock.elapsed(), 400);
}

TEST_F(MainWindowTest, MissingKeyAsksForSetupAndHistoryRestores) {
    server.on("POST", "/v1/chat/completions", streamed("A first draft."));
    type("Text", "first draft");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    key(Qt::Key_N, Qt::ControlModifier);

    keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai));
    key(Qt::Key_A, Qt::ControlModifier);
    type("Text", "hello there, friend");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::error));
    EXPECT_TRUE(mentions(window, "Setup needed"));
    QSignalSpy settingsOpened(&window, &MainWindow::keySetupRequested);
    QAbstractButton* openSettings = button(window, "Open Settings");
    ASSERT_NE(openSettings, nullptr);
    openSettings->click();
    EXPECT_EQ(settingsOpened.size(), 1);

    // Retry runs what the editor holds now, not an earlier request's text.
    keys.saveAPIKey("sk-loopback", apiKeyAccount(ProviderKind::openai));
    server.on("POST", "/v1/chat/completions", streamed("Hello there, friend."));
    button(window, "Retry")->click();
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    EXPECT_EQ(session.lastOriginal(), "hello there, friend");
    key(Qt::Key_N, Qt::ControlModifier);
    type("Text", " again");

    named<QAbstractButton>(window, "History")->click();
    auto* list = named<QListWidget>(window, "History");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->text().startsWith("Rewrite · hello there, friend · just now"));
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(session.phase().kind, AppState::Phase::result);
    EXPECT_EQ(session.lastReview()->improved, "Hello there, friend.");
    EXPECT_FALSE(list->isVisible());
}

// Every phase in both schemes, saved for review under the build tree; distinct and non-empty.
TEST_F(MainWindowTest, ScreenshotsOfEveryPhaseInLightAndDark) {
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    QDir().mkpath(folder);
    QSet<QByteArray> seen;
    const auto shoot = [&](const QString& state, const QString& scheme) {
        QTest::qWait(50);
        const QImage image = window.grab().toImage();
        EXPECT_FALSE(image.isNull());
        const QString path = QStringLiteral("%1/main-%2-%3.png").arg(folder, state, scheme);
        EXPECT_TRUE(image.save(path)) << qPrintable(path);
        seen.insert(QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()),
            QCryptographicHash::Sha1));
    };
    int shots = 0;
    for (const QString& scheme : {QStringLiteral("light"), QStringLiteral("dark")}) {
        Palette::setAppearanceSource([scheme] { return scheme; });
        qApp->setStyleSheet(windowStyleSheet(Palette::current()));
        session.reset();
        session.setMode(Mode::rewrite);
        const char* modes[] = {"rewrite", "proofread", "reply", "ask", "tone"};
        for (int i = 0; i < 5; ++i) {
            key(Qt::Key_1 + i, Qt::ControlModifier);
            shoot(QStringLiteral("idle-%1").arg(modes[i]), scheme);
        }
        key(Qt::Key_1, Qt::ControlModifier);
        session.setText("so could you maybe send me the numbers by friday if its not to much");
        server.on("POST", "/v1/chat/completions",
                  streamed("Could you send me the numbers by Friday, if it's not too much "
                           "trouble?\n<<<WHYS>>>\n- clarity: Direct ask\n- tone: Polite close",
                           150));
        key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !session.streamingImproved().isEmpty(); }));
        shoot("reviewing", scheme);
        ASSERT_TRUE(waitForPhase(AppState::Phase::result));
        QTest::qWait(50);  // the result view settles on the new answer
        button(window, "SHOW CHANGES")->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return button(window, "HIDE CHANGES") != nullptr; }));
        // One change dropped, so both states show.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return session.keptText() || mentions(window, "changes kept"); }));
        for (QAbstractButton* toggle : window.findChildren<QAbstractButton*>()) {
            if (toggle->isCheckable() && toggle->isChecked() && toggle->isVisibleTo(&window) &&
                toggle->text().contains(QStringLiteral("→"))) {
                toggle->click();
                break;
            }
        }
        shoot("result-changes", scheme);
        key(Qt::Key_Escape);
        keys.deleteAPIKey(apiKeyAccount(ProviderKind::openai));
        key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(waitForPhase(AppState::Phase::error));
        shoot("error", scheme);
        keys.saveAPIKey("sk-loopback", apiKeyAccount(ProviderKind::openai));
        key(Qt::Key_Escape);
        key(Qt::Key_5, Qt::ControlModifier);
        server.on("POST", "/v1/chat/completions",
                  streamed("Reads as curt.\n<<<WHYS>>>\n- tone: Passive-aggressive opener"));
        key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(waitForPhase(AppState::Phase::result));
        shoot("tone", scheme);
        key(Qt::Key_Escape);
        shots += 9;
    }
    Palette::setAppearanceSource({});
    EXPECT_EQ(seen.size(), shots);
}

TEST_F(MainWindowTest, LoadingViewNamesTheAnswerAndTheAdjustment) {
    const struct {
        int digit;
        QString field, text;
        QString section;
        bool answerBox;  // a tone check writes no answer, only observations
    } rows[] = {
        {3, "MESSAGE RECEIVED", "Lunch Thursday?", "DRAFTED REPLY", true},
        {5, "Text", "Per my last email", "OBSERVATIONS", false},
        {2, "Text", "teh plan", "CORRECTED", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.section.toStdString());
        server.on("POST", "/v1/chat/completions", ScriptedResponse::stalled());
        key(Qt::Key_0 + row.digit, Qt::ControlModifier);
        type(row.field, row.text);
        key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(waitForPhase(AppState::Phase::reviewing));
        EXPECT_TRUE(mentions(window, "Reviewing"));
        EXPECT_EQ(named<QPlainTextEdit>(window, row.section) != nullptr, row.answerBox);
        EXPECT_FALSE(mentions(window, "IMPROVED"));
        key(Qt::Key_Escape);
        session.reset();
    }
    server.on("POST", "/v1/chat/completions", streamed("Send it."));
    type("Text", "Could you please send it over");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    server.on("POST", "/v1/chat/completions", ScriptedResponse::stalled());
    session.adjust(Adjustment::shorter);
    ASSERT_TRUE(waitForPhase(AppState::Phase::reviewing));
    EXPECT_TRUE(mentions(window, "Reviewing \u00b7 Shorter"));
    key(Qt::Key_Escape);
}

TEST_F(MainWindowTest, AppearanceSettingRepaintsTheOpenWindow) {
    ThemeController theme(settings);
    const auto backgroundLightness = [&] {
        QTest::qWait(20);
        return window.grab().toImage().pixelColor(4, window.height() / 2).lightness();
    };
    settings.setAppearance("light");
    EXPECT_GT(backgroundLightness(), 160);
    settings.setAppearance("dark");
    EXPECT_LT(backgroundLightness(), 96);
    Palette::setAppearanceSource({});
}

TEST_F(MainWindowTest, SavedPromptsBecomeChipsThatFillTheInstruction) {
    key(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(button(window, "Save prompt"), nullptr);  // nothing to save yet
    type("Instruction", "Summarize in 3 bullets");
    ASSERT_NE(button(window, "Save prompt"), nullptr);
    button(window, "Save prompt")->click();
    ASSERT_EQ(prompts.items().size(), 1);
    EXPECT_NE(button(window, "Saved"), nullptr);
    const QString chipName = prompts.items().first().name;

    key(Qt::Key_A, Qt::ControlModifier);
    type("Instruction", "Something else");
    EXPECT_NE(button(window, "Save prompt"), nullptr);
    ASSERT_NE(button(window, chipName), nullptr);
    button(window, chipName)->click();
    EXPECT_EQ(session.askInstruction(), "Summarize in 3 bullets");
    EXPECT_EQ(named<QLineEdit>(window, "Instruction")->text(), "Summarize in 3 bullets");

    named<QAbstractButton>(window, "Delete Prompt")->click();
    EXPECT_TRUE(prompts.items().isEmpty());
    EXPECT_EQ(button(window, chipName), nullptr);
}

// Each change of the diff is kept or dropped on its own, by click or by keyboard; copy takes
// exactly the kept ones, and a screen reader reads every change as a toggle with its state.
TEST_F(MainWindowTest, ChangesAreKeptOrDroppedOneByOne) {
    server.on("POST", "/v1/chat/completions", streamed("I am sending it by Thursday"));
    type("Text", "I am really sending it now");
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitForPhase(AppState::Phase::result));
    QTest::qWait(50);  // the result view settles on the new answer
    button(window, "SHOW CHANGES")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button(window, "Removed: really") != nullptr; }));
    EXPECT_TRUE(mentions(window, "2 of 2 changes kept"));

    button(window, "Removed: really")->click();
    QAbstractButton* second = button(window, "now → by Thursday");
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_TRUE(mentions(window, "0 of 2 changes kept"));
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_TRUE(mentions(window, "1 of 2 changes kept"));

    QJsonObject toggle;
    for (const QJsonValue& node : accessibilityNodes()) {
        if (node["name"].toString() == "Removed: really") {
            toggle = node.toObject();
        }
    }
    // Qt gives a checkable button the check-box role: a toggle with its state.
    EXPECT_EQ(toggle["role"].toString(), "check box");
    EXPECT_FALSE(toggle["checked"].toBool());

    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return clipboard.text() == std::optional<QString>("I am really sending it by Thursday");
    }));
    EXPECT_EQ(history.items().first().review.improved, "I am sending it by Thursday");

    // Regenerate brings a new answer with every change kept again.
    key(Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return session.phase().kind == AppState::Phase::result &&
               session.hasRunningTask() == false && history.items().size() == 2;
    }));
    EXPECT_FALSE(session.keptText().has_value());
}

// A colour slot left unfilled makes Qt drop the whole application style sheet.
TEST(WindowStyleSheet, FillsEveryColourSlot) {
    for (const Palette* palette : {&Palette::light(), &Palette::dark()}) {
        const QString sheet = windowStyleSheet(*palette);
        EXPECT_FALSE(sheet.contains("%{")) << qPrintable(sheet.mid(sheet.indexOf("%{") - 60, 90));
    }
}

// A command in the error's text shows as code, and a screen reader hears it without the marks.
TEST(ErrorBanner, ShowsACommandAsCode) {
    ErrorBannerView banner;
    banner.show("Couldn't reach Ollama at 127.0.0.1. Is `ollama serve` running?", false);
    QStringList texts;
    for (QLabel* label : banner.findChildren<QLabel*>()) {
        texts << label->text();
    }
    EXPECT_TRUE(
        texts.contains("Couldn't reach Ollama at 127.0.0.1. Is <code>ollama serve</code> "
                       "running?"))
        << qPrintable(texts.join('|'));
    EXPECT_EQ(banner.accessibleName(),
              "Something went wrong: Couldn't reach Ollama at 127.0.0.1. Is ollama serve running?");
}
