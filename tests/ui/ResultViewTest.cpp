#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ScriptedProvider.h"
#include "core/ChangeSet.h"
#include "core/Prompts.h"
#include "session/AppState.h"
#include "session/ClipboardAccess.h"
#include "store/HistoryStore.h"
#include "store/MemoryKeyStore.h"
#include "store/SettingsStore.h"
#include "store/StyleAnalyzer.h"
#include "ui/main/ChangeList.h"
#include "ui/main/DiffFormat.h"
#include "ui/main/DiffText.h"
#include "ui/main/ResultView.h"
#include "ui/theme/Icons.h"
#include "ui/theme/Palette.h"
#include "ui/theme/PopoverBackground.h"
#include "ui/theme/StyleSheet.h"

using namespace ts;
using ts::test::ScriptedProvider;

namespace {

// Before the application exists, so the view joins the accessibility bus of the test desktop.
const bool accessibilityOn = qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

class FakeClipboard final : public ClipboardAccess {
public:
    std::optional<QString> plainText() const override { return content; }
    void replaceWithText(const QString& text) override { content = text; }
    std::optional<QString> content;
};

void useScheme(const char* appearance) {
    Palette::setAppearanceSource([appearance] { return QString::fromLatin1(appearance); });
    qApp->setStyleSheet(windowStyleSheet(Palette::current()));
}

// The text of each kind of run in a shown document.
struct Runs {
    QString struck, underlined, plain;
};

Runs runsOf(const QTextDocument& document) {
    Runs runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            QString& into = format.fontStrikeOut()   ? runs.struck
                            : format.fontUnderline() ? runs.underlined
                                                     : runs.plain;
            into += fragment.text();
        }
    }
    return runs;
}

QString words(int count, int seed) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("w%1 ").arg((i * 7 + seed * (i % 13 == 0 ? 1 : 0)) % 997);
    }
    return text;
}

}  // namespace

class ResultViewTest : public ::testing::Test {
protected:
    ResultViewTest() {
        keys.saveAPIKey("sk-test", apiKeyAccount(ProviderKind::openai));
        useScheme("light");
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(18, 14, 18, 16);
        layout->addWidget(view);
        host.resize(480, 620);
        host.show();
        host.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    ~ResultViewTest() override { useScheme("light"); }

    void finishRun(Mode mode, const QString& text, const QString& answer) {
        provider.enqueueAnswer({answer});
        state.setMode(mode);
        state.setText(text);
        state.setReplyReceived(mode == Mode::reply ? QStringLiteral("Can you send it?") : "");
        state.setAskInstruction(mode == Mode::ask ? QStringLiteral("Translate to French") : "");
        state.run();
        waitForResult();
    }
    // The view rebuilt from the session and every text appended.
    void settle() {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const auto texts = view->findChildren<DiffText*>();
                return std::all_of(texts.begin(), texts.end(),
                                   [](DiffText* t) { return t->isSettled(); });
            },
            30000));
    }
    QAbstractButton* button(const QString& name) const {
        for (QAbstractButton* b : view->findChildren<QAbstractButton*>()) {
            if (nameOf(b) == name && b->isVisibleTo(view)) {
                return b;
            }
        }
        return nullptr;
    }
    static QString nameOf(QWidget* widget) {
        if (!widget->accessibleName().isEmpty()) {
            return widget->accessibleName();
        }
        auto* button = qobject_cast<QAbstractButton*>(widget);
        return button != nullptr ? button->text() : widget->objectName();
    }
    void waitForResult() {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return !state.hasRunningTask() && state.phase().kind == AppState::Phase::result;
            },
            5000));
        settle();
    }
    QString label(const char* role) const {
        QStringList shown;
        for (QLabel* l : view->findChildren<QLabel*>()) {
            if (l->property("role").toString() == QLatin1String(role) && l->isVisibleTo(view)) {
                shown << l->text();
            }
        }
        return shown.join(QLatin1Char('|'));
    }
    DiffText* text(const char* name) const { return view->findChild<DiffText*>(name); }
    void screenshot(const QString& name) {
        settle();
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
        QDir().mkpath(dir);
        EXPECT_TRUE(host.grab().save(dir + QStringLiteral("/result-%1.png").arg(name)));
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("tessarine.conf")};
    HistoryStore history{dir.filePath("history.json")};
    MemoryKeyStore keys;
    FakeClipboard clipboard;
    ScriptedProvider provider;
    AppState state{{RequestServices{settings, keys, [this]() -> HistoryStore& { return history; },
                                    [this](const ProviderConfig&) {
                                        return std::make_unique<ScriptedProvider>(provider);
                                    },
                                    [] { return QDateTime::currentDateTimeUtc(); }},
                    clipboard}};
    StyleAnalyzer style{settings, history};
    PopoverBackground host;
    ResultView* view = new ResultView(state, &style, &host);
};

TEST_F(ResultViewTest, TextsFollowTheModeOfTheFinishedRequest) {
    const struct {
        Mode mode;
        const char *heading, *section, *copy;
    } rows[] = {
        {Mode::rewrite, "Review:|Sharper", "IMPROVED", "Copy Improved"},
        {Mode::proofread, "Proofread:|Clean", "CORRECTED", "Copy Corrected"},
        {Mode::reply, "Draft:|Ready", "DRAFTED REPLY", "Copy Reply"},
        {Mode::ask, "Result:|Ready", "RESULT", "Copy Result"},
        {Mode::toneCheck, "Tone:|Read", "OBSERVATIONS|YOUR TEXT", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(rawValue(row.mode).toStdString());
        finishRun(row.mode, "Send me the file", "Answer text\n<<<WHYS>>>\n- clarity: Clearer");
        EXPECT_EQ(label("headingLead") + '|' + label("headingAccent"), row.heading);
        EXPECT_EQ(label("sectionLabel"),
                  row.copy ? QStringLiteral("%1|ADJUST").arg(row.section) : QString(row.section));
        EXPECT_EQ(label("whyText"), "Clearer");
        const bool tone = row.copy == nullptr;
        EXPECT_EQ(view->findChild<QWidget*>("toneView")->isVisibleTo(view), tone);
        EXPECT_EQ(button("Rewrite with these") != nullptr, tone);
        EXPECT_EQ(button("Regenerate") != nullptr, !tone);
        if (tone) {
            EXPECT_EQ(text("toneOriginal")->toPlainText(), "Send me the file");
            continue;
        }
        EXPECT_EQ(text("resultText")->toPlainText(), "Answer text");
        // Nothing to compare a drafted reply with.
        EXPECT_EQ(button("SHOW CHANGES") != nullptr, row.mode != Mode::reply);
        ASSERT_TRUE(button(row.copy));
        button(row.copy)->click();
        EXPECT_EQ(clipboard.content, "Answer text");
        EXPECT_TRUE(button("Copied"));
    }
}

TEST_F(ResultViewTest, ShowChangesMarksRemovedAndAddedWords) {
    settings.setStyleProfileEnabled(true);
    settings.setStyleProfile("Short sentences.");
    finishRun(Mode::proofread, "Their going to the park tomorow.",
              "They're going to the park tomorrow.");
    EXPECT_EQ(label("styleStatus"), "Style profile is active. Rewrites match your voice.");

    button("SHOW CHANGES")->click();
    settle();
    const Runs shown = runsOf(*text("resultText")->document());
    EXPECT_EQ(shown.struck, "Their tomorow.");
    EXPECT_EQ(shown.underlined, "They're tomorrow.");
    EXPECT_EQ(shown.plain, "going to the park ");
    ASSERT_TRUE(button("HIDE CHANGES"));
    screenshot("changes-light");
    useScheme("dark");
    EXPECT_EQ(runsOf(*text("resultText")->document()).struck, "Their tomorow.");
    screenshot("changes-dark");

    button("HIDE CHANGES")->click();
    settle();
    EXPECT_EQ(runsOf(*text("resultText")->document()).plain, "They're going to the park tomorrow.");
    // Each result starts without the changes.
    button("SHOW CHANGES")->click();
    finishRun(Mode::proofread, "Its fine.", "It's fine.");
    EXPECT_TRUE(button("SHOW CHANGES"));
    EXPECT_EQ(runsOf(*text("resultText")->document()).struck, "");
}

TEST_F(ResultViewTest, ThumbsFollowTheHistoryItem) {
    finishRun(Mode::rewrite, "Send me the file", "Please send me the file.");
    const auto like = button("Like");
    const auto dislike = button("Dislike");
    const QColor set = accentText(Palette::current());
    const struct {
        QAbstractButton* press;
        std::optional<Rating> rating;
    } rows[] = {
        {like, Rating::up}, {like, std::nullopt}, {like, Rating::up}, {dislike, Rating::down}};
    for (const auto& row : rows) {
        row.press->click();
        EXPECT_EQ(history.items().first().rating, row.rating);
        EXPECT_EQ(like->isChecked(), row.rating == Rating::up);
        EXPECT_EQ(dislike->isChecked(), row.rating == Rating::down);
        EXPECT_EQ(like->icon().cacheKey(),
                  icons::symbol(row.rating == Rating::up ? "hand.thumbsup.fill" : "hand.thumbsup",
                                row.rating == Rating::up ? set : Palette::current().textDim)
                      .cacheKey());
    }
    EXPECT_EQ(like->toolTip(), "Like (adds to your style corpus)");
    EXPECT_EQ(dislike->toolTip(), "Dislike (exclude from style corpus)");
}

TEST_F(ResultViewTest, RewriteWithTheseRewritesTheCheckedText) {
    finishRun(Mode::toneCheck, "Send me the file now.", "<<<WHYS>>>\n- tone: Reads as curt");
    screenshot("tone-light");
    useScheme("dark");
    screenshot("tone-dark");
    state.setText("Something typed since");
    provider.enqueueAnswer({"Could you send me the file?"});
    button("Rewrite with these")->click();
    waitForResult();
    const auto& request = provider.state().requests.constLast();
    EXPECT_TRUE(request.systemPrompt.startsWith(rewritePrompt()));
    EXPECT_TRUE(request.userMessage.contains("Send me the file now."));
    EXPECT_FALSE(request.userMessage.contains("Something typed since"));
    EXPECT_FALSE(request.userMessage.contains("Reads as curt"));
    EXPECT_EQ(state.lastMode(), Mode::rewrite);
}

TEST_F(ResultViewTest, ANewerResultSupersedesADiffStillBeingComputed) {
    const QString longOriginal = words(20000, 1);
    const QString longImproved = words(20000, 2);
    const auto record = [](const QString& original, const QString& improved) {
        HistoryItem item;
        item.id = QUuid::createUuid();
        item.date = QDateTime::currentDateTimeUtc();
        item.original = original;
        item.review.improved = improved;
        item.mode = Mode::rewrite;
        return item;
    };
    const HistoryItem large = record(longOriginal, longImproved);
    const HistoryItem small = record("Its fine.", "It's fine.");
    history.add(large);
    history.add(small);
    state.restoreHistoryItem(large);
    screenshot("long-light");
    // However long the answer, the actions below it stay on screen.
    const QRect copy(button("Copy Improved")->mapTo(&host, QPoint()),
                     button("Copy Improved")->size());
    EXPECT_TRUE(host.rect().contains(copy));

    button("SHOW CHANGES")->click();
    state.restoreHistoryItem(small);
    settle();
    const QString shown = text("resultText")->toPlainText();
    EXPECT_TRUE(shown == "It's fine.") << shown.left(60).toStdString();
    EXPECT_TRUE(button("SHOW CHANGES"));
    button("SHOW CHANGES")->click();
    settle();
    EXPECT_EQ(runsOf(*text("resultText")->document()).struck, "Its ");
}

TEST_F(ResultViewTest, ControlsAreNamedAndWorkFromTheKeyboard) {
    finishRun(Mode::rewrite, "Send me the file", "Please send me the file.");
    QStringList visited;
    button("Like")->setFocus();
    for (int i = 0; i < 13; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(focus);
        visited << nameOf(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, QStringList({"Like", "Dislike", "SHOW CHANGES", "IMPROVED", "Shorter",
                                    "Longer", "Simpler", "Casual", "Formal", "Friendlier",
                                    "Back to edit", "Regenerate", "Copy Improved"}));

    QProcess walker;
    walker.start("/usr/bin/python3", {QStringLiteral(TS_ACCESSIBLE_NAMES_SCRIPT),
                                      QString::number(QCoreApplication::applicationPid())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return walker.state() == QProcess::NotRunning; }, 60000));
    QSet<QString> seen;
    for (const QJsonValue& node : QJsonDocument::fromJson(walker.readAllStandardOutput()).array()) {
        seen << node["name"].toString() << node["text"].toString();
    }
    for (const QString& name :
         visited + QStringList{"Review: Sharper", "ADJUST", "Please send me the file."}) {
        EXPECT_TRUE(seen.contains(name)) << name.toStdString();
    }

    button("Shorter")->setFocus();
    EXPECT_EQ(button("Shorter")->toolTip(), "Regenerate: " + instruction(Adjustment::shorter));
    provider.enqueueAnswer({"Send the file."});
    QTest::keyClick(button("Shorter"), Qt::Key_Return);
    waitForResult();
    EXPECT_EQ(provider.state().requests.size(), 2);
    EXPECT_TRUE(provider.state().requests.constLast().userMessage.contains(
        instruction(Adjustment::shorter)));
}

// Each change reads old words first, then new ones, whichever order the diff found them in.
TEST(DiffRuns, OldWordsComeBeforeNewOnes) {
    const auto seg = [](DiffOp op, const char* text) { return DiffSegment{{}, op, text}; };
    const struct {
        QList<DiffSegment> segments;
        QString read;  // runs joined, old words in [-…-], new ones in {+…+}
    } rows[] = {
        {{seg(DiffOp::insert, "Hi"), seg(DiffOp::delete_, "hey"), seg(DiffOp::equal, " you")},
         "[-hey-]{+Hi+} you"},
        {{seg(DiffOp::equal, "a "), seg(DiffOp::delete_, "b"), seg(DiffOp::insert, "c")},
         "a [-b-]{+c+}"},
        {{seg(DiffOp::insert, "x "), seg(DiffOp::equal, "y"), seg(DiffOp::insert, " z")},
         "{+x +}y{+ z+}"},
    };
    for (const auto& row : rows) {
        QString read;
        for (const TextRun& run : cutIntoRuns(row.segments, 100)) {
            read += run.op == DiffOp::delete_  ? "[-" + run.text + "-]"
                    : run.op == DiffOp::insert ? "{+" + run.text + "+}"
                                               : run.text;
        }
        EXPECT_EQ(read, row.read);
    }
}

// The count and the toggles in words a reader expects.
TEST(ChangeListText, NamesChangesInPlainWords) {
    const struct {
        QList<Change> changes;
        QString count;
        QStringList toggles;
    } rows[] = {
        {{Change{0, 1, "really ", ""}}, "1 of 1 change kept", {"Removed: really"}},
        {{Change{0, 1, "", "today"}, Change{2, 4, "hey", "Hi"}},
         "2 of 2 changes kept",
         {"Added: today", "hey → Hi"}},
    };
    for (const auto& row : rows) {
        ChangeList list;
        list.setChanges(row.changes);
        QStringList labels;
        for (QLabel* label : list.findChildren<QLabel*>()) {
            labels << label->text();
        }
        EXPECT_TRUE(labels.contains(row.count)) << qPrintable(labels.join('|'));
        QStringList toggles;
        for (QPushButton* toggle : list.toggles()) {
            toggles << toggle->text();
        }
        EXPECT_EQ(toggles, row.toggles);
    }
}
