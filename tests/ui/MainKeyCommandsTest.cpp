#include <gtest/gtest.h>

#include "ui/main/MainKeyCommands.h"

using namespace ts;

namespace {

using Phase = KeyContext::Phase;
constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

struct KeyRow {
    int key;
    Qt::KeyboardModifiers modifiers;
    KeyContext context;
    std::optional<KeyDecision> expected;
};

}  // namespace

TEST(MainKeyCommands, FollowThePhaseTable) {
    const KeyContext idleReady{Phase::idle, false, false};
    const KeyContext idleBlank{Phase::idle, false, true};
    const KeyContext reviewing{Phase::reviewing, false, false};
    const KeyContext result{Phase::result, false, false};
    const KeyContext error{Phase::error, false, false};
    const KeyContext overlay{Phase::result, true, false};
    const auto is = [](KeyCommand command, std::optional<Mode> mode = std::nullopt) {
        return std::optional(KeyDecision{command, mode});
    };
    const KeyRow rows[] = {
        {Qt::Key_Return, ctrl, idleReady, is(KeyCommand::run)},
        {Qt::Key_Enter, ctrl, idleReady, is(KeyCommand::run)},
        {Qt::Key_Return, ctrl, idleBlank, std::nullopt},
        // Past the editor the chord is consumed, so it never presses the focused button.
        {Qt::Key_Return, ctrl, result, is(KeyCommand::nothing)},
        {Qt::Key_Return, ctrl, reviewing, is(KeyCommand::nothing)},
        {Qt::Key_Return, ctrl, error, is(KeyCommand::run)},
        {Qt::Key_Return, ctrl, KeyContext{Phase::error, false, true}, std::nullopt},
        {Qt::Key_Return, Qt::NoModifier, idleReady, std::nullopt},
        {Qt::Key_C, ctrl, result, is(KeyCommand::copy)},
        {Qt::Key_C, ctrl, idleReady, std::nullopt},
        {Qt::Key_C, ctrl | Qt::ShiftModifier, result, std::nullopt},
        {Qt::Key_R, ctrl, result, is(KeyCommand::regenerate)},
        {Qt::Key_N, ctrl, result, is(KeyCommand::backToEditor)},
        {Qt::Key_N, ctrl, error, std::nullopt},
        {Qt::Key_Comma, ctrl, reviewing, is(KeyCommand::openSettings)},
        {Qt::Key_Period, ctrl, reviewing, is(KeyCommand::cancel)},
        {Qt::Key_Period, ctrl, idleReady, std::nullopt},
        {Qt::Key_1, ctrl, idleBlank, is(KeyCommand::selectMode, Mode::rewrite)},
        {Qt::Key_3, ctrl, idleBlank, is(KeyCommand::selectMode, Mode::reply)},
        {Qt::Key_5, ctrl, idleBlank, is(KeyCommand::selectMode, Mode::toneCheck)},
        {Qt::Key_3, ctrl, result, std::nullopt},
        {Qt::Key_6, ctrl, idleBlank, std::nullopt},
        {Qt::Key_Escape, Qt::NoModifier, overlay, is(KeyCommand::hideShortcuts)},
        {Qt::Key_Escape, Qt::NoModifier, idleReady, is(KeyCommand::closeWindow)},
        {Qt::Key_Escape, Qt::NoModifier, reviewing, is(KeyCommand::cancel)},
        {Qt::Key_Escape, Qt::NoModifier, result, is(KeyCommand::backToEditor)},
        {Qt::Key_Escape, Qt::NoModifier, error, is(KeyCommand::backToEditor)},
        // The keypad flag is not a modifier a user chose.
        {Qt::Key_Escape, Qt::KeypadModifier, error, is(KeyCommand::backToEditor)},
    };
    int index = 0;
    for (const KeyRow& row : rows) {
        EXPECT_EQ(keyCommandFor(row.key, row.modifiers, row.context), row.expected)
            << "row " << index;
        ++index;
    }
}
